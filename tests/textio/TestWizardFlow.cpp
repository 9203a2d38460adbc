#include "docfile/PimDocument.h"
#include "support/OneIdLeft.h"
#include "support/RecordBuilders.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "textio/DelimitedTextSettings.h"
#include "textio/wizard/FirstLineFile.h"
#include "textio/wizard/FormatChoices.h"
#include "textio/wizard/ImportFieldRows.h"
#include "textio/wizard/TransferCommand.h"
#include "textio/wizard/WizardFlow.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>

using platform::PromptIcon;
using wizard::ImportFieldRows;
using wizard::TransferCommand;
using wizard::WizardFlow;
using wizard::WizardMessage;

namespace {

QStringList qStrings(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

std::vector<std::string> strings(const QStringList& texts) {
    std::vector<std::string> list;
    for (const QString& text : texts)
        list.push_back(text.toStdString());
    return list;
}

} // namespace

class TestWizardFlow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstLineIsReadWhole_data();
    void firstLineIsReadWhole();
    void fileChecksNeverKeepTheFormerFirstLine();

    void splitsTheFirstLine_data();
    void splitsTheFirstLine();
    void assigningAColumnTakesItFromTheOtherRow();
    void rowsAreRebuiltWhenTheirSourceChanged_data();
    void rowsAreRebuiltWhenTheirSourceChanged();

    void formatChoices_data();
    void formatChoices();
    void requiredColumns_data();
    void requiredColumns();

    void importReportsItsCount();
    void exportThatCannotWriteSaysSo();
    void importWithNoIdLeftSaysSo();

private:
    QString writeFile(const QString& name, const QByteArray& content);
    QTemporaryDir m_dir;
};

QString TestWizardFlow::writeFile(const QString& name, const QByteArray& content) {
    return writeTestFile(m_dir.filePath(name), content);
}

void TestWizardFlow::firstLineIsReadWhole_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("separator");

    QByteArray wide;
    for (int column = 0; column < 90; ++column)
        wide += "\"A rather long column name " + QByteArray::number(column) + "\";";
    QTest::newRow("CR LF") << QByteArray("FirstName,LastName\r\nJane,Doe\n") << QByteArray("FirstName,LastName") << 0;
    QTest::newRow("no line end") << QByteArray("a;b;c") << QByteArray("a;b;c") << 1;
    QTest::newRow("empty file") << QByteArray() << QByteArray() << 0;
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFTask\tDue;Date\tx\n") << QByteArray("Task\tDue;Date\tx")
                                     << 4;
    QTest::newRow("NUL is dropped") << QByteArray("a,b\0c,d\n", 8) << QByteArray("a,bc,d") << 0;
    QTest::newRow("90 columns") << wide + "\nx" << wide << 1;
    QTest::newRow("line break in a name")
        << QByteArray("\"First\nName\";Last\nx") << QByteArray("\"First\nName\";Last") << 1;
    QTest::newRow("separators in quotes do not count")
        << QByteArray("\"a;b;c\",d,e\n") << QByteArray("\"a;b;c\",d,e") << 0;
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFEx\0;\0\xE9\0\n\0", 10) << QByteArray("x;\xC3\xA9") << 1;
}

void TestWizardFlow::firstLineIsReadWhole() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, expected);
    QFETCH(int, separator);
    const wizard::FirstLineFile::FirstLine line =
        wizard::FirstLineFile::Read(writeFile(QStringLiteral("first.csv"), content));
    QCOMPARE(line.failure, DelimitedTextReader::Failure::None);
    QCOMPARE(QByteArray::fromStdString(line.text), expected);
    QCOMPARE(wizard::FirstLineFile::DetectSeparator(line.text), separator);
}

void TestWizardFlow::fileChecksNeverKeepTheFormerFirstLine() {
    DelimitedTextSettings settings = DelimitedTextSettings::ForImport(RecordKind::Task);
    WizardFlow flow(settings, true);
    QCOMPARE(flow.AcceptFile(QString()).value().text, QStringLiteral("You must enter a file name"));
    const QString one = writeFile(QStringLiteral("one.csv"), "Task,DueDate\n");
    QVERIFY(!flow.AcceptFile(one));
    QCOMPARE(settings.FirstLine, std::string("Task,DueDate"));
    QVERIFY(!flow.AcceptFile(writeFile(QStringLiteral("empty.csv"), QByteArray())));
    QCOMPARE(settings.FirstLine, std::string());

    for (const QString& unreadable : {m_dir.filePath(QStringLiteral("missing.csv")), m_dir.path()}) {
        QVERIFY(!flow.AcceptFile(one));
        const WizardFlow::Check refused = flow.AcceptFile(unreadable);
        QVERIFY(refused);
        QVERIFY(refused->text.startsWith(QStringLiteral("Unable to open file\n\n")));
        QCOMPARE(settings.FirstLine, std::string());
    }

    // An export does not touch the file before Finish.
    DelimitedTextSettings exports = DelimitedTextSettings::ForExport(RecordKind::Person);
    const QString missing = m_dir.filePath(QStringLiteral("none.csv"));
    QVERIFY(!WizardFlow(exports, false).AcceptFile(missing));
    QCOMPARE(exports.FilePath, missing);
    QVERIFY(!QFile::exists(missing));
}

void TestWizardFlow::splitsTheFirstLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<char>("separator");
    QTest::addColumn<char>("encloser");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("a;b;c, comma") << QByteArray("a;b;c") << ',' << '"' << QStringList{"a;b;c"};
    QTest::newRow("a;b;c, semicolon") << QByteArray("a;b;c") << ';' << '"' << QStringList{"a", "b", "c"};
    QTest::newRow("empty field") << QByteArray("a,,c") << ',' << '"' << QStringList{"a", "EMPTY FIELD", "c"};
    QTest::newRow("leading separator") << QByteArray(",b") << ',' << '"' << QStringList{"EMPTY FIELD", "b"};
    QTest::newRow("no encloser") << QByteArray("\"a\",b") << ',' << '\0' << QStringList{"\"a\"", "b"};
    QTest::newRow("empty line") << QByteArray() << ',' << '"' << QStringList{};
    QTest::newRow("encloser never closed") << QByteArray("a,\"") << ',' << '"' << QStringList{"a", "\""};
    QTest::newRow("empty enclosed field") << QByteArray("\"\",b") << ',' << '"' << QStringList{"EMPTY FIELD", "b"};
    QTest::newRow("tab") << QByteArray("a\t\tb") << '\t' << '"' << QStringList{"a", "EMPTY FIELD", "b"};
}

void TestWizardFlow::splitsTheFirstLine() {
    QFETCH(QByteArray, line);
    QFETCH(char, separator);
    QFETCH(char, encloser);
    QFETCH(QStringList, fields);
    DelimitedTextSettings settings = DelimitedTextSettings::ForImport(RecordKind::Task);
    settings.FirstLine = line.toStdString();
    settings.Separator = std::string(1, separator);
    settings.Encloser = encloser ? std::string(1, encloser) : std::string();
    settings.ListFirstLineFields();
    QCOMPARE(qStrings(settings.FirstLineFields), fields);
    QCOMPARE(settings.ColumnCount, int(fields.size()));
}

void TestWizardFlow::assigningAColumnTakesItFromTheOtherRow() {
    DelimitedTextSettings settings = DelimitedTextSettings::ForImport(RecordKind::Person);
    settings.FirstLine = "a,b,c";
    settings.Separator = ",";
    ImportFieldRows rows;
    rows.Build(settings);

    QCOMPARE(rows.Assign(0, "LastName"), -1);
    QCOMPARE(rows.Assign(1, "FirstName"), -1);
    QCOMPARE(rows.Assign(2, "LastName"), 0);
    QCOMPARE(qStrings(rows.SelectedFields()), (QStringList{"", "FirstName", "LastName"}));
    QCOMPARE(rows.Assign(2, "LastName"), -1); // the same row again takes nothing from others
    rows.Unassign(1);
    QCOMPARE(qStrings(rows.SelectedFields()), (QStringList{"", "", "LastName"}));
    QCOMPARE(rows.Assign(2, ""), -1);
    QCOMPARE(qStrings(rows.SelectedFields()), (QStringList{"", "", ""}));
}

void TestWizardFlow::rowsAreRebuiltWhenTheirSourceChanged_data() {
    QTest::addColumn<int>("separator");
    QTest::addColumn<int>("encloser");
    QTest::addColumn<QByteArray>("secondFile");
    QTest::addColumn<bool>("names");
    QTest::addColumn<bool>("rebuilt");

    QTest::newRow("nothing changed") << 0 << 0 << QByteArray() << true << false;
    QTest::newRow("other separator") << 1 << 0 << QByteArray() << true << true;
    QTest::newRow("other encloser") << 0 << 2 << QByteArray() << true << true;
    QTest::newRow("other header option") << 0 << 0 << QByteArray() << false << true;
    QTest::newRow("other file") << 0 << 0 << QByteArray("x;y\n") << true << true;
    QTest::newRow("other file, same first line") << 0 << 0 << QByteArray("a;b;c\n") << true << true;
}

void TestWizardFlow::rowsAreRebuiltWhenTheirSourceChanged() {
    QFETCH(int, separator);
    QFETCH(int, encloser);
    QFETCH(QByteArray, secondFile);
    QFETCH(bool, names);
    QFETCH(bool, rebuilt);

    DelimitedTextSettings settings = DelimitedTextSettings::ForImport(RecordKind::Task);
    WizardFlow flow(settings, true);
    QVERIFY(!flow.AcceptFile(writeFile(QStringLiteral("first.csv"), "a;b;c\n")));
    QVERIFY(!flow.AcceptFormat(0, 0, true));
    QVERIFY(flow.PrepareRows());
    QCOMPARE(flow.Rows().Count(), 1);
    flow.Rows().Assign(0, "Task");

    if (!secondFile.isEmpty())
        QVERIFY(!flow.AcceptFile(writeFile(QStringLiteral("second.csv"), secondFile)));
    QVERIFY(!flow.AcceptFormat(separator, encloser, names));
    QCOMPARE(flow.PrepareRows(), rebuilt);
    QCOMPARE(flow.Rows().Column(0), std::string(rebuilt ? "" : "Task"));
    QCOMPARE(settings.ColumnCount, flow.Rows().Count());
    if (separator == 1)
        QCOMPARE(qStrings(settings.FirstLineFields), (QStringList{"a", "b", "c"}));
}

void TestWizardFlow::formatChoices_data() {
    QTest::addColumn<int>("separator");
    QTest::addColumn<int>("encloser");
    QTest::addColumn<QByteArray>("separatorText");
    QTest::addColumn<QByteArray>("encloserText");

    QTest::newRow("comma, double quote") << 0 << 0 << QByteArray(",") << QByteArray("\"");
    QTest::newRow("semicolon, single quote") << 1 << 1 << QByteArray(";") << QByteArray("'");
    QTest::newRow("pipe, nothing") << 2 << 2 << QByteArray("|") << QByteArray();
    QTest::newRow("space") << 3 << 0 << QByteArray(" ") << QByteArray("\"");
    QTest::newRow("tab") << 4 << 0 << QByteArray("\t") << QByteArray("\"");
    // Refused: both lists need a choice; the settings stay as they were.
    QTest::newRow("no separator") << -1 << 0 << QByteArray() << QByteArray();
    QTest::newRow("no encloser") << 0 << -1 << QByteArray() << QByteArray();
    QTest::newRow("separator past the list") << 5 << 0 << QByteArray() << QByteArray();
    QTest::newRow("encloser past the list") << 0 << 3 << QByteArray() << QByteArray();
}

void TestWizardFlow::formatChoices() {
    QFETCH(int, separator);
    QFETCH(int, encloser);
    QFETCH(QByteArray, separatorText);
    QFETCH(QByteArray, encloserText);
    DelimitedTextSettings settings = DelimitedTextSettings::ForExport(RecordKind::Task);
    WizardFlow flow(settings, false);
    const WizardFlow::Check problem = flow.AcceptFormat(separator, encloser, true);
    const bool refused = separatorText.isEmpty();
    QCOMPARE(problem ? problem->caption : QString(),
             refused ? QStringLiteral("Choose Formatting Characters") : QString());
    QCOMPARE(QByteArray::fromStdString(settings.Separator), separatorText);
    QCOMPARE(QByteArray::fromStdString(settings.Encloser), encloserText);
    QCOMPARE(settings.FirstLineHasNames, !refused);
}

void TestWizardFlow::requiredColumns_data() {
    QTest::addColumn<RecordKind>("type");
    QTest::addColumn<QStringList>("assigned");
    QTest::addColumn<QString>("refusal");

    const QString persons =
        QStringLiteral("You must include a first name, last name, or company as a field to import.");
    const QString tasks = QStringLiteral("You must include a task as a field to import.");
    const QString appointments =
        QStringLiteral("You must include an appointment, date, start time, and end time as fields to import.");
    QTest::newRow("persons, Notes only") << RecordKind::Person << QStringList{"Notes", ""} << persons;
    QTest::newRow("persons, Company") << RecordKind::Person << QStringList{"", "Company"} << QString();
    QTest::newRow("tasks, DueDate") << RecordKind::Task << QStringList{"DueDate", "Priority"} << tasks;
    QTest::newRow("tasks, Task") << RecordKind::Task << QStringList{"", "Task"} << QString();
    QTest::newRow("appointments, all four")
        << RecordKind::Appointment << QStringList{"EndTime", "Date", "", "StartTime", "Appointment"} << QString();
    QTest::newRow("appointments, no EndTime")
        << RecordKind::Appointment << QStringList{"Alarmed", "Date", "", "StartTime", "Appointment"} << appointments;
}

void TestWizardFlow::requiredColumns() {
    QFETCH(RecordKind, type);
    QFETCH(QStringList, assigned);
    QFETCH(QString, refusal);

    DelimitedTextSettings settings = DelimitedTextSettings::ForImport(type);
    settings.FirstLine = QStringList(QList<QString>(assigned.size(), QStringLiteral("x"))).join(',').toStdString();
    settings.Separator = ",";
    WizardFlow flow(settings, true);
    flow.PrepareRows();
    QCOMPARE(flow.Rows().Count(), assigned.size());
    for (int row = 0; row < assigned.size(); ++row)
        flow.Rows().Assign(row, assigned[row].toStdString());

    const WizardFlow::Check problem = flow.FinishImport();
    QCOMPARE(problem ? problem->text : QString(), refusal);
    if (problem)
        QCOMPARE(problem->icon, PromptIcon::Exclamation);
    QCOMPARE(settings.SelectedFields, strings(assigned));
}

// The count is reported for every import, 0 included.
void TestWizardFlow::importReportsItsCount() {
    PimDocument document;
    const TransferCommand& command = TransferCommand::For(RecordKind::Appointment, true);
    DelimitedTextSettings settings = command.Settings();
    settings.FilePath = writeFile(QStringLiteral("appointments.csv"), "Lunch,5/10/2003,12:00,13:00\n");
    settings.Separator = ",";
    settings.SelectedFields = {"Appointment", "Date", "StartTime", "EndTime"};
    settings.ColumnCount = 4;
    QCOMPARE(command.Run(document, settings).message.value().text,
             QStringLiteral("1 appointments added to current database."));
    const TransferCommand::Result again = command.Run(document, settings);
    QCOMPARE(again.count, 0);
    QCOMPARE(again.message.value().text, QStringLiteral("0 appointments added to current database.\n\n"
                                                        "1 line skipped, overlaps another appointment (line 1)."));
    QCOMPARE(again.message->caption, QStringLiteral("Imported Appointments"));
    QCOMPARE(document.Appointments().Count(), 1u);
}

void TestWizardFlow::exportThatCannotWriteSaysSo() {
    PimDocument document;
    document.Add(ATask("Pay rent"));
    const TransferCommand& command = TransferCommand::For(RecordKind::Task, false);
    DelimitedTextSettings settings = command.Settings();
    settings.Separator = ",";
    settings.SelectedFields = {"Task"};
    settings.FilePath = m_dir.filePath(QStringLiteral("no such folder/tasks.csv"));
    const TransferCommand::Result result = command.Run(document, settings);
    QCOMPARE(result.count, 0);
    QVERIFY(result.message);
    QVERIFY(result.message->text.startsWith(QStringLiteral("Unable to write file ")));
    QCOMPARE(result.message->caption, QStringLiteral("File Error"));
    QCOMPARE(result.message->icon, PromptIcon::Exclamation);
}

// In the words every import uses for it, and nothing of the file stays in the document.
void TestWizardFlow::importWithNoIdLeftSaysSo() {
    PimDocument document;
    LoadWithOneIdLeft(document, RecordKind::Task);
    const TransferCommand& command = TransferCommand::For(RecordKind::Task, true);
    DelimitedTextSettings settings = command.Settings();
    settings.FilePath = writeFile(QStringLiteral("tasks.csv"), "Call\nWrite\n");
    settings.Separator = ",";
    settings.SelectedFields = {"Task"};
    settings.ColumnCount = 1;
    const TransferCommand::Result result = command.Run(document, settings);
    QCOMPARE(result.count, 0);
    QCOMPARE(result.message.value().text,
             QStringLiteral("No more records can be added: every ID is taken. Nothing was imported."));
    QCOMPARE(result.message->caption, QStringLiteral("Imported Tasks"));
    QCOMPARE(result.message->icon, PromptIcon::Stop);
    QCOMPARE(document.Tasks().Count(), 1u);
}

TAVORO_TEST_MAIN(TestWizardFlow)
#include "TestWizardFlow.moc"
