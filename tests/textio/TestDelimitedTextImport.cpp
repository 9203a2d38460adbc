#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "support/OneIdLeft.h"
#include "support/RecordBuilders.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "textio/DelimitedTextOperations.h"
#include "textio/DelimitedTextSettings.h"
#include "textio/ImportReport.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>

#include <sys/stat.h>

using Names = std::vector<std::string>;

class TestDelimitedTextImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void persons();
    void tasks();
    void appointments();
    void overlapRule_data();
    void overlapRule();
    void snapsToQuarterHours_data();
    void snapsToQuarterHours();
    void alarmMinutes_data();
    void alarmMinutes();
    void alarmFlag_data();
    void alarmFlag();
    void readsEveryLine_data();
    void readsEveryLine();
    void readsWhatOtherProgramsWrite_data();
    void readsWhatOtherProgramsWrite();
    void takesEachFieldOnce_data();
    void takesEachFieldOnce();
    void reportsSkippedAppointments();
    void refusesWhatIsNoFile();
    void notifiesOnceForTheWholeImport();
    void nothingToRead_data();
    void nothingToRead();
    void takesBackWhenNoIdIsLeft_data();
    void takesBackWhenNoIdIsLeft();

private:
    QString writeFile(const QByteArray& content);
    DelimitedTextSettings settings(RecordKind kind, const QString& path, const Names& columns, bool header = false);
    Appointment importOneAppointment(const QByteArray& line, const Names& columns);

    QTemporaryDir m_dir;
    PimDocument m_document;
};

namespace {

const QString kData = QStringLiteral(TAVORO_TEST_DATA "/textio/");

class CountingObserver : public DocumentObserver {
public:
    void DocumentChanged(PimDocument& document) override {
        ++changes;
        recordsSeen = document.Persons().Count();
    }
    int changes = 0;
    std::size_t recordsSeen = 0;
};

DateTime at(int month, int day, int hour, int minute) {
    return DateTime(2003, month, day, hour, minute, 0);
}

} // namespace

void TestDelimitedTextImport::init() {
    platform::Clock::setFixed(platform::LocalTime{2011, 3, 4, 10, 20, 30});
    m_document.ClearContents();
    m_document.SetModified(false);
}

void TestDelimitedTextImport::cleanup() {
    platform::Clock::setFixed(std::nullopt);
}

QString TestDelimitedTextImport::writeFile(const QByteArray& content) {
    static int count = 0;
    return writeTestFile(m_dir.filePath(QStringLiteral("in%1.csv").arg(++count)), content);
}

DelimitedTextSettings TestDelimitedTextImport::settings(RecordKind kind, const QString& path, const Names& columns,
                                                        bool header) {
    DelimitedTextSettings s = DelimitedTextSettings::ForImport(kind);
    s.ApplyDefaultFormat();
    s.FirstLineHasNames = header;
    s.FilePath = path;
    s.SelectedFields = columns;
    s.ColumnCount = static_cast<int>(columns.size());
    return s;
}

Appointment TestDelimitedTextImport::importOneAppointment(const QByteArray& line, const Names& columns) {
    const DelimitedTextSettings s = settings(RecordKind::Appointment, writeFile(line + "\n"), columns);
    if (ImportAppointments(m_document, s) != 1 || m_document.Appointments().Count() != 1)
        return Appointment();
    return m_document.Appointments().begin()->second;
}

void TestDelimitedTextImport::persons() {
    const DelimitedTextSettings s =
        settings(RecordKind::Person, kData + QStringLiteral("csv_persons.csv"),
                 {"FirstName", "LastName", "Company", "Position", "Notes", "WhitePages", "YellowPages", ""}, true);
    ImportReport report;
    QCOMPARE(ImportPersons(m_document, s, &report), 5);
    QCOMPARE(report.skipped[int(ImportIssue::MissingValue)].lines, std::vector<int>{3});
    QCOMPARE(report.SkippedCount(), 1);
    QCOMPARE(m_document.Persons().LastID(), 5);
    QVERIFY(m_document.IsModified());

    const Person& anna = *m_document.Persons().Find(1);
    QCOMPARE(anna.RName, std::string("Berg, Anna"));
    QCOMPARE(anna.Position, std::string("  Owner  "));
    QCOMPARE(anna.Notes, std::string("Likes \"tea\""));
    QCOMPARE(m_document.Persons().Find(2)->Company, std::string("Acme"));
    const Person& dora = *m_document.Persons().Find(4);
    QCOMPARE(dora.LName, std::string());   // "EMPTY FIELD"
    QCOMPARE(dora.Company, std::string()); // "EOF"
    QCOMPARE(m_document.Persons().Find(5)->Notes, std::string("no line feed at the end"));

    // Neither book given means the white pages; "y" is not yes.
    const int books[][2] = {{1, 1}, {1, 0}, {1, 1}, {0, 1}, {0, 1}};
    for (int id = 1; id <= 5; ++id) {
        QCOMPARE(m_document.Persons().Find(id)->WhitePages, books[id - 1][0]);
        QCOMPARE(m_document.Persons().Find(id)->YellowPages, books[id - 1][1]);
    }
}

void TestDelimitedTextImport::tasks() {
    DelimitedTextSettings s =
        settings(RecordKind::Task, kData + QStringLiteral("csv_tasks.csv"), {"Task", "DueDate", "Priority"});
    s.Encloser = "'";
    s.Separator = ";";
    ImportReport report;
    QCOMPARE(ImportTasks(m_document, s, &report), 5);
    QCOMPARE(report.skipped[int(ImportIssue::MissingValue)].lines, std::vector<int>{3});
    QCOMPARE(report.defaulted[int(ImportIssue::UnreadableDate)].lines, std::vector<int>{4});
    QCOMPARE(DescribeImport(report, s),
             (QStringList{"1 line skipped, no task (line 3).", "1 date could not be read and became today (line 4)."}));
    const DateTime today(2011, 3, 4, 0, 0, 0);
    struct Expected {
        const char* description;
        DateTime due;
        int priority;
    };
    const Expected expected[] = {{"Pay rent", DateTime(2026, 12, 5, 0, 0, 0), 1},
                                 {"Water plants", DateTime(2026, 1, 15, 0, 0, 0), 3},
                                 {"Bad date", today, 0},
                                 {"Bad priority", today, 0},
                                 {"Leading number", DateTime(2026, 1, 31, 0, 0, 0), 2}};
    int id = 0;
    for (const Expected& e : expected) {
        const Task& task = *m_document.Tasks().Find(++id);
        QCOMPARE(task.Description, std::string(e.description));
        QCOMPARE(task.DueDate, e.due);
        QCOMPARE(task.Priority, e.priority);
    }
}

void TestDelimitedTextImport::appointments() {
    DelimitedTextSettings s =
        settings(RecordKind::Appointment, kData + QStringLiteral("csv_appointments.csv"), {}, true);
    s.FirstLine = "\"StartTime\",\"EndTime\",\"Appointment\",\"Date\",\"AlarmTime\",\"Alarmed\"";
    s.ListFirstLineFields();
    s.AssignColumnsByName();
    QCOMPARE(ImportAppointments(m_document, s), 3);

    const Appointment& planning = *m_document.Appointments().Find(1);
    QCOMPARE(planning.DueDate, at(5, 10, 0, 0));
    QCOMPARE(planning.StartTime, at(5, 10, 10, 0));
    QCOMPARE(planning.EndTime, at(5, 10, 11, 0));
    QCOMPARE(planning.Alarm, 1);
    QCOMPARE(planning.AlarmTime, at(5, 10, 9, 45));

    const Appointment& review = *m_document.Appointments().Find(2);
    QCOMPARE(review.StartTime, at(5, 10, 14, 15));
    QCOMPARE(review.EndTime, at(5, 10, 14, 15));
    QCOMPARE(review.AlarmTime, review.StartTime); // 90 minutes is beyond the hour

    const Appointment& backwards = *m_document.Appointments().Find(3);
    QCOMPARE(backwards.StartTime, at(5, 11, 9, 0));
    QCOMPARE(backwards.EndTime, backwards.StartTime);
    QCOMPARE(backwards.Alarm, 0);

    // The same file again: every appointment now collides with itself.
    QCOMPARE(ImportAppointments(m_document, s), 0);
    QCOMPARE(m_document.Appointments().Count(), std::size_t(3));
}

void TestDelimitedTextImport::overlapRule_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("added");
    // Against an appointment from 10:00 to 11:00 on May 10th.
    QTest::newRow("starts inside") << QByteArray("x,5/10/2003,10:30,11:30") << false;
    QTest::newRow("ends inside") << QByteArray("x,5/10/2003,9:00,10:15") << false;
    QTest::newRow("starts at its end") << QByteArray("x,5/10/2003,11:00,12:00") << false;
    QTest::newRow("ends at its start") << QByteArray("x,5/10/2003,9:00,10:00") << false;
    QTest::newRow("same times") << QByteArray("x,5/10/2003,10:00,11:00") << false;
    QTest::newRow("around it") << QByteArray("x,5/10/2003,9:00,12:00") << true;
    QTest::newRow("after it") << QByteArray("x,5/10/2003,11:15,12:00") << true;
    QTest::newRow("another day") << QByteArray("x,5/11/2003,10:00,11:00") << true;
}

void TestDelimitedTextImport::overlapRule() {
    QFETCH(QByteArray, line);
    QFETCH(bool, added);
    m_document.Add(AnAppointment("existing").On(2003, 5, 10).From(10).To(11));
    const DelimitedTextSettings s =
        settings(RecordKind::Appointment, writeFile(line + "\n"), {"Appointment", "Date", "StartTime", "EndTime"});
    QCOMPARE(ImportAppointments(m_document, s), added ? 1 : 0);
}

void TestDelimitedTextImport::snapsToQuarterHours_data() {
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("end");
    QTest::addColumn<int>("startMinute");
    QTest::addColumn<int>("endMinute");
    QTest::newRow("7 back, 52 forward") << QByteArray("10:07") << QByteArray("10:52") << 600 << 660;
    QTest::newRow("start 8 goes forward") << QByteArray("10:08") << QByteArray("10:30") << 615 << 630;
    QTest::newRow("end 7 goes forward") << QByteArray("10:00") << QByteArray("10:07") << 600 << 615;
    QTest::newRow("end 6 goes back") << QByteArray("10:00") << QByteArray("10:06") << 600 << 600;
    QTest::newRow("on the quarter") << QByteArray("10:00") << QByteArray("10:00") << 600 << 600;
    QTest::newRow("start 14 into the next quarter") << QByteArray("10:44") << QByteArray("11:01") << 645 << 660;
    QTest::newRow("end before start") << QByteArray("10:30") << QByteArray("10:00") << 630 << 630;
    QTest::newRow("AM/PM") << QByteArray("9:05 PM") << QByteArray("9:40 PM") << 1260 << 1305;
}

void TestDelimitedTextImport::snapsToQuarterHours() {
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, end);
    QFETCH(int, startMinute);
    QFETCH(int, endMinute);
    const Appointment a = importOneAppointment("\"x\",\"5/10/2003\",\"" + start + "\",\"" + end + "\"",
                                               {"Appointment", "Date", "StartTime", "EndTime"});
    QCOMPARE(a.StartTime, at(5, 10, startMinute / 60, startMinute % 60));
    QCOMPARE(a.EndTime, at(5, 10, endMinute / 60, endMinute % 60));
}

void TestDelimitedTextImport::alarmMinutes_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("minutesBefore");
    QTest::newRow("13 rounds up") << QByteArray("13") << 15;
    QTest::newRow("12 rounds down") << QByteArray("12") << 10;
    QTest::newRow("an hour") << QByteArray("60") << 60;
    QTest::newRow("62 rounds to the hour") << QByteArray("62") << 60;
    QTest::newRow("63 rounds beyond the hour") << QByteArray("63") << 0;
    QTest::newRow("negative") << QByteArray("-5") << 0;
    QTest::newRow("leading number") << QByteArray("25 minutes") << 25;
    QTest::newRow("not a number") << QByteArray("soon") << 0;
    QTest::newRow("huge") << QByteArray("99999999999999") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
}

void TestDelimitedTextImport::alarmMinutes() {
    QFETCH(QByteArray, field);
    QFETCH(int, minutesBefore);
    const Appointment a = importOneAppointment("x,5/10/2003,0:10,1:00,TRUE,\"" + field + "\"",
                                               {"Appointment", "Date", "StartTime", "EndTime", "Alarmed", "AlarmTime"});
    QCOMPARE(a.StartTime, at(5, 10, 0, 15));
    // The start is a quarter past midnight, so longer lead times reach into the day before.
    QCOMPARE(a.AlarmTime.ToCalendarRecord(), (a.StartTime - DateTimeSpan(0, 0, minutesBefore, 0)).ToCalendarRecord());
}

void TestDelimitedTextImport::alarmFlag_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("alarm");
    for (const char* yes : {"TRUE", "t", "Yes", "1", " true "})
        QTest::newRow(yes) << QByteArray(yes) << 1;
    for (const char* no : {"y", "0", "false", "", "2"})
        QTest::newRow(no) << QByteArray(no) << 0;
}

void TestDelimitedTextImport::alarmFlag() {
    QFETCH(QByteArray, field);
    QFETCH(int, alarm);
    const Appointment a = importOneAppointment("x,5/10/2003,10:00,11:00,\"" + field + "\"",
                                               {"Appointment", "Date", "StartTime", "EndTime", "Alarmed"});
    QCOMPARE(int(a.Alarm), alarm);
    QCOMPARE(a.AlarmTime, a.StartTime); // no lead time in the file: the alarm is at the start
}

void TestDelimitedTextImport::readsEveryLine_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArrayList>("names");
    const QByteArray longName(20000, 'n');
    QTest::newRow("long lines, the last without a line feed")
        << "\"Anna\",\"" + longName + "\"\r\n\"Bert\",\"" + longName + "\""
        << QByteArrayList{longName + ", Anna", longName + ", Bert"};
    // Only the start of the file can hold the mark; later the bytes are text.
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                   "Anna,Berg\n\xEF\xBB\xBF"
                                                   "Carl,Dahl\n")
                                     << QByteArrayList{"Berg, Anna", "Dahl, \xEF\xBB\xBF"
                                                                     "Carl"};
    QTest::newRow("short, long and blank lines")
        << QByteArray("Anna\nBert,Berg,extra,fields\n\n   \n,Dahl\n") << QByteArrayList{"Anna", "Berg, Bert", "Dahl"};
}

void TestDelimitedTextImport::readsEveryLine() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArrayList, names);
    const DelimitedTextSettings s = settings(RecordKind::Person, writeFile(content), {"FirstName", "LastName"});
    QCOMPARE(ImportPersons(m_document, s), int(names.size()));
    QByteArrayList read;
    for (const auto& [id, person] : m_document.Persons())
        read.append(QByteArray::fromStdString(person.RName));
    QCOMPARE(read, names);
}

void TestDelimitedTextImport::readsWhatOtherProgramsWrite_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("separator");
    QTest::addColumn<QByteArrayList>("people"); // per person: first name | last name | company | notes

    QTest::newRow("empty enclosed field")
        << QByteArray("\"Ann\",\"\",\"Lee\",\"Acme\"\n") << QByteArray(",") << QByteArrayList{"Ann|Lee|Acme|"};
    QTest::newRow("line breaks inside fields")
        << QByteArray("\"Ann\",\"Note one\r\nline two\",\"Lee\",\"A\nB\"\r\n\"Bob\",\"x\ry\",Roe,\"C\"")
        << QByteArray(",") << QByteArrayList{"Ann|Lee|A\nB|Note one\r\nline two", "Bob|Roe|C|x\ry"};
    QTest::newRow("backslashes") << QByteArray("\"DOMAIN\\jsmith\",\"C:\\new\",x,\"\\\"\n") << QByteArray(",")
                                 << QByteArrayList{"DOMAIN\\jsmith|x|\\|C:\\new"};
    QTest::newRow("tab keeps empty fields") << QByteArray("Ann\t\tLee\t\n\tNote\t\tAcme\n") << QByteArray("\t")
                                            << QByteArrayList{"Ann|Lee||", "||Acme|Note"};
    QTest::newRow("space keeps empty fields")
        << QByteArray("Ann  Lee \"Acme Inc\"\n") << QByteArray(" ") << QByteArrayList{"Ann|Lee|Acme Inc|"};
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE"
                                             "A\0n\0n\0,\0\x1c\x20,\0L\0e\0e\0\r\0\n\0",
                                             24)
                               << QByteArray(",") << QByteArrayList{"Ann|Lee||\xE2\x80\x9C"};
    QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF"
                                             "\0\xFC\0,\0,\0L\0\n",
                                             12)
                               << QByteArray(",") << QByteArrayList{"\xC3\xBC|L||"};
    QTest::newRow("Windows-1252 stays as it is")
        << QByteArray("M\xFCller,\x93x\x94,Lee\n") << QByteArray(",") << QByteArrayList{"M\xFCller|Lee||\x93x\x94"};
}

// Columns: first name, notes, last name, company.
void TestDelimitedTextImport::readsWhatOtherProgramsWrite() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, separator);
    QFETCH(QByteArrayList, people);
    DelimitedTextSettings s =
        settings(RecordKind::Person, writeFile(content), {"FirstName", "Notes", "LastName", "Company"});
    s.Separator = separator.toStdString();
    QCOMPARE(ImportPersons(m_document, s), int(people.size()));
    QByteArrayList read;
    for (const auto& [id, p] : m_document.Persons())
        read.append(QByteArray::fromStdString(p.FName + "|" + p.LName + "|" + p.Company + "|" + p.Notes));
    QCOMPARE(read, people);
}

void TestDelimitedTextImport::takesEachFieldOnce_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArrayList>("people"); // per person: first name | company | position | notes

    // Short texts are copied and long ones handed over whole: both must trim alike (Position not
    // at all), and a field taken from one line must not show up in the next.
    QTest::newRow("short and long, bare and enclosed")
        << QByteArray("  Ann  ,x,  Chief Engineer of Works  ,\"  Enclosed notes, long  \",  Northwind Traders Ltd.  \n"
                      "Bob,x,,,\"  Acme  \"\n")
        << QByteArrayList{"Ann|Northwind Traders Ltd.|  Chief Engineer of Works  |  Enclosed notes, long  ",
                          "Bob|  Acme  ||"};
    QTest::newRow("placeholders read empty")
        << QByteArray("Ann,x,EOF,y,  EMPTY FIELD\nBob,x,EMPTY FIELD,EOF,EMPTY FIELD\n")
        << QByteArrayList{"Ann|EMPTY FIELD||y", "Bob|||"};
}

// Columns: first name, company, position, notes, company again (the later of the two is read).
void TestDelimitedTextImport::takesEachFieldOnce() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArrayList, people);
    const DelimitedTextSettings s =
        settings(RecordKind::Person, writeFile(content), {"FirstName", "Company", "Position", "Notes", "Company"});
    QCOMPARE(ImportPersons(m_document, s), int(people.size()));
    QByteArrayList read;
    for (const auto& [id, p] : m_document.Persons())
        read.append(QByteArray::fromStdString(p.FName + "|" + p.Company + "|" + p.Position + "|" + p.Notes));
    QCOMPARE(read, people);
}

void TestDelimitedTextImport::reportsSkippedAppointments() {
    m_document.Add(AnAppointment("existing").On(2003, 5, 10).From(10).To(11));
    const QString path = writeFile("Appointment,Date,StartTime,EndTime\n"
                                   "ok,5/10/2003,12:00,13:00\n"
                                   "overlap,5/10/2003,10:30,11:30\n"
                                   ",5/10/2003,14:00,15:00\n"
                                   "\"two\nlines\",someday,14:00,15:00\n"
                                   "late,5/10/2003,noon,15:00\n"
                                   "far,5/10/0050,14:00,15:00\n"
                                   "no date,,14:00,15:00\n");
    ImportReport report;
    const DelimitedTextSettings s =
        settings(RecordKind::Appointment, path, {"Appointment", "Date", "StartTime", "EndTime"}, true);
    QCOMPARE(ImportAppointments(m_document, s, &report), 1);
    QCOMPARE(report.skipped[int(ImportIssue::Overlap)].lines, std::vector<int>{3});
    QCOMPARE(report.skipped[int(ImportIssue::MissingValue)].lines, (std::vector<int>{4, 9}));
    QCOMPARE(report.skipped[int(ImportIssue::UnreadableDate)].lines, (std::vector<int>{5, 7}));
    QCOMPARE(report.skipped[int(ImportIssue::OutOfRange)].lines, std::vector<int>{8});
}

// A folder, a FIFO (which would wait for a writer) and a device are refused before opening.
void TestDelimitedTextImport::refusesWhatIsNoFile() {
    const QString fifo = m_dir.filePath(QStringLiteral("fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {m_dir.path(), fifo, QStringLiteral("/dev/zero")}) {
        ImportReport report;
        QCOMPARE(ImportPersons(m_document, settings(RecordKind::Person, path, {"FirstName"}), &report), 0);
        QCOMPARE(report.failure, DelimitedTextReader::Failure::NotAFile);
    }
    QVERIFY(!m_document.IsModified());
}

void TestDelimitedTextImport::notifiesOnceForTheWholeImport() {
    CountingObserver observer;
    m_document.AddObserver(&observer);
    const QString path = writeFile("Anna\n,\nBert\nCarl\n");
    QCOMPARE(ImportPersons(m_document, settings(RecordKind::Person, path, {"FirstName"})), 3);
    m_document.RemoveObserver(&observer);
    QCOMPARE(observer.changes, 1);
    QCOMPARE(observer.recordsSeen, std::size_t(3)); // every record is in place when the notice comes
    QVERIFY(m_document.IsModified());
}

void TestDelimitedTextImport::nothingToRead_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("header only") << QByteArray("FirstName\n") << true;
}

void TestDelimitedTextImport::nothingToRead() {
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    const QString path = exists ? writeFile(content) : m_dir.filePath(QStringLiteral("missing.csv"));
    QCOMPARE(ImportPersons(m_document, settings(RecordKind::Person, path, {"FirstName"}, true)), 0);
    QVERIFY(!m_document.IsModified());
}

// Two records for a collection with room for one: the first is taken back, and the document is
// as it was, modified flag and undo history included.
void TestDelimitedTextImport::takesBackWhenNoIdIsLeft_data() {
    QTest::addColumn<RecordKind>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Names>("columns");
    QTest::newRow("persons") << RecordKind::Person << QByteArray("Anna\nBert\n") << Names{"FirstName"};
    QTest::newRow("tasks") << RecordKind::Task << QByteArray("Call\nWrite\n") << Names{"Task"};
    QTest::newRow("appointments") << RecordKind::Appointment
                                  << QByteArray("Dentist,5/10/2003,9:00,10:00\nLunch,5/10/2003,12:00,13:00\n")
                                  << Names{"Appointment", "Date", "StartTime", "EndTime"};
}

void TestDelimitedTextImport::takesBackWhenNoIdIsLeft() {
    QFETCH(RecordKind, kind);
    QFETCH(QByteArray, content);
    QFETCH(Names, columns);
    PimDocument document;
    LoadWithOneIdLeft(document, kind);
    QCOMPARE(ImportRecords(document, settings(kind, writeFile(content), columns)), std::nullopt);
    QCOMPARE(RecordCount(document.Records(), kind), std::size_t(1));
    QVERIFY(!document.IsModified());
    QVERIFY(!document.History().CanUndo());
}

TAVORO_TEST_MAIN(TestDelimitedTextImport)
#include "TestDelimitedTextImport.moc"
