#include "CliAgenda.h"

#include "CliArguments.h"
#include "CliDocfile.h"
#include "CliUsage.h"
#include "StderrPromptService.h"
#include "core/Birthdays.h"
#include "core/OccurrenceIndex.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "platform/TextCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kDefaultDaysAfterToday = 7;

struct AgendaOptions {
    QString document;
    CalendarDate from;
    CalendarDate to;
    bool json = false;
    bool birthdays = true;
};

// Reads the command's words into options; false, having said why, when they do not fit.
bool parse(const QStringList& args, AgendaOptions& options) {
    const QCommandLineOption from(QStringLiteral("from"), QStringLiteral("First day."), QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("Last day."), QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("text or json."), QStringLiteral("FORMAT"),
                                    QStringLiteral("text"));
    const QCommandLineOption noBirthdays(QStringLiteral("no-birthdays"),
                                         QStringLiteral("Leave out the phone book's birthdays and anniversaries."));
    CliArguments arguments(kAgendaUsage, {from, to, format, noBirthdays});
    if (!arguments.Parse(args, 1))
        return false;
    options.document = arguments.Word(0);
    const QString formatName = arguments.Value(format.names().constFirst());
    if (formatName != QLatin1String("text") && formatName != QLatin1String("json")) {
        arguments.Refuse(QStringLiteral("--format is text or json"));
        return false;
    }
    options.json = formatName == QLatin1String("json");
    options.birthdays = !arguments.IsSet(noBirthdays.names().constFirst());
    const auto day = [&arguments](const QCommandLineOption& option, CalendarDate fallback, CalendarDate& out) {
        const QString name = option.names().constFirst();
        if (!arguments.IsSet(name)) {
            out = fallback;
            return true;
        }
        const std::optional<CalendarDate> read = CalendarDate::Parse(arguments.Value(name).toStdString());
        if (!read || arguments.Value(name).size() != 10)
            return false;
        out = *read;
        return true;
    };
    const CalendarDate today = CalendarDate::Of(DateTime::Today());
    if (!day(from, today, options.from)) {
        arguments.Refuse(QStringLiteral("--from wants YYYY-MM-DD"));
        return false;
    }
    if (!day(to, options.from + kDefaultDaysAfterToday, options.to)) {
        arguments.Refuse(QStringLiteral("--to wants YYYY-MM-DD"));
        return false;
    }
    if (options.to < options.from) {
        arguments.Refuse(QStringLiteral("--to lies before --from"));
        return false;
    }
    return true;
}

QString hhmm(const DateTime& time) {
    const CalendarRecord r = time.ToCalendarRecord();
    return QStringLiteral("%1:%2").arg(r.hour, 2, 10, QLatin1Char('0')).arg(r.minute, 2, 10, QLatin1Char('0'));
}

QString isoDate(const CalendarDate& day) {
    return QString::fromStdString(day.Iso());
}

const char* priorityName(int priority) {
    switch (priority) {
    case Task::High:
        return "high";
    case Task::Medium:
        return "medium";
    case Task::Low:
        return "low";
    case Task::Done:
        return "done";
    default:
        return "unknown";
    }
}

struct DueTask {
    CalendarDate day;
    const Task* task;
};

// The tasks due on the days, by day and then in the list's order.
std::vector<DueTask> dueTasks(const PimRecords& records, CalendarDate from, CalendarDate to) {
    std::vector<DueTask> due;
    for (const auto& [id, task] : records.Tasks) {
        const CalendarDate day = CalendarDate::OfStoredDate(task.DueDate);
        if (day.IsValid() && day >= from && day <= to)
            due.push_back({day, &task});
    }
    std::stable_sort(due.begin(), due.end(), [](const DueTask& a, const DueTask& b) { return a.day < b.day; });
    return due;
}

// "[repeat, day 2/3]": an occurrence of a series, and which of its days this is.
QString marks(const DayOccurrence& listed) {
    QStringList marks;
    if (listed.occurrence.InSeries())
        marks << QStringLiteral("repeat");
    if (listed.dayCount > 1)
        marks << QStringLiteral("day %1/%2").arg(listed.dayNumber).arg(listed.dayCount);
    return marks.isEmpty() ? QString() : QStringLiteral("[%1] ").arg(marks.join(QStringLiteral(", ")));
}

// A birthday's line: "2026-03-15 all day     [birthday] Birthday: Ann Lee (36)".
void printBirthday(const PimRecords& records, const BirthdayOccurrence& birthday) {
    std::printf("%s %-11s [%s] %s\n", birthday.day.Iso().c_str(), "all day",
                birthday.anniversary ? "anniversary" : "birthday",
                platform::toQString(BirthdayText(records, birthday)).toUtf8().constData());
}

void printText(const PimRecords& records, const std::vector<DayOccurrence>& occurrences,
               const std::vector<BirthdayOccurrence>& birthdays, const std::vector<DueTask>& tasks) {
    // Each day's birthdays stand at its top, with the all-day entries.
    auto birthday = birthdays.begin();
    for (const DayOccurrence& listed : occurrences) {
        for (; birthday != birthdays.end() && birthday->day <= listed.day; ++birthday)
            printBirthday(records, *birthday);
        const Occurrence& o = listed.occurrence;
        const Appointment* appointment = records.Appointments.Find(o.id);
        const QString time = o.allDay ? QStringLiteral("all day") : hhmm(o.start) + QLatin1Char('-') + hhmm(o.end);
        std::printf("%s %-11s %s%s\n", qPrintable(isoDate(listed.day)), qPrintable(time), qPrintable(marks(listed)),
                    platform::toQString(appointment->Description).toUtf8().constData());
    }
    for (; birthday != birthdays.end(); ++birthday)
        printBirthday(records, *birthday);
    for (const DueTask& due : tasks)
        std::printf("%s %-11s [%s] %s\n", qPrintable(isoDate(due.day)), "task", priorityName(due.task->Priority),
                    platform::toQString(due.task->Description).toUtf8().constData());
}

void printJson(const AgendaOptions& options, const PimRecords& records, const std::vector<DayOccurrence>& occurrences,
               const std::vector<BirthdayOccurrence>& birthdays, const std::vector<DueTask>& tasks) {
    QJsonArray appointments;
    for (const DayOccurrence& listed : occurrences) {
        const Occurrence& o = listed.occurrence;
        QJsonObject entry{
            {QStringLiteral("date"), isoDate(listed.day)},
            {QStringLiteral("allDay"), o.allDay},
            {QStringLiteral("description"), platform::toQString(records.Appointments.Find(o.id)->Description)},
            {QStringLiteral("id"), o.id},
            {QStringLiteral("repeat"), o.InSeries()},
            {QStringLiteral("day"), listed.dayNumber},
            {QStringLiteral("days"), listed.dayCount},
        };
        if (!o.allDay) {
            entry.insert(QStringLiteral("start"), hhmm(o.start));
            entry.insert(QStringLiteral("end"), hhmm(o.end));
        }
        if (o.InSeries()) {
            entry.insert(QStringLiteral("series"), o.seriesId);
            entry.insert(QStringLiteral("original"), isoDate(o.original));
        }
        appointments.append(entry);
    }
    QJsonArray due;
    for (const DueTask& task : tasks)
        due.append(QJsonObject{{QStringLiteral("date"), isoDate(task.day)},
                               {QStringLiteral("description"), platform::toQString(task.task->Description)},
                               {QStringLiteral("id"), task.task->ID},
                               {QStringLiteral("priority"), QLatin1String(priorityName(task.task->Priority))}});
    QJsonArray birthdayEntries;
    for (const BirthdayOccurrence& birthday : birthdays) {
        QJsonObject entry{
            {QStringLiteral("date"), isoDate(birthday.day)},
            {QStringLiteral("kind"), birthday.anniversary ? QStringLiteral("anniversary") : QStringLiteral("birthday")},
            {QStringLiteral("text"), platform::toQString(BirthdayText(records, birthday))},
            {QStringLiteral("person"), birthday.personId}};
        if (birthday.years >= 0)
            entry.insert(QStringLiteral("years"), birthday.years);
        birthdayEntries.append(entry);
    }
    QJsonObject agenda{{QStringLiteral("from"), isoDate(options.from)},
                       {QStringLiteral("to"), isoDate(options.to)},
                       {QStringLiteral("appointments"), appointments},
                       {QStringLiteral("tasks"), due}};
    if (options.birthdays)
        agenda.insert(QStringLiteral("birthdays"), birthdayEntries);
    std::fputs(QJsonDocument(agenda).toJson(QJsonDocument::Indented).constData(), stdout);
}

} // namespace

int runAgenda(const QStringList& args) {
    AgendaOptions options;
    if (!parse(args, options))
        return kCliUsageError;
    StderrPromptService prompt;
    PimDocument document;
    platform::FileError error = platform::FileError::None;
    if (!DocumentStorage(document).ReadFromFile(options.document, prompt, &error)) {
        reportFileError(options.document, error);
        prompt.message(QStringLiteral("Error loading file."), QStringLiteral("Tavoro"), platform::PromptButtons::Ok,
                       platform::PromptIcon::Stop);
        return kCliFailure;
    }
    const PimRecords& records = document.Records();
    const std::vector<DayOccurrence> occurrences = Occurrences::Between(records, options.from, options.to);
    const std::vector<DueTask> tasks = dueTasks(records, options.from, options.to);
    const std::vector<BirthdayOccurrence> birthdays =
        options.birthdays ? BirthdaysBetween(records, options.from, options.to) : std::vector<BirthdayOccurrence>();
    if (options.json)
        printJson(options, records, occurrences, birthdays, tasks);
    else
        printText(records, occurrences, birthdays, tasks);
    return kCliSuccess;
}
