#include "RecordDump.h"

#include "core/OccurrenceIndex.h"
#include "docfile/DocumentFormat.h"
#include "docfile/DocumentWriter.h"
#include "docfile/PimDocument.h"
#include "exchange/CalendarExchange.h"
#include "exchange/CalendarLines.h"
#include "exchange/CalendarParts.h"
#include "exchange/TextEncoding.h"
#include "platform/AtomicFile.h"
#include "support/FakePromptService.h"
#include "support/OneIdLeft.h"
#include "support/RecordBuilders.h"
#include "support/TestMain.h"

#include <libical/ical.h>

namespace {

// Text hard on the format, summer and winter time, a day before 1970, each alarm lead and priority.
void addHostileRecords(PimDocument& document) {
    document.Add(AnAppointment("Lunch, with \"Ann\"; then\ncoffee \\ cake").On(2026, 7, 1).From(12).AlarmBefore(15));
    document.Add(AnAppointment("Caf\xe9 \x80 (Windows-1252)").On(2026, 1, 15).From(9, 30).Lasting(30));
    document.Add(AnAppointment("Gr\xc3\xbc\xc3\x9f"
                               "e \xe6\x97\xa5\xe6\x9c\xac and a summary long enough "
                               "to be folded by the writer at seventy-five octets")
                     .On(2026, 3, 29)
                     .From(1)
                     .Lasting(15)
                     .AlarmBefore(0));
    document.Add(AnAppointment("Moon landing party").On(1969, 7, 20).From(21).Lasting(45).AlarmBefore(60));
    document.Add(AnAppointment("Until midnight").On(2026, 10, 25).From(23).AlarmBefore(5));
    document.Add(ATask("Pay rent; call \"landlord\"").Due(2026, 4, 1).Priority(Task::High));
    document.Add(ATask("M\xfcll").Due(2026, 4, 2).Priority(Task::Medium));
    document.Add(ATask("Some day").Due(2026, 4, 3).Priority(Task::Low));
    document.Add(ATask("Filed taxes").Due(2026, 3, 10).DoneOn(Day(2026, 3, 9)));
}

std::string utf8(std::string text) {
    return exchangetext::ToUtf8(text);
}

// One to-do or event in a calendar, CR LF line ends.
std::string calendarOf(const std::vector<std::string>& lines) {
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//test//EN\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text + "END:VCALENDAR\r\n";
}

// What the calendar shows in 2027, occurrence by occurrence and day by day.
QStringList occurrences2027(const PimRecords& records) {
    OccurrenceIndex index;
    QStringList lines;
    for (const DayOccurrence& listed :
         index.Between(records, CalendarDate::FromParts(2027, 1, 1), CalendarDate::FromParts(2027, 12, 31))) {
        const Occurrence& o = listed.occurrence;
        lines << QString::fromStdString(
            listed.day.Iso() + " " + o.start.Format("%F %R") + "-" + o.end.Format("%F %R") +
            (o.allDay ? " all day " : " ") + (o.alarmed ? "alarm " + o.alarm.Format("%F %R") + " " : std::string()) +
            records.Appointments.Find(o.id)->Description + (o.InSeries() ? " [repeat]" : ""));
    }
    return lines;
}

Appointment allDay(const char* description, CalendarDate first, CalendarDate last = {}) {
    Appointment a = AnAppointment(description).On(first.Midnight()).From(0).Lasting(0);
    a.AllDay = 1;
    a.EndDate = last;
    return a;
}

calendarexchange::ImportOptions options() {
    calendarexchange::ImportOptions options;
    options.today = DateTime(2026, 3, 15, 0, 0, 0);
    options.from = DateTime(2025, 3, 15, 0, 0, 0);
    options.to = DateTime(2028, 3, 15, 0, 0, 0);
    return options;
}

} // namespace

class TestICalendar : public QObject {
    Q_OBJECT

private slots:
    void roundTrip() {
        PimDocument source;
        addHostileRecords(source);
        int written = 0;
        const std::string text = calendarexchange::ExportText(source, {}, &written);
        QCOMPARE(written, 9);
        PimDocument target;
        const ExchangeReport report = calendarexchange::ImportText(target, text, options());
        QCOMPARE(report.appointments, 5);
        QCOMPARE(report.tasks, 4);
        QVERIFY(report.skipped.empty());
        PimDocument expected;
        for (auto [id, a] : source.Appointments()) {
            a.Description = utf8(a.Description);
            expected.Add(a);
        }
        for (auto [id, t] : source.Tasks()) {
            t.Description = utf8(t.Description);
            expected.Add(t);
        }
        QCOMPARE(recorddump::Calendar(target.Records()), recorddump::Calendar(expected.Records()));
    }

    // What other programs read: RFC 5545 as libical's own checker sees it, UTC times, display
    // alarms, due dates as dates, completed to-dos.
    void exportIsValid() {
        PimDocument source;
        addHostileRecords(source);
        calendarexchange::ExportOptions window;
        window.from = DateTime(2026, 1, 1, 0, 0, 0);
        window.to = DateTime(2026, 12, 31, 0, 0, 0);
        int written = 0;
        const std::string text = calendarexchange::ExportText(source, window, &written);
        QCOMPARE(written, 8); // not the party of 1969
        icalcomponent* calendar = icalparser_parse_string(text.c_str());
        QVERIFY(calendar);
        QVERIFY(icalrestriction_check(calendar));
        QCOMPARE(icalcomponent_count_errors(calendar), 0);
        icalcomponent_free(calendar);
        for (const char* expected : {"DTSTART:20260701T100000Z", "DTEND:20260701T110000Z", "ACTION:DISPLAY",
                                     "TRIGGER:-PT15M", "DUE;VALUE=DATE:20260401", "PRIORITY:1", "PRIORITY:9",
                                     "STATUS:COMPLETED", "COMPLETED:20260308T230000Z", "DTSTAMP:"})
            QVERIFY2(text.find(expected) != std::string::npos, expected);
        QVERIFY(text.find("Lunch\\, with \"Ann\"\\; then\\ncoffee \\\\ cake") != std::string::npos);
    }

    void importingTwiceAddsNothing() {
        const QString path = QStringLiteral(TAVORO_TEST_DATA "/exchange/ical/days.ics");
        PimDocument document;
        document.Add(AnAppointment("Dentist").On(2026, 4, 25).From(13, 30));
        const ExchangeReport first = calendarexchange::ImportFile(document, path, options());
        QCOMPARE(first.appointments, 7);
        QCOMPARE(first.skipped, std::vector<std::string>{"\"Called off\" (2026-04-26 14:00): cancelled"});
        const ExchangeReport second = calendarexchange::ImportFile(document, path, options());
        QCOMPARE(second.Added(), 0);
        QCOMPARE(second.alreadyPresent, 7);
    }

    // Equal records of one document are exported as several entries and must all come back; only
    // the records held before an import count as present.
    void ownExportComesBackWhole() {
        PimDocument source;
        source.Add(ATask("Water plants").Due(2026, 5, 4).Priority(Task::Medium));
        source.Add(ATask("Water plants").Due(2026, 5, 4).Priority(Task::Medium));
        source.Add(AnAppointment("Stand-up").On(2026, 5, 4).From(9, 0).Lasting(15));
        source.Add(AnAppointment("Stand-up").On(2026, 5, 4).From(9, 0).Lasting(15));
        const std::string text = calendarexchange::ExportText(source, {}, nullptr);
        PimDocument target;
        const ExchangeReport first = calendarexchange::ImportText(target, text, options());
        QCOMPARE(first.tasks, 2);
        QCOMPARE(first.appointments, 2);
        QCOMPARE(first.alreadyPresent, 0);
        QVERIFY(first.skipped.empty());
        const ExchangeReport second = calendarexchange::ImportText(target, text, options());
        QCOMPARE(second.Added(), 0);
        QCOMPARE(second.alreadyPresent, 4);
    }

    // The report names what has no field here, what was left out and what was read otherwise than
    // the file said, as the vCard import names what it drops.
    void reportNamesWhatWasLost() {
        const std::string text = calendarOf({"BEGIN:VTODO",
                                             "UID:t1@test",
                                             "SUMMARY:Plan trip",
                                             "LOCATION:Office",
                                             "DESCRIPTION:Details",
                                             "ATTENDEE:mailto:a@example.org",
                                             "ATTENDEE:mailto:b@example.org",
                                             "CATEGORIES:Travel",
                                             "PERCENT-COMPLETE:40",
                                             "BEGIN:VALARM",
                                             "ACTION:DISPLAY",
                                             "TRIGGER:-PT15M",
                                             "END:VALARM",
                                             "END:VTODO",
                                             "BEGIN:VTODO",
                                             "UID:t2@test",
                                             "DTSTAMP:20260101T000000Z",
                                             "SUMMARY:Dated",
                                             "DUE;VALUE=DATE:20260501",
                                             "END:VTODO",
                                             "BEGIN:VEVENT",
                                             "UID:e1@test",
                                             "SUMMARY:Review",
                                             "DTSTART:20260502T090000",
                                             "DTEND:20260502T100000",
                                             "LOCATION:Room 4",
                                             "BEGIN:VALARM",
                                             "ACTION:DISPLAY",
                                             "TRIGGER:-PT15M",
                                             "END:VALARM",
                                             "BEGIN:VALARM",
                                             "ACTION:DISPLAY",
                                             "TRIGGER:-PT5M",
                                             "END:VALARM",
                                             "END:VEVENT"});
        PimDocument document;
        const ExchangeReport report = calendarexchange::ImportText(document, text, options());
        QCOMPARE(report.tasks, 2);
        QCOMPARE(report.appointments, 1);
        QCOMPARE(report.Lines(), QStringList({
                                     "1 appointment added",
                                     "2 tasks added",
                                     "1 changed:",
                                     "  \"Plan trip\": no due date, due today (2026-03-15)",
                                     "9 properties without a field: ATTENDEE (2), CATEGORIES, DESCRIPTION, "
                                     "LOCATION (2), PERCENT-COMPLETE, VALARM, VALARM (after the first)",
                                 }));
    }

    // What our fields hold more coarsely than the format goes back out as it came in, through the
    // document file too, until the field is changed; a done appointment stays done.
    void keptValuesGoBackOut() {
        const auto todo = [](const std::string& summary, const std::vector<std::string>& more) {
            std::vector<std::string> lines = {"BEGIN:VTODO", "UID:" + summary + "@test", "SUMMARY:" + summary,
                                              "DUE;VALUE=DATE:20260501"};
            lines.insert(lines.end(), more.begin(), more.end());
            lines.push_back("END:VTODO");
            return lines;
        };
        std::vector<std::string> lines;
        for (const auto& entry : {todo("Three", {"PRIORITY:3"}), todo("One", {"PRIORITY:1"}),
                                  todo("DoneTwo", {"PRIORITY:2", "STATUS:COMPLETED"}), todo("Seven", {"PRIORITY:7"})})
            lines.insert(lines.end(), entry.begin(), entry.end());
        for (const std::string hour : {"09", "11"}) {
            lines.insert(lines.end(), {"BEGIN:VEVENT", "UID:" + hour + "@test", "SUMMARY:At " + hour,
                                       "DTSTART:20260501T" + hour + "0000", "DURATION:PT1H"});
            if (hour == "09")
                lines.push_back("X-TAVORO-DONE:TRUE");
            lines.push_back("END:VEVENT");
        }
        PimDocument imported;
        calendarexchange::ImportText(imported, calendarOf(lines), options());
        // Saved and opened again; then one priority changed by hand.
        PimDocument document;
        FakePromptService prompt;
        QVERIFY(DocumentFormat::Load(DocumentWriter::Write(imported.Records()), document, prompt));
        Task seven = document.Tasks().Items().rbegin()->second;
        QCOMPARE(seven.Description, std::string("Seven"));
        seven.Priority = Task::High;
        QVERIFY(document.Change(seven));
        const std::string text = calendarexchange::ExportText(document, {}, nullptr);
        std::vector<std::string> priorities;
        for (std::size_t at = 0; (at = text.find("PRIORITY:", at)) != std::string::npos; ++at)
            priorities.push_back(text.substr(at, text.find('\r', at) - at));
        QCOMPARE(priorities, std::vector<std::string>({"PRIORITY:3", "PRIORITY:1", "PRIORITY:2", "PRIORITY:1"}));
        QCOMPARE(text.find("X-TAVORO-DONE:TRUE"), text.rfind("X-TAVORO-DONE:TRUE"));
        PimDocument again;
        calendarexchange::ImportText(again, text, options());
        std::vector<int> done;
        for (const auto& [id, a] : again.Appointments())
            done.push_back(a.Done);
        QCOMPARE(done, std::vector<int>({1, 0}));
    }

    // A file is parsed a group of to-dos at a time: each group still sees the calendar's zones
    // (here after the to-dos), a series and its changed occurrence stay together, and a second
    // calendar in the file is read too. The file starts with a UTF-8 byte-order mark.
    void largeFileInParts() {
        std::vector<std::string> lines = {"X-WR-CALNAME:Big"};
        const int count = 2 * static_cast<int>(calendarparts::kTodosPerPart) + 1;
        for (int i = 0; i < count; ++i)
            lines.insert(lines.end(), {"BEGIN:VTODO", "UID:t" + std::to_string(i), "SUMMARY:Task " + std::to_string(i),
                                       "DUE;TZID=Far:20260501T050000", "END:VTODO"});
        lines.insert(lines.end(), {"BEGIN:VEVENT",
                                   "UID:e",
                                   "SUMMARY:Weekly",
                                   "DTSTART;TZID=Far:20260504T090000",
                                   "DURATION:PT1H",
                                   "RRULE:FREQ=WEEKLY;COUNT=3",
                                   "END:VEVENT",
                                   "BEGIN:VEVENT",
                                   "UID:e",
                                   "RECURRENCE-ID;TZID=Far:20260511T090000",
                                   "SUMMARY:Moved",
                                   "DTSTART;TZID=Far:20260511T100000",
                                   "DURATION:PT1H",
                                   "END:VEVENT",
                                   "BEGIN:VTIMEZONE",
                                   "TZID:Far",
                                   "BEGIN:STANDARD",
                                   "DTSTART:19700101T000000",
                                   "TZOFFSETFROM:+1000",
                                   "TZOFFSETTO:+1000",
                                   "END:STANDARD",
                                   "END:VTIMEZONE"});
        std::string text = "\xEF\xBB\xBF" + calendarOf(lines);
        text += "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:Second calendar\r\nDUE;VALUE=DATE:20260601\r\n"
                "END:VTODO\r\nEND:VCALENDAR\r\n";
        PimDocument document;
        const ExchangeReport report = calendarexchange::ImportText(document, text, options());
        QCOMPARE(report.tasks, count + 1);
        QCOMPARE(report.appointments, 2);
        // 05:00 at UTC+10 is 21:00 the day before in Berlin.
        for (const auto& [id, task] : document.Tasks())
            if (id <= count)
                QCOMPARE(task.DueDate, DateTime(2026, 4, 30, 0, 0, 0));
        QStringList calendar = recorddump::Calendar(document.Records());
        QCOMPARE(calendar.mid(0, 2),
                 QStringList({"appointment 2026-05-04 01:00-02:00 repeats FREQ=WEEKLY;COUNT=3 Weekly",
                              "appointment 2026-05-11 02:00-03:00 for 2026-05-11 of #1 Moved"}));
        QCOMPARE(calendar.last(), QStringLiteral("task 2026-06-01 00:00 Medium Second calendar"));
    }

    void zones_data() {
        QTest::addColumn<QString>("tzid");
        QTest::addColumn<QString>("start"); // the file's DTSTART value
        QTest::addColumn<QString>("local"); // where it lands here, in Berlin
        QTest::addColumn<QString>("note");
        QTest::newRow("zone database") << "America/New_York"
                                       << "20260615T090000"
                                       << "2026-06-15 15:00"
                                       << "";
        QTest::newRow("Windows name") << "Eastern Standard Time"
                                      << "20260615T090000"
                                      << "2026-06-15 15:00"
                                      << "";
        QTest::newRow("Windows name, winter") << "W. Europe Standard Time"
                                              << "20261215T090000"
                                              << "2026-12-15 09:00"
                                              << "";
        QTest::newRow("unknown") << "Nowhere/Special"
                                 << "20260615T090000"
                                 << "2026-06-15 09:00"
                                 << "Unknown time zone \"Nowhere/Special\": its times were read as local time";
        QTest::newRow("skipped by summer time") << "Europe/Berlin"
                                                << "20270328T023000"
                                                << "2027-03-28 03:30"
                                                << "";
        QTest::newRow("repeated by winter time") << "Europe/Berlin"
                                                 << "20261025T023000"
                                                 << "2026-10-25 02:30"
                                                 << "";
    }

    void zones() {
        QFETCH(QString, tzid);
        QFETCH(QString, start);
        QFETCH(QString, local);
        QFETCH(QString, note);
        const std::string zone = tzid.toStdString();
        const std::string text = calendarOf({"BEGIN:VEVENT", "UID:zone@test", "SUMMARY:Call",
                                             "DTSTART;TZID=" + zone + ":" + start.toStdString(), "DURATION:PT30M",
                                             "END:VEVENT", "BEGIN:VTODO", "UID:due@test", "SUMMARY:Due",
                                             "DUE;TZID=" + zone + ":" + start.toStdString(), "END:VTODO"});
        PimDocument document;
        const ExchangeReport report = calendarexchange::ImportText(document, text, options());
        QCOMPARE(report.appointments, 1);
        QCOMPARE(report.tasks, 1);
        const Appointment& call = document.Appointments().begin()->second;
        QCOMPARE(QString::fromStdString(call.StartTime.Format("%Y-%m-%d %H:%M")), local);
        QCOMPARE(std::lround((call.EndTime - call.StartTime).Days() * 1440.0), 30L);
        const Task& due = document.Tasks().begin()->second;
        QCOMPARE(due.DueDate, call.StartTime.Date());
        QCOMPARE(report.notes, note.isEmpty() ? std::vector<std::string>() : std::vector{note.toStdString()});
    }

    // Series with an excluded date and a moved occurrence, whole days, zones, a time past midnight and
    // long reminders: the export passes libical's checker, names each zone once, and imported again
    // shows the same occurrences, done where they were; importing it once more adds nothing.
    void seriesComeBackWhole() {
        PimDocument source;
        Appointment weekly = AnAppointment("Team meeting").On(2027, 3, 15).From(10).Lasting(60).AlarmBefore(15);
        weekly.RRule = "FREQ=WEEKLY;BYDAY=MO,TH;UNTIL=20270415T235959Z";
        weekly.ExDates = {CalendarDate::FromParts(2027, 3, 25)};
        const int series = *source.Add(weekly);
        Appointment moved = AnAppointment("Team meeting (moved)").On(2027, 3, 30).From(14, 30).Lasting(60);
        moved.SeriesID = series;
        moved.OriginalDate = CalendarDate::FromParts(2027, 3, 29);
        moved.Done = 1;
        source.Add(moved);
        Appointment trip =
            allDay("Trip to Rome", CalendarDate::FromParts(2027, 6, 10), CalendarDate::FromParts(2027, 6, 12));
        trip.Alarm = 1;
        trip.AlarmTime = trip.StartTime - DateTimeSpan(2.0);
        trip.Done = 1;
        source.Add(trip);
        Appointment birthday = allDay("Ann's birthday", CalendarDate::FromParts(1990, 5, 17));
        birthday.RRule = "FREQ=YEARLY";
        source.Add(birthday);
        Appointment standup = AnAppointment("New York stand-up").On(2027, 3, 8).From(14).Lasting(15);
        standup.TimeZone = "America/New_York";
        standup.RRule = "FREQ=WEEKLY;COUNT=5";
        source.Add(standup);
        Appointment call = AnAppointment("Call Bob").On(2027, 3, 1).From(9, 7).Lasting(16);
        call.TimeZone = "Asia/Tokyo";
        source.Add(call);
        source.Add(AnAppointment("Night shift").On(2027, 3, 2).From(23).Lasting(180));

        const std::string text = calendarexchange::ExportText(source, {}, nullptr);
        icalcomponent* calendar = icalparser_parse_string(text.c_str());
        QVERIFY(calendar);
        QVERIFY(icalrestriction_check(calendar));
        QCOMPARE(icalcomponent_count_errors(calendar), 0);
        QCOMPARE(icalcomponent_count_components(calendar, ICAL_VTIMEZONE_COMPONENT), 3);
        icalcomponent_free(calendar);
        for (const char* line :
             {"RRULE:FREQ=WEEKLY;UNTIL=20270415T235959Z;BYDAY=MO,TH", "EXDATE;TZID=Europe/Berlin:20270325T100000",
              "RECURRENCE-ID;TZID=Europe/Berlin:20270329T100000", "DTSTART;TZID=Europe/Berlin:20270330T143000",
              "DTSTART;VALUE=DATE:20270610", "DTEND;VALUE=DATE:20270613", "TRIGGER:-P2D",
              "DTSTART;TZID=America/New_York:20270308T080000", "DTSTART;TZID=Asia/Tokyo:20270301T170700",
              "TZID:America/New_York", "DTSTART:20270302T220000Z", "DTEND:20270303T010000Z"})
            QVERIFY2(text.find(line) != std::string::npos, line);
        QCOMPARE(text.find("RECURRENCE-ID", text.find("RECURRENCE-ID") + 1), std::string::npos);

        PimDocument target;
        const ExchangeReport report = calendarexchange::ImportText(target, text, options());
        QCOMPARE(report.appointments, 7);
        QVERIFY(report.skipped.empty());
        QVERIFY(report.notes.empty());
        QCOMPARE(occurrences2027(target.Records()), occurrences2027(source.Records()));
        const auto done = [](const PimDocument& document) {
            QStringList names;
            for (const auto& [id, a] : document.Appointments())
                if (a.Done)
                    names << QString::fromStdString(a.Description);
            return names;
        };
        QCOMPARE(done(target), QStringList({"Team meeting (moved)", "Trip to Rome"}));
        QCOMPARE(calendarexchange::ImportText(target, text, options()).alreadyPresent, 7);
    }

    // What an event keeps here, field by field, and what the report says of what it could not keep.
    void readsWhatItKeeps_data() {
        QTest::addColumn<QStringList>("lines");   // of VEVENTs, each begun and ended
        QTest::addColumn<QStringList>("records"); // as recorddump gives them
        QTest::addColumn<QStringList>("notes");
        const QStringList none;
        QTest::newRow("a 09:07 call") << QStringList{"SUMMARY:Call", "DTSTART:20270301T090700", "DTEND:20270301T092330"}
                                      << QStringList{"appointment 2027-03-01 09:07-09:23 Call"} << none;
        QTest::newRow("past midnight") << QStringList{"SUMMARY:Night", "DTSTART:20270302T230000", "DURATION:PT3H"}
                                       << QStringList{"appointment 2027-03-02 23:00-02:00 ending 2027-03-03 Night"}
                                       << none;
        QTest::newRow("whole days by duration")
            << QStringList{"SUMMARY:Trip", "DTSTART;VALUE=DATE:20270610", "DURATION:P3D"}
            << QStringList{"appointment 2027-06-10 all day to 2027-06-12 Trip"} << none;
        QTest::newRow("a day by default") << QStringList{"SUMMARY:Holiday", "DTSTART;VALUE=DATE:20270601"}
                                          << QStringList{"appointment 2027-06-01 all day Holiday"} << none;
        QTest::newRow("Windows zone, long reminder")
            << QStringList{"SUMMARY:Call",   "DTSTART;TZID=Eastern Standard Time:20270615T090000",
                           "DURATION:PT30M", "BEGIN:VALARM",
                           "ACTION:DISPLAY", "TRIGGER:-PT90M",
                           "END:VALARM"}
            << QStringList{"appointment 2027-06-15 15:00-15:30 zone America/New_York alarm 13:30 Call"} << none;
        QTest::newRow("reminder beyond four weeks")
            << QStringList{"SUMMARY:Exam", "DTSTART:20270615T090000", "BEGIN:VALARM", "ACTION:DISPLAY", "TRIGGER:-P6W",
                           "END:VALARM"}
            << QStringList{"appointment 2027-06-15 09:00-09:00 alarm 09:00 Exam"}
            << QStringList{"\"Exam\": reminder more than four weeks ahead, set four weeks ahead"};
        QTest::newRow("series in UTC")
            << QStringList{"SUMMARY:Sync", "DTSTART:20270104T080000Z", "DTEND:20270104T083000Z", "RRULE:FREQ=DAILY"}
            << QStringList{"appointment 2027-01-04 09:00-09:30 zone UTC repeats FREQ=DAILY Sync"} << none;
        QTest::newRow("cancelled occurrence is left out")
            << QStringList{"UID:s",
                           "SUMMARY:Choir",
                           "DTSTART;VALUE=DATE:20270104",
                           "RRULE:FREQ=WEEKLY;COUNT=4",
                           "END:VEVENT",
                           "BEGIN:VEVENT",
                           "UID:s",
                           "SUMMARY:Choir",
                           "STATUS:CANCELLED",
                           "RECURRENCE-ID;VALUE=DATE:20270111",
                           "DTSTART;VALUE=DATE:20270111"}
            << QStringList{"appointment 2027-01-04 all day repeats FREQ=WEEKLY;COUNT=4 except 2027-01-11 Choir"}
            << none;
        QTest::newRow("changed occurrence without its series")
            << QStringList{"UID:s", "SUMMARY:Moved", "RECURRENCE-ID:20270111T090000", "DTSTART:20270112T100000",
                           "DURATION:PT1H"}
            << QStringList{"appointment 2027-01-12 10:00-11:00 Moved"} << none;
        QTest::newRow("added dates")
            << QStringList{"SUMMARY:Course",
                           "DTSTART:20270104T180000",
                           "DURATION:PT1H",
                           "RRULE:FREQ=WEEKLY;COUNT=2",
                           "RDATE:20270107T180000,20270104T180000",
                           "RDATE:20270109T200000"}
            << QStringList{"appointment 2027-01-04 18:00-19:00 repeats FREQ=WEEKLY;COUNT=2 also 2027-01-07 Course",
                           "appointment 2027-01-09 20:00-21:00 Course"}
            << QStringList{"\"Course\": 1 date added to the series (RDATE) at another time kept as appointments of "
                           "their own"};
        QTest::newRow("added dates alone, in a zone, as dates")
            << QStringList{"SUMMARY:Visit",
                           "DTSTART;TZID=America/New_York:20270104T090000",
                           "DURATION:PT1H",
                           "RDATE:20270201T140000Z",
                           "EXDATE;TZID=America/New_York:20270301T090000",
                           "RDATE;TZID=America/New_York:20270301T090000",
                           "END:VEVENT",
                           "BEGIN:VEVENT",
                           "SUMMARY:Fair",
                           "DTSTART;VALUE=DATE:20270104",
                           "RDATE;VALUE=DATE:20270110,20270120"}
            << QStringList{"appointment 2027-01-04 15:00-16:00 zone America/New_York also 2027-02-01,2027-03-01 "
                           "except 2027-03-01 Visit",
                           "appointment 2027-01-04 all day also 2027-01-10,2027-01-20 Fair"}
            << none;
        QTest::newRow("rule not repeated by")
            << QStringList{"SUMMARY:Ping", "DTSTART:20270104T180000", "RRULE:FREQ=HOURLY;COUNT=3"}
            << QStringList{"appointment 2027-01-04 18:00-18:00 repeats FREQ=HOURLY;COUNT=3 Ping"}
            << QStringList{"\"Ping\": repeat rule FREQ=HOURLY;COUNT=3 kept, but only its first occurrence is shown"};
    }
    void readsWhatItKeeps() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, records);
        QFETCH(QStringList, notes);
        std::vector<std::string> event{"BEGIN:VEVENT"};
        for (const QString& line : lines)
            event.push_back(line.toStdString());
        event.push_back("END:VEVENT");
        PimDocument document;
        const ExchangeReport report = calendarexchange::ImportText(document, calendarOf(event), options());
        QCOMPARE(recorddump::Calendar(document.Records()), records);
        QStringList said;
        for (const std::string& note : report.notes)
            said << QString::fromStdString(note);
        QCOMPARE(said, notes);
        QVERIFY(report.skipped.empty());
    }

    // A NUL byte is dropped, as the vCard reader does; a line too long for libical to read in
    // reasonable time is left out and named, folded or not, and the rest is read.
    void awkwardBytes_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("skipped");
        const std::string huge(calendarlines::kLongestLine + 1, 'x');
        QTest::newRow("NUL") << QByteArray("SUMMARY:Lun\0ch", 14) << "Lunch"
                             << "";
        QTest::newRow("long line") << QByteArray::fromStdString("X-NOTE:" + huge) << "Plan"
                                   << "line 6: longer than 64 KB, left out";
        std::string folded = "X-NOTE:";
        for (size_t i = 0; i < huge.size(); i += 70)
            folded += huge.substr(i, 70) + "\r\n ";
        folded += "end";
        QTest::newRow("long folded line") << QByteArray::fromStdString(folded) << "Plan"
                                          << "line 6: longer than 64 KB, left out";
        QTest::newRow("at the limit") << QByteArray::fromStdString("X-NOTE:" + huge.substr(8)) << "Plan"
                                      << "";
    }

    void awkwardBytes() {
        QFETCH(QByteArray, line);
        QFETCH(QString, summary);
        QFETCH(QString, skipped);
        const std::string text = calendarOf({"BEGIN:VTODO", "UID:plan@test", line.toStdString(), "SUMMARY:Plan",
                                             "DUE;VALUE=DATE:20260501", "END:VTODO"});
        PimDocument document;
        const ExchangeReport report = calendarexchange::ImportText(document, text, options());
        QVERIFY(!report.Failed());
        QCOMPARE(report.tasks, 1);
        QCOMPARE(QString::fromStdString(document.Tasks().begin()->second.Description), summary);
        QCOMPARE(report.skipped, skipped.isEmpty() ? std::vector<std::string>() : std::vector{skipped.toStdString()});
    }

    void brokenFileChangesNothing() {
        PimDocument document;
        const ExchangeReport report = calendarexchange::ImportText(document, "no calendar here", options());
        QVERIFY(report.Failed());
        QCOMPARE(document.Appointments().Count() + document.Tasks().Count(), size_t(0));
        QVERIFY(!document.IsModified());
    }

    // Two records for a collection with room for one: nothing of the file stays, and the report
    // says why in the words every import uses.
    void noIdLeftTakesBackTheImport_data() {
        QTest::addColumn<RecordKind>("kind");
        QTest::newRow("appointments") << RecordKind::Appointment;
        QTest::newRow("tasks") << RecordKind::Task;
    }
    void noIdLeftTakesBackTheImport() {
        QFETCH(RecordKind, kind);
        PimDocument source;
        source.Add(AnAppointment("Dentist").On(2026, 4, 1));
        source.Add(AnAppointment("Lunch").On(2026, 4, 2));
        source.Add(ATask("Call").Due(2026, 4, 1));
        source.Add(ATask("Write").Due(2026, 4, 2));
        PimDocument document;
        LoadWithOneIdLeft(document, kind);
        const ExchangeReport report =
            calendarexchange::ImportText(document, calendarexchange::ExportText(source, {}, nullptr), options());
        QCOMPARE(report.error,
                 QStringLiteral("No more records can be added: every ID is taken. Nothing was imported."));
        QCOMPARE(RecordCount(document.Records(), kind), std::size_t(1));
        QVERIFY(!document.IsModified());
    }
};

TAVORO_TEST_MAIN(TestICalendar)
#include "TestICalendar.moc"
