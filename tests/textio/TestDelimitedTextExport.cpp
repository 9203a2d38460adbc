#include "docfile/PimDocument.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "textio/DelimitedTextOperations.h"
#include "textio/DelimitedTextSettings.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>

class TestDelimitedTextExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void tasksWithSingleQuotes();
    void personsInTheirFixedOrder();
    void headerFollowsTheRows();
    void appointments();
    void alarmLeadMinutes_data();
    void alarmLeadMinutes();
    void encodesValues_data();
    void encodesValues();
    void emptyCollectionGivesEmptyFile();

private:
    DelimitedTextSettings settings(RecordType type, const char* encloser = "\"", const char* separator = ",");
    QByteArray written() const;

    QTemporaryDir m_dir;
    PimDocument m_document;
};

namespace {

Task task(const char* description, const DateTime& due, int priority) {
    Task t;
    t.Description = description;
    t.DueDate = due;
    t.Priority = priority;
    return t;
}

Appointment appointment(const char* description, int day, int startHour, int startMinute, int endHour, int endMinute) {
    Appointment a;
    a.Description = description;
    a.DueDate = DateTime(2003, 5, day, 0, 0, 0);
    a.StartTime = DateTime(2003, 5, day, startHour, startMinute, 0);
    a.EndTime = DateTime(2003, 5, day, endHour, endMinute, 0);
    a.AlarmTime = a.StartTime;
    return a;
}

} // namespace

void TestDelimitedTextExport::init() {
    m_document.ClearContents();
}

DelimitedTextSettings TestDelimitedTextExport::settings(RecordType type, const char* encloser, const char* separator) {
    DelimitedTextSettings s = DelimitedTextSettings::ForExport(type);
    s.SelectedFields = s.AvailableFields;
    s.Encloser = encloser;
    s.Separator = separator;
    s.FirstLineHasNames = true;
    s.FilePath = m_dir.filePath(QStringLiteral("out.csv"));
    return s;
}

QByteArray TestDelimitedTextExport::written() const {
    QFile file(m_dir.filePath(QStringLiteral("out.csv")));
    if (!file.open(QIODevice::ReadOnly))
        return "(no file)";
    return file.readAll();
}

void TestDelimitedTextExport::tasksWithSingleQuotes() {
    m_document.Add(task("Pay rent", DateTime(2026, 12, 5, 9, 30, 0), Task::Medium));
    m_document.Add(task("It's done", DateTime(1950, 1, 31, 0, 0, 0), Task::Done));
    QCOMPARE(ExportTasks(m_document.Records(), settings(RecordType::Tasks, "'", ",")), 2);
    QCOMPARE(written(), QByteArray("'Task','DueDate','Priority'\n"
                                   "'Pay rent','12/5/2026','1'\n"
                                   "'It''s done','1/31/1950','3'\n"));
}

void TestDelimitedTextExport::personsInTheirFixedOrder() {
    Person p;
    p.FName = "Anna";
    p.LName = "Berg";
    p.Addr1 = "1 Main St";
    p.Addr2 = "Suite 2";
    p.City = "Springfield";
    p.State = "IL";
    p.Zip = "62701";
    p.HmPhone = "555-0100";
    p.WkPhone = "555-0101";
    p.WkExt = "12";
    p.Fax = "555-0102";
    p.CelPhone = "555-0103";
    p.Pager = "555-0104";
    p.EMail = "anna@example.org";
    p.WebPage = "http://example.org/";
    p.Company = "Berg & Co";
    p.Position = "Owner";
    p.Notes = "Likes tea";
    p.YellowPages = 1;
    m_document.Add(p);
    Person q;
    q.Company = "Acme";
    m_document.Add(q);
    QCOMPARE(ExportPersons(m_document.Records(), settings(RecordType::Persons)), 2);
    QCOMPARE(written(),
             QByteArray("\"FirstName\",\"LastName\",\"Address1\",\"Address2\",\"City\",\"State\",\"ZipCode\","
                        "\"HomePhone\",\"WorkPhone\",\"WorkExtension\",\"Fax\",\"CelPhone\",\"Pager\",\"E-Mail\","
                        "\"WebPage\",\"Company\",\"Position\",\"Notes\"\n"
                        "\"Anna\",\"Berg\",\"1 Main St\",\"Suite 2\",\"Springfield\",\"IL\",\"62701\",\"555-0100\","
                        "\"555-0101\",\"12\",\"555-0102\",\"555-0103\",\"555-0104\",\"anna@example.org\","
                        "\"http://example.org/\",\"Berg & Co\",\"Owner\",\"Likes tea\"\n"
                        ",,,,,,,,,,,,,,,\"Acme\",,\n"));
}

// The header names stand over their values even when the selection lists them in another order.
void TestDelimitedTextExport::headerFollowsTheRows() {
    m_document.Add(task("Call", DateTime(2026, 12, 5, 0, 0, 0), Task::Low));
    DelimitedTextSettings s = settings(RecordType::Tasks);
    s.SelectedFields = {"Priority", "", "Task", "Nonsense"};
    QCOMPARE(ExportTasks(m_document.Records(), s), 1);
    QCOMPARE(written(), QByteArray("\"Task\",\"Priority\"\n\"Call\",\"2\"\n"));
}

void TestDelimitedTextExport::appointments() {
    Appointment a = appointment("Dentist", 10, 9, 0, 9, 45);
    a.Alarm = 1;
    a.AlarmTime = DateTime(2003, 5, 10, 8, 45, 0);
    m_document.Add(a);
    m_document.Add(appointment("Lunch", 11, 12, 30, 13, 30));
    QCOMPARE(ExportAppointments(m_document.Records(), settings(RecordType::Appointments, "\"", ";")), 2);
    QCOMPARE(written(), QByteArray("\"Appointment\";\"Date\";\"StartTime\";\"EndTime\";\"Alarmed\";\"AlarmTime\"\n"
                                   "\"Dentist\";\"5/10/2003\";\"9:00 AM\";\"9:45 AM\";\"TRUE\";\"15\"\n"
                                   "\"Lunch\";\"5/11/2003\";\"12:30 PM\";\"1:30 PM\";\"FALSE\";\"0\"\n"));
}

void TestDelimitedTextExport::alarmLeadMinutes_data() {
    QTest::addColumn<int>("alarmFlag");
    QTest::addColumn<int>("secondsBefore");
    QTest::addColumn<QByteArray>("minutes");
    QTest::newRow("fifteen") << 1 << 15 * 60 << QByteArray("15");
    QTest::newRow("seconds are cut off") << 1 << 10 * 60 + 59 << QByteArray("10");
    QTest::newRow("more than an hour") << 1 << 90 * 60 << QByteArray("60");
    QTest::newRow("after the start") << 1 << -5 * 60 << QByteArray("0");
    QTest::newRow("no alarm") << 0 << 30 * 60 << QByteArray("0");
}

void TestDelimitedTextExport::alarmLeadMinutes() {
    QFETCH(int, alarmFlag);
    QFETCH(int, secondsBefore);
    QFETCH(QByteArray, minutes);
    Appointment a = appointment("A", 10, 10, 0, 11, 0);
    a.Alarm = static_cast<unsigned char>(alarmFlag);
    // Through day arithmetic, as the editors compute it, so the stored days are not whole seconds.
    a.AlarmTime = a.StartTime - DateTimeSpan(secondsBefore / 86400.0);
    m_document.Add(a);
    DelimitedTextSettings s = settings(RecordType::Appointments, "", ",");
    s.SelectedFields = {"AlarmTime"};
    s.FirstLineHasNames = false;
    QCOMPARE(ExportAppointments(m_document.Records(), s), 1);
    QCOMPARE(written(), minutes + "\n");
}

void TestDelimitedTextExport::encodesValues_data() {
    QTest::addColumn<QByteArray>("encloser");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("encloser doubled") << QByteArray("\"") << QByteArray("a \"b\" c") << QByteArray("\"a \"\"b\"\" c\"");
    QTest::newRow("leading encloser doubled too") << QByteArray("\"") << QByteArray("\"x") << QByteArray("\"\"\"x\"");
    QTest::newRow("single quotes") << QByteArray("'") << QByteArray("'s'") << QByteArray("'''s'''");
    QTest::newRow("backslash as it is") << QByteArray("\"") << QByteArray("C:\\new") << QByteArray("\"C:\\new\"");
    QTest::newRow("line breaks as they are") << QByteArray("\"") << QByteArray("a\r\nb") << QByteArray("\"a\r\nb\"");
    QTest::newRow("separator inside") << QByteArray("\"") << QByteArray("a,b") << QByteArray("\"a,b\"");
    QTest::newRow("high bytes as they are")
        << QByteArray("\"") << QByteArray("M\xfc\xdf") << QByteArray("\"M\xfc\xdf\"");
    QTest::newRow("no encloser: separator and breaks become spaces")
        << QByteArray("") << QByteArray("a,b\nc\\d\"") << QByteArray("a b c\\d\"");
}

void TestDelimitedTextExport::encodesValues() {
    QFETCH(QByteArray, encloser);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, line);
    m_document.Add(task(value.constData(), DateTime(2026, 1, 2, 0, 0, 0), 0));
    DelimitedTextSettings s = settings(RecordType::Tasks, encloser.constData(), ",");
    s.SelectedFields = {"Task"};
    s.FirstLineHasNames = false;
    QCOMPARE(ExportTasks(m_document.Records(), s), 1);
    QCOMPARE(written(), line + "\n");
}

void TestDelimitedTextExport::emptyCollectionGivesEmptyFile() {
    writeTestFile(m_dir.filePath(QStringLiteral("out.csv")), "old content\n");
    QCOMPARE(ExportPersons(m_document.Records(), settings(RecordType::Persons)), 0);
    QCOMPARE(written(), QByteArray());
}

TAVORO_TEST_MAIN(TestDelimitedTextExport)
#include "TestDelimitedTextExport.moc"
