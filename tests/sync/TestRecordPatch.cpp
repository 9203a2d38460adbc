#include "support/TestMain.h"

#include "core/AppointmentOccurrences.h"
#include "sync/ContentLines.h"
#include "sync/RecordPatch.h"
#include "sync/RecordText.h"

#include <functional>

namespace {

// A contact as a phone keeps it, with much this program has no field for.
const char kRichCard[] =
    "BEGIN:VCARD\r\n"
    "VERSION:3.0\r\n"
    "PRODID:-//Phone//Contacts 2.0//EN\r\n"
    "UID:rich-contact-1\r\n"
    "N:Meyer;Anna;Maria;Dr.;PhD\r\n"
    "FN:Dr. Anna Maria Meyer PhD\r\n"
    "NICKNAME:Annie\r\n"
    "ORG:Northwind Traders;Sales;Europe\r\n"
    "TITLE:Head of Sales\r\n"
    "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBk\r\n"
    " SEw8UHRofHh0aHBwgJC4nICIsIxwcKDcpLDAxNDQ0Hyc5PTgyPC4zNDL/wAALCAABAAEBAREA\r\n"
    "BDAY:1980-04-12\r\n"
    "ANNIVERSARY:20050618\r\n"
    "CATEGORIES:Work,Friends\r\n"
    "IMPP;TYPE=xmpp:xmpp:anna@example.org\r\n"
    "X-SOCIALPROFILE;TYPE=twitter:https://example.org/anna\r\n"
    "EMAIL;TYPE=INTERNET,HOME;TYPE=PREF:anna@home.example.org\r\n"
    "EMAIL;TYPE=INTERNET,WORK:anna@northwind.example.com\r\n"
    "EMAIL;TYPE=INTERNET:anna.meyer@example.net\r\n"
    "TEL;TYPE=CELL;TYPE=PREF:+49 170 1111111\r\n"
    "TEL;TYPE=CELL:+49 170 2222222\r\n"
    "TEL;TYPE=HOME:+49 221 555001\r\n"
    "TEL;TYPE=WORK:+49 221 555002 ext. 12\r\n"
    "ADR;TYPE=HOME:;;Hauptstraße 5;Köln;NRW;50667;Germany\r\n"
    "ADR;TYPE=WORK:;Building B;Industriestraße 9;Düsseldorf;;40210;Germany\r\n"
    "item1.URL:https://anna.example.org\r\n"
    "item1.X-ABLabel:Homepage\r\n"
    "NOTE:Met at the fair.\\nLikes tea.\r\n"
    "X-PHONE-RINGTONE:bells\r\n"
    "END:VCARD\r\n";

const char kBerlin[] = "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
                       "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\nTZNAME:CET\r\nTZOFFSETFROM:+0200\r\n"
                       "TZOFFSETTO:+0100\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\n"
                       "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\nTZNAME:CEST\r\nTZOFFSETFROM:+0100\r\n"
                       "TZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";

// An event at 09:07-09:52 with two alarms, one two hours ahead.
std::string richEvent() {
    return std::string("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//Calendar//EN\r\n") + kBerlin +
           "BEGIN:VEVENT\r\n"
           "UID:rich-event-1\r\n"
           "DTSTAMP:20260301T100000Z\r\n"
           "SUMMARY:Planning\\, with Bob\r\n"
           "DTSTART;TZID=Europe/Berlin:20260310T090700\r\n"
           "DTEND;TZID=Europe/Berlin:20260310T095200\r\n"
           "LOCATION:Room 4\\; Building B\r\n"
           "DESCRIPTION:Line one\\nLine two with a long text that a phone folds somewhere a\r\n"
           " round here\r\n"
           "ORGANIZER;CN=\"Smith, Bob\":mailto:bob@example.org\r\n"
           "ATTENDEE;CN=Ann;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED:mailto:ann@example.org\r\n"
           "CATEGORIES:Work,Planning\r\n"
           "STATUS:CONFIRMED\r\n"
           "URL:https://example.org/x?a=1&b=2\r\n"
           "PRIORITY:3\r\n"
           "CLASS:PRIVATE\r\n"
           "X-PHONE-COLOR:#ff0000\r\n"
           "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT2H\r\nEND:VALARM\r\n"
           "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER;RELATED=END:PT0S\r\nEND:VALARM\r\n"
           "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

std::string richTodo() {
    return std::string("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//Tasks//EN\r\n") + kBerlin +
           "BEGIN:VTODO\r\n"
           "UID:rich-todo-1\r\n"
           "DTSTAMP:20260301T100000Z\r\n"
           "SUMMARY:Prepare slides\r\n"
           "DESCRIPTION:For the board\r\n"
           "DTSTART;TZID=Europe/Berlin:20260315T090000\r\n"
           "DUE;TZID=Europe/Berlin:20260320T170000\r\n"
           "STATUS:IN-PROCESS\r\n"
           "PERCENT-COMPLETE:40\r\n"
           "PRIORITY:3\r\n"
           "CATEGORIES:Work\r\n"
           "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Slides\r\nTRIGGER:-PT30M\r\nEND:VALARM\r\n"
           "END:VTODO\r\nEND:VCALENDAR\r\n";
}

// A weekly series at a place, with one occurrence moved to a church with a guest.
std::string richSeries() {
    return std::string("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//Calendar//EN\r\n") + kBerlin +
           "BEGIN:VEVENT\r\nUID:series-1\r\nDTSTAMP:20260301T100000Z\r\nSUMMARY:Choir\r\n"
           "DTSTART;TZID=Europe/Berlin:20260302T181500\r\nDTEND;TZID=Europe/Berlin:20260302T193000\r\n"
           "RRULE:FREQ=WEEKLY;COUNT=6\r\nLOCATION:Hall 2\r\nX-PHONE-COLOR:#00ff00\r\n"
           "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Soon\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
           "END:VEVENT\r\n"
           "BEGIN:VEVENT\r\nUID:series-1\r\nDTSTAMP:20260301T100000Z\r\n"
           "RECURRENCE-ID;TZID=Europe/Berlin:20260309T181500\r\nSUMMARY:Choir (in the church)\r\n"
           "DTSTART;TZID=Europe/Berlin:20260309T190000\r\nDTEND;TZID=Europe/Berlin:20260309T203000\r\n"
           "LOCATION:Church\r\nATTENDEE;CN=Ann:mailto:ann@example.org\r\nEND:VEVENT\r\n"
           "END:VCALENDAR\r\n";
}

QStringList logicalLines(const std::string& text) {
    const ContentLines lines(text);
    QStringList all;
    for (std::size_t i = 0; i < lines.Size(); ++i)
        all << QString::fromStdString(lines.At(i).logical);
    return all;
}

// The lines the patch took away and the lines it added; every other line must stand in the
// patched text exactly as it stood, folds included.
void compareChange(const std::string& original, const std::string& patched, const QStringList& removed,
                   const QStringList& added) {
    const QStringList before = logicalLines(original), after = logicalLines(patched);
    QStringList gone, come;
    for (const QString& line : before)
        if (!after.contains(line))
            gone << line;
    for (const QString& line : after)
        if (!before.contains(line))
            come << line;
    QCOMPARE(gone, removed);
    QCOMPARE(come, added);
    const ContentLines lines(original);
    for (std::size_t i = 0; i < lines.Size(); ++i)
        if (!removed.contains(QString::fromStdString(lines.At(i).logical)))
            QVERIFY2(patched.find(lines.At(i).raw) != std::string::npos, lines.At(i).raw.c_str());
}

template <class Record> Record readBack(const std::string& text) {
    const recordtext::ServerObject object = recordtext::Read(QByteArray::fromStdString(text), false);
    return object.Get<Record>();
}

using CardEdit = std::function<void(Person&)>;
using EventEdit = std::function<void(Appointment&)>;
using TodoEdit = std::function<void(Task&)>;
using SeriesEdit = std::function<void(Appointment&, std::vector<Appointment>&)>;

} // namespace

Q_DECLARE_METATYPE(CardEdit)
Q_DECLARE_METATYPE(EventEdit)
Q_DECLARE_METATYPE(TodoEdit)
Q_DECLARE_METATYPE(SeriesEdit)

// An edit here rewrites only the properties of the fields it changed; everything else the server
// held stays byte for byte.
class TestRecordPatch : public QObject {
    Q_OBJECT

private slots:
    void cardEdits_data() {
        QTest::addColumn<CardEdit>("edit");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("city") << CardEdit([](Person& p) { p.City = "Bonn"; })
                              << QStringList{"ADR;TYPE=HOME:;;Hauptstraße 5;Köln;NRW;50667;Germany"}
                              << QStringList{"ADR;TYPE=HOME:;;Hauptstraße 5;Bonn;NRW;50667;Germany"};
        QTest::newRow("mobile") << CardEdit([](Person& p) { p.CelPhone = "+49 170 3333333"; })
                                << QStringList{"TEL;TYPE=CELL;TYPE=PREF:+49 170 1111111"}
                                << QStringList{"TEL;TYPE=CELL;TYPE=PREF:+49 170 3333333"};
        QTest::newRow("e-mail") << CardEdit([](Person& p) { p.EMail = "anna@new.example.org"; })
                                << QStringList{"EMAIL;TYPE=INTERNET,HOME;TYPE=PREF:anna@home.example.org"}
                                << QStringList{"EMAIL;TYPE=INTERNET,HOME;TYPE=PREF:anna@new.example.org"};
        QTest::newRow("last name") << CardEdit([](Person& p) { p.LName = "Schulz"; })
                                   << QStringList{"N:Meyer;Anna;Maria;Dr.;PhD", "FN:Dr. Anna Maria Meyer PhD"}
                                   << QStringList{"N:Schulz;Anna;Maria;Dr.;PhD", "FN:Dr. Anna Maria Schulz PhD"};
        QTest::newRow("home phone cleared") << CardEdit([](Person& p) { p.HmPhone.clear(); })
                                            << QStringList{"TEL;TYPE=HOME:+49 221 555001"} << QStringList{};
        QTest::newRow("work extension") << CardEdit([](Person& p) { p.WkExt = "13"; })
                                        << QStringList{"TEL;TYPE=WORK:+49 221 555002 ext. 12"}
                                        << QStringList{"TEL;TYPE=WORK:+49 221 555002 ext. 13"};
        QTest::newRow("notes") << CardEdit([](Person& p) { p.Notes = "Likes coffee."; })
                               << QStringList{"NOTE:Met at the fair.\\nLikes tea."}
                               << QStringList{"NOTE:Likes coffee."};
        QTest::newRow("yellow pages") << CardEdit([](Person& p) { p.YellowPages = 1; }) << QStringList{}
                                      << QStringList{"X-TAVORO-PAGES:white\\,yellow"};
        QTest::newRow("company") << CardEdit([](Person& p) { p.Company = "Northwind Traders, Sales, Asia"; })
                                 << QStringList{"ORG:Northwind Traders;Sales;Europe"}
                                 << QStringList{"ORG:Northwind Traders;Sales;Asia"};
        QTest::newRow("birthday") << CardEdit([](Person& p) { p.Birthday = "--04-13"; })
                                  << QStringList{"BDAY:1980-04-12"} << QStringList{"BDAY:--04-13"};
        QTest::newRow("anniversary, basic form kept")
            << CardEdit([](Person& p) { p.Anniversary = "2006-06-18"; }) << QStringList{"ANNIVERSARY:20050618"}
            << QStringList{"ANNIVERSARY:20060618"};
        QTest::newRow("birthday cleared")
            << CardEdit([](Person& p) { p.Birthday.clear(); }) << QStringList{"BDAY:1980-04-12"} << QStringList{};
        QTest::newRow("nothing") << CardEdit([](Person&) {}) << QStringList{} << QStringList{};
    }
    void cardEdits() {
        QFETCH(CardEdit, edit);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, added);
        const recordtext::ServerObject object = recordtext::ReadCard(kRichCard);
        QCOMPARE(object.kind, std::optional<RecordKind>(RecordKind::Person));
        Person local = object.person;
        edit(local);
        const std::optional<std::string> patched = recordpatch::Patch(kRichCard, local);
        QVERIFY(patched);
        compareChange(kRichCard, *patched, removed, added);
        QCOMPARE(recordtext::Hash(recordtext::ReadCard(QByteArray::fromStdString(*patched)).person),
                 recordtext::LocalHash(local));
    }

    void eventEdits_data() {
        QTest::addColumn<EventEdit>("edit");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("summary") << EventEdit([](Appointment& a) { a.Description = "Planning, with Bob and Ann"; })
                                 << QStringList{"SUMMARY:Planning\\, with Bob"}
                                 << QStringList{"SUMMARY:Planning\\, with Bob and Ann"};
        QTest::newRow("reminder off") << EventEdit([](Appointment& a) {
            a.Alarm = 0;
        }) << QStringList{"BEGIN:VALARM", "ACTION:DISPLAY", "DESCRIPTION:Reminder",     "TRIGGER:-PT2H", "END:VALARM",
                          "BEGIN:VALARM", "ACTION:AUDIO",   "TRIGGER;RELATED=END:PT0S", "END:VALARM"}
                                      << QStringList{};
        QTest::newRow("reminder lead") << EventEdit([](Appointment& a) {
            a.AlarmTime = a.StartTime - DateTimeSpan(30.0 / 1440);
        }) << QStringList{"TRIGGER:-PT2H"}
                                       << QStringList{"TRIGGER:-PT30M"};
        QTest::newRow("moved an hour later")
            << EventEdit([](Appointment& a) {
                   a.StartTime = a.StartTime + DateTimeSpan(1.0 / 24);
                   a.EndTime = a.EndTime + DateTimeSpan(1.0 / 24);
                   a.AlarmTime = a.AlarmTime + DateTimeSpan(1.0 / 24);
               })
            << QStringList{"DTSTART;TZID=Europe/Berlin:20260310T090700", "DTEND;TZID=Europe/Berlin:20260310T095200"}
            << QStringList{"DTSTART;TZID=Europe/Berlin:20260310T100700", "DTEND;TZID=Europe/Berlin:20260310T105200"};
        QTest::newRow("end only") << EventEdit([](Appointment& a) { a.EndTime = a.EndTime + DateTimeSpan(0.5 / 24); })
                                  << QStringList{"DTEND;TZID=Europe/Berlin:20260310T095200"}
                                  << QStringList{"DTEND;TZID=Europe/Berlin:20260310T102200"};
        QTest::newRow("done") << EventEdit([](Appointment& a) { a.Done = 1; }) << QStringList{}
                              << QStringList{"X-TAVORO-DONE:TRUE"};
    }
    void eventEdits() {
        QFETCH(EventEdit, edit);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, added);
        const std::string text = richEvent();
        Appointment local = readBack<Appointment>(text);
        // As held here: to the minute, with its two-hour alarm.
        QCOMPARE(local.StartTime, DateTime(2026, 3, 10, 9, 7, 0));
        QCOMPARE(local.EndTime, DateTime(2026, 3, 10, 9, 52, 0));
        QCOMPARE(local.AlarmTime, DateTime(2026, 3, 10, 7, 7, 0));
        edit(local);
        const std::optional<std::string> patched = recordpatch::Patch(text, local);
        QVERIFY(patched);
        compareChange(text, *patched, removed, added);
        const Appointment back = readBack<Appointment>(*patched);
        QCOMPARE(back.Description, local.Description);
        QCOMPARE(back.StartTime, local.StartTime);
        QCOMPARE(back.EndTime.Value(), local.EndTime.Value());
        QCOMPARE(back.Alarm, local.Alarm);
        QCOMPARE(back.Done, local.Done);
    }

    // Undone here: our mark goes, and so does another program's STATUS:COMPLETED, which reads as done.
    void eventUndone_data() {
        QTest::addColumn<QString>("mark");
        QTest::newRow("ours") << "X-TAVORO-DONE:TRUE";
        QTest::newRow("completed") << "STATUS:COMPLETED";
    }
    void eventUndone() {
        QFETCH(QString, mark);
        std::string text = richEvent();
        text.replace(text.find("STATUS:CONFIRMED"), 16, mark.toStdString());
        Appointment local = readBack<Appointment>(text);
        QCOMPARE(int(local.Done), 1);
        local.Done = 0;
        const std::optional<std::string> patched = recordpatch::Patch(text, local);
        QVERIFY(patched);
        compareChange(text, *patched, QStringList{mark}, QStringList{});
        QCOMPARE(int(readBack<Appointment>(*patched).Done), 0);
    }

    // A series patched: the rule and the excluded dates are written in the form DTSTART has, and
    // everything else the server had stays.
    void seriesEdits_data() {
        QTest::addColumn<EventEdit>("edit");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("summary") << EventEdit([](Appointment& a) { a.Description = "Planning"; })
                                 << QStringList{"SUMMARY:Planning\\, with Bob"} << QStringList{"SUMMARY:Planning"};
        QTest::newRow("one more date left out")
            << EventEdit([](Appointment& a) { a.ExDates.push_back(CalendarDate::FromParts(2026, 3, 24)); })
            << QStringList{} << QStringList{"EXDATE;TZID=Europe/Berlin:20260324T090700"};
        QTest::newRow("rule") << EventEdit([](Appointment& a) {
            a.RRule = "FREQ=WEEKLY;COUNT=8";
            a.ExDates.clear();
        }) << QStringList{"RRULE:FREQ=WEEKLY;COUNT=5", "EXDATE;TZID=Europe/Berlin:20260317T090700"}
                              << QStringList{"RRULE:FREQ=WEEKLY;COUNT=8"};
        QTest::newRow("repeats no more") << EventEdit([](Appointment& a) {
            a.RRule.clear();
            a.ExDates.clear();
        }) << QStringList{"RRULE:FREQ=WEEKLY;COUNT=5", "EXDATE;TZID=Europe/Berlin:20260317T090700"}
                                         << QStringList{};
    }
    void seriesEdits() {
        QFETCH(EventEdit, edit);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, added);
        std::string text = richEvent();
        text.insert(text.find("LOCATION:"),
                    "RRULE:FREQ=WEEKLY;COUNT=5\r\nEXDATE;TZID=Europe/Berlin:20260317T090700\r\n");
        Appointment local = readBack<Appointment>(text);
        QCOMPARE(local.ExDates, std::vector<CalendarDate>{CalendarDate::FromParts(2026, 3, 17)});
        edit(local);
        const std::optional<std::string> patched = recordpatch::Patch(text, local);
        QVERIFY(patched);
        compareChange(text, *patched, removed, added);
        const Appointment back = readBack<Appointment>(*patched);
        QCOMPARE(back.RRule, local.RRule);
        QCOMPARE(back.ExDates, local.ExDates);
    }

    // A series with changed occurrences is patched inside its one object: each component is matched
    // by the occurrence it stands for, and what only the server holds stays in all of them.
    void seriesWithChangesEdits_data() {
        QTest::addColumn<SeriesEdit>("edit");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<int>("places"); // components at "Hall 2"
        const auto later = [](Appointment& a, double hours) {
            a.StartTime = a.StartTime + DateTimeSpan(hours / 24);
            a.EndTime = a.EndTime + DateTimeSpan(hours / 24);
            a.AlarmTime = a.AlarmTime + DateTimeSpan(hours / 24);
        };
        QTest::newRow("series renamed") << SeriesEdit([](Appointment& a, auto&) { a.Description = "Singing"; })
                                        << QStringList{"SUMMARY:Singing", "SUMMARY:Choir (in the church)"}
                                        << QStringList{"SUMMARY:Choir"} << 1;
        QTest::newRow("changed occurrence moved")
            << SeriesEdit([=](Appointment&, auto& changed) { later(changed.front(), 1); })
            << QStringList{"DTSTART;TZID=Europe/Berlin:20260309T200000",
                           "RECURRENCE-ID;TZID=Europe/Berlin:20260309T181500"}
            << QStringList{"DTSTART;TZID=Europe/Berlin:20260309T190000"} << 1;
        QTest::newRow("occurrence left out")
            << SeriesEdit([](Appointment& a, auto&) { a.ExDates.push_back(CalendarDate::FromParts(2026, 3, 16)); })
            << QStringList{"EXDATE;TZID=Europe/Berlin:20260316T181500"} << QStringList{} << 1;
        QTest::newRow("occurrence changed here")
            << SeriesEdit([](Appointment& a, auto& changed) {
                   const std::optional<Occurrence> o =
                       AppointmentOccurrences(a).OnOriginalDate(CalendarDate::FromParts(2026, 3, 23));
                   changed.push_back(ChangedOccurrence(a, *o));
                   changed.back().Description = "Choir (outside)";
               })
            << QStringList{"RECURRENCE-ID;TZID=Europe/Berlin:20260323T181500", "SUMMARY:Choir (outside)",
                           "DTSTART;TZID=Europe/Berlin:20260323T181500"}
            << QStringList{} << 2;
        QTest::newRow("changed occurrence undone")
            << SeriesEdit([](Appointment&, auto& changed) { changed.clear(); }) << QStringList{"LOCATION:Hall 2"}
            << QStringList{"RECURRENCE-ID;TZID=Europe/Berlin:20260309T181500", "LOCATION:Church"} << 1;
        QTest::newRow("series an hour later")
            << SeriesEdit([=](Appointment& a, auto&) { later(a, 1); })
            << QStringList{"DTSTART;TZID=Europe/Berlin:20260302T191500", "DTSTART;TZID=Europe/Berlin:20260309T190000",
                           "RECURRENCE-ID;TZID=Europe/Berlin:20260309T191500"}
            << QStringList{"RECURRENCE-ID;TZID=Europe/Berlin:20260309T181500"} << 1;
    }
    void seriesWithChangesEdits() {
        QFETCH(SeriesEdit, edit);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QFETCH(int, places);
        const std::string text = richSeries();
        const recordtext::ServerObject object = recordtext::ReadCalendar(QByteArray::fromStdString(text));
        QCOMPARE(object.changed.size(), 1u);
        Appointment series = object.appointment;
        std::vector<Appointment> changed = object.changed;
        edit(series, changed);
        const std::optional<std::string> patched = recordpatch::Patch(text, series, changed);
        QVERIFY(patched);
        const QStringList lines = logicalLines(*patched);
        present << "X-PHONE-COLOR:#00ff00"
                << "TRIGGER:-PT15M";
        if (!absent.contains(QLatin1String("LOCATION:Church")))
            present << "ATTENDEE;CN=Ann:mailto:ann@example.org";
        for (const QString& line : present)
            QVERIFY2(lines.contains(line), qPrintable(line));
        for (const QString& line : absent)
            QVERIFY2(!lines.contains(line), qPrintable(line));
        QCOMPARE(int(lines.count(QStringLiteral("LOCATION:Hall 2"))), places);
    }

    void todoEdits_data() {
        QTest::addColumn<TodoEdit>("edit");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("summary") << TodoEdit([](Task& t) { t.Description = "Prepare the slides"; })
                                 << QStringList{"SUMMARY:Prepare slides"} << QStringList{"SUMMARY:Prepare the slides"};
        QTest::newRow("done") << TodoEdit([](Task& t) {
            t.Priority = Task::Done;
            t.DoneDate = DateTime(2026, 3, 18, 0, 0, 0);
        }) << QStringList{"STATUS:IN-PROCESS", "PERCENT-COMPLETE:40"}
                              << QStringList{"STATUS:COMPLETED", "PERCENT-COMPLETE:100", "COMPLETED:20260317T230000Z"};
        QTest::newRow("due two days later") << TodoEdit([](Task& t) { t.DueDate = DateTime(2026, 3, 22, 0, 0, 0); })
                                            << QStringList{"DUE;TZID=Europe/Berlin:20260320T170000"}
                                            << QStringList{"DUE;TZID=Europe/Berlin:20260322T170000"};
        QTest::newRow("low priority") << TodoEdit([](Task& t) { t.Priority = Task::Low; }) << QStringList{"PRIORITY:3"}
                                      << QStringList{"PRIORITY:9"};
    }
    void todoEdits() {
        QFETCH(TodoEdit, edit);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, added);
        const std::string text = richTodo();
        Task local = readBack<Task>(text);
        QCOMPARE(local.Priority, int(Task::High)); // priority 3
        edit(local);
        const std::optional<std::string> patched = recordpatch::Patch(text, local);
        QVERIFY(patched);
        compareChange(text, *patched, removed, added);
        const Task back = readBack<Task>(*patched);
        QCOMPARE(back.Description, local.Description);
        QCOMPARE(back.Priority, local.Priority);
        QCOMPARE(back.DueDate, local.DueDate);
    }

    // What cannot be read as such a record is written whole by the caller.
    // A birthday the card gives as text has no field here: it stays until a date is typed for it.
    void textBirthdayKeptUntilDateGiven() {
        const std::string card = "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Old Mill\r\nN:Mill;Old;;;\r\n"
                                 "BDAY;VALUE=text:circa 1800\r\nEND:VCARD\r\n";
        Person local = recordtext::ReadCard(QByteArray::fromStdString(card)).person;
        QVERIFY(local.Birthday.empty());
        local.City = "Bonn";
        compareChange(card, recordpatch::Patch(card, local).value(), {}, {"ADR;TYPE=home:;;;Bonn;;;"});
        local.Birthday = "1801-05-01";
        local.Anniversary = "--06-02";
        compareChange(card, recordpatch::Patch(card, local).value(), {"BDAY;VALUE=text:circa 1800"},
                      {"ADR;TYPE=home:;;;Bonn;;;", "BDAY:18010501", "ANNIVERSARY:--0602"});
    }

    void unreadableCopyIsNotPatched() {
        QVERIFY(!recordpatch::Patch("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n", Person()));
        QVERIFY(!recordpatch::Patch("not a calendar", Appointment()));
    }
};

TAVORO_TEST_MAIN(TestRecordPatch)
#include "TestRecordPatch.moc"
