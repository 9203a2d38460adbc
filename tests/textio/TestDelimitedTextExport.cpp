#include "docfile/PimDocument.h"
#include "support/RecordBuilders.h"
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
    DelimitedTextSettings settings(RecordKind kind, const char* encloser = "\"", const char* separator = ",");
    QByteArray written() const;

    QTemporaryDir m_dir;
    PimDocument m_document;
};

void TestDelimitedTextExport::init() {
    m_document.ClearContents();
}

DelimitedTextSettings TestDelimitedTextExport::settings(RecordKind kind, const char* encloser, const char* separator) {
    DelimitedTextSettings s = DelimitedTextSettings::ForExport(kind);
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
    // The time of day a due date may carry is not written.
    m_document.Add(ATask("Pay rent").Due(DateTime(2026, 12, 5, 9, 30, 0)).Priority(Task::Medium));
    m_document.Add(ATask("It's done").Due(1950, 1, 31).Priority(Task::Done));
    QCOMPARE(ExportTasks(m_document.Records(), settings(RecordKind::Task, "'", ",")), 2);
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
    m_document.Add(APerson().Company("Acme"));
    QCOMPARE(ExportPersons(m_document.Records(), settings(RecordKind::Person)), 2);
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
    m_document.Add(ATask("Call").Due(2026, 12, 5).Priority(Task::Low));
    DelimitedTextSettings s = settings(RecordKind::Task);
    s.SelectedFields = {"Priority", "", "Task", "Nonsense"};
    QCOMPARE(ExportTasks(m_document.Records(), s), 1);
    QCOMPARE(written(), QByteArray("\"Task\",\"Priority\"\n\"Call\",\"2\"\n"));
}

void TestDelimitedTextExport::appointments() {
    m_document.Add(AnAppointment("Dentist").On(2003, 5, 10).From(9).To(9, 45).AlarmBefore(15));
    m_document.Add(AnAppointment("Lunch").On(2003, 5, 11).From(12, 30).To(13, 30));
    QCOMPARE(ExportAppointments(m_document.Records(), settings(RecordKind::Appointment, "\"", ";")), 2);
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
    Appointment a = AnAppointment("A").On(2003, 5, 10).From(10).To(11);
    a.Alarm = static_cast<unsigned char>(alarmFlag);
    // Through day arithmetic, as the editors compute it, so the stored days are not whole seconds.
    a.AlarmTime = a.StartTime - DateTimeSpan(secondsBefore / 86400.0);
    m_document.Add(a);
    DelimitedTextSettings s = settings(RecordKind::Appointment, "", ",");
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
    m_document.Add(ATask(value.toStdString()).Due(2026, 1, 2));
    DelimitedTextSettings s = settings(RecordKind::Task, encloser.constData(), ",");
    s.SelectedFields = {"Task"};
    s.FirstLineHasNames = false;
    QCOMPARE(ExportTasks(m_document.Records(), s), 1);
    QCOMPARE(written(), line + "\n");
}

void TestDelimitedTextExport::emptyCollectionGivesEmptyFile() {
    writeTestFile(m_dir.filePath(QStringLiteral("out.csv")), "old content\n");
    QCOMPARE(ExportPersons(m_document.Records(), settings(RecordKind::Person)), 0);
    QCOMPARE(written(), QByteArray());
}

TAVORO_TEST_MAIN(TestDelimitedTextExport)
#include "TestDelimitedTextExport.moc"
