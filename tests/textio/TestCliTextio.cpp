#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "support/FakePromptService.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QFile>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// tavoro-cli export and import, run as the built program.
class TestCliTextio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void importCreatesTheDocumentAndExportWritesIt();
    void importAddsToAnExistingDocument();
    void formatOptions();
    void columnsGivenInFileOrder();
    void headerNamesInAnyCase();
    void manyUnusedColumnsAreCounted();
    void otherProgramsReadOurExport();
    void refusals_data();
    void refusals();

private:
    struct Run {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    Run cli(const QStringList& args) const;
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QString write(const char* name, const QByteArray& content) const;
    QByteArray read(const char* name) const;
    bool load(PimDocument& document) const;

    QTemporaryDir m_dir;
};

namespace {
const QString kPersons = QStringLiteral(TAVORO_TEST_DATA "/textio/csv_persons.csv");
}

void TestCliTextio::init() {
    QFile::remove(path("doc.pgr"));
}

TestCliTextio::Run TestCliTextio::cli(const QStringList& args) const {
    QProcess process;
    process.start(QStringLiteral(TAVORO_CLI), args);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString TestCliTextio::write(const char* name, const QByteArray& content) const {
    return writeTestFile(path(name), content);
}

QByteArray TestCliTextio::read(const char* name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

bool TestCliTextio::load(PimDocument& document) const {
    FakePromptService prompt;
    return DocumentStorage(document).ReadFromFile(path("doc.pgr"), prompt);
}

void TestCliTextio::importCreatesTheDocumentAndExportWritesIt() {
    Run run = cli({"import", "persons", path("doc.pgr"), kPersons});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, "5 persons added to " + path("doc.pgr").toUtf8() +
                          "\n1 line skipped, no first name, last name or company (line 3).\n");

    run = cli({"export", "persons", path("doc.pgr"), path("out.csv")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, "5 persons written to " + path("out.csv").toUtf8() + "\n");
    QCOMPARE(read("out.csv"),
             QByteArray("\"FirstName\",\"LastName\",\"Address1\",\"Address2\",\"City\",\"State\",\"ZipCode\","
                        "\"HomePhone\",\"WorkPhone\",\"WorkExtension\",\"Fax\",\"CelPhone\",\"Pager\",\"E-Mail\","
                        "\"WebPage\",\"Company\",\"Position\",\"Notes\"\n"
                        "\"Anna\",\"Berg\",,,,,,\"555\",,,,,,,,\"Berg & Co\",\"  Owner  \",\"Likes \"\"tea\"\"\"\n"
                        ",,,,,,,,,,,,,,,\"Acme\",,\n"
                        "\"Carl\",,,,,,,,,,,,,,,,,\n"
                        "\"Dora\",,,,,,,,,,,,,,,,,\n"
                        "\"Eve\",\"Last\",,,,,,,,,,,,,,,,\"no line feed at the end\"\n"));
}

void TestCliTextio::importAddsToAnExistingDocument() {
    QCOMPARE(cli({"import", "persons", path("doc.pgr"), kPersons}).exitCode, 0);
    const QString appointments = QStringLiteral(TAVORO_TEST_DATA "/textio/csv_appointments.csv");
    QCOMPARE(cli({"import", "appointments", path("doc.pgr"), appointments}).out.left(15),
             QByteArray("3 appointments "));
    QCOMPARE(cli({"import", "persons", path("doc.pgr"), kPersons}).exitCode, 0);
    PimDocument document;
    QVERIFY(load(document));
    QCOMPARE(document.Persons().Count(), std::size_t(10));
    QCOMPARE(document.Persons().LastID(), 10);
    QCOMPARE(document.Appointments().Count(), std::size_t(3));
}

void TestCliTextio::formatOptions() {
    write("tasks.csv", "Call 'mum'\t2\nPay rent\t1\n");
    QCOMPARE(cli({"import", "tasks", path("doc.pgr"), path("tasks.csv"), "--separator", "tab", "--encloser", "none",
                  "--no-header", "--columns", "Task,Priority"})
                 .exitCode,
             0);
    const Run run = cli({"export", "tasks", path("doc.pgr"), path("out.csv"), "--separator", ";", "--encloser", "'",
                         "--columns", "priority,task"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(read("out.csv"), QByteArray("'Task';'Priority'\n'Call ''mum''';'2'\n'Pay rent';'1'\n"));
}

void TestCliTextio::columnsGivenInFileOrder() {
    write("people.csv", "1;Anna;x;Berg\n2;;y;Dahl\n3;;z;\n");
    const Run run = cli({"import", "persons", path("doc.pgr"), path("people.csv"), "--separator", ";", "--no-header",
                         "--columns", ",FirstName,,lastname"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.left(17), QByteArray("2 persons added t"));
    PimDocument document;
    QVERIFY(load(document));
    QCOMPARE(document.Persons().Find(1)->RName, std::string("Berg, Anna"));
    QCOMPARE(document.Persons().Find(2)->RName, std::string("Dahl"));
}

// A file of many columns names the first few it leaves out and counts the rest.
void TestCliTextio::manyUnusedColumnsAreCounted() {
    std::string header = "FirstName", line = "Anna";
    for (int i = 1; i <= 1000; ++i) {
        header += ";c" + std::to_string(i);
        line += ";x";
    }
    write("wide.csv", (header + "\n" + line + "\n").c_str());
    const Run run = cli({"import", "persons", path("doc.pgr"), path("wide.csv"), "--separator", ";"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.endsWith("\nColumns not imported: c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, and 990 more.\n"),
             run.out.constData());
}

void TestCliTextio::headerNamesInAnyCase() {
    write("people.csv", "\xEF\xBB\xBF"
                        "firstname;COMPANY;Shoe size\r\nAnna;Acme;38\r\n");
    const Run run = cli({"import", "persons", path("doc.pgr"), path("people.csv"), "--separator", ";"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.endsWith("\nColumns not imported: Shoe size.\n"));
    PimDocument document;
    QVERIFY(load(document));
    QCOMPARE(document.Persons().Count(), std::size_t(1));
    QCOMPARE(document.Persons().Find(1)->FName, std::string("Anna"));
    QCOMPARE(document.Persons().Find(1)->Company, std::string("Acme"));
}

// Python's csv module reads what we write, mark, line breaks, doubled quotes and all.
void TestCliTextio::otherProgramsReadOurExport() {
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        QSKIP("python3 is not installed");
    write("in.csv", "FirstName,LastName,Notes\n"
                    "\"Ann\",\"\",\"line one\r\nline \"\"two\"\"\"\n"
                    "\"C:\\new\",\" Lee \",\"a,b\"\n");
    QCOMPARE(cli({"import", "persons", path("doc.pgr"), path("in.csv")}).exitCode, 0);
    QCOMPARE(
        cli({"export", "persons", path("doc.pgr"), path("out.csv"), "--bom", "--columns", "FirstName,LastName,Notes"})
            .exitCode,
        0);
    QVERIFY(read("out.csv").startsWith("\xEF\xBB\xBF\"FirstName\""));
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv,sys\n"
                                 "print(repr(list(csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline='')))))"),
                  path("out.csv")});
    QVERIFY(python.waitForFinished(60000));
    QCOMPARE(python.readAllStandardOutput(),
             QByteArray("[['FirstName', 'LastName', 'Notes'], ['Ann', '', 'line one\\r\\nline \"two\"'], "
                        "['C:\\\\new', ' Lee ', 'a,b']]\n"));
}

void TestCliTextio::refusals_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("message");
    // 2 for a command line that is not understood, 1 for a failure.
    QTest::addColumn<int>("exitCode");
    QTest::newRow("unknown record type") << QStringList{"import", "notes"} << QByteArray("unknown record type") << 2;
    QTest::newRow("no required column") << QStringList{"import", "appointments"} << QByteArray("are all needed") << 1;
    QTest::newRow("unknown column") << QStringList{"import", "persons", "--columns", "FirstName,Shoe"}
                                    << QByteArray("no column is called 'Shoe'") << 1;
    QTest::newRow("no header, no columns")
        << QStringList{"import", "persons", "--no-header"} << QByteArray("must be given with --columns") << 1;
    QTest::newRow("long separator") << QStringList{"import", "persons", "--separator", ";;"}
                                    << QByteArray("the separator must be") << 2;
    QTest::newRow("blank encloser") << QStringList{"import", "persons", "--encloser", " "}
                                    << QByteArray("cannot be white space") << 2;
    QTest::newRow("folder as input") << QStringList{"import", "persons", "--columns", "FirstName", "--file", "."}
                                     << QByteArray("is not a file") << 1;
    QTest::newRow("same characters") << QStringList{"import", "persons", "--encloser", ","} << QByteArray("must differ")
                                     << 2;
    QTest::newRow("missing file") << QStringList{"import", "persons", "--columns", "FirstName", "--file", "missing"}
                                  << QByteArray("does not exist") << 1;
    QTest::newRow("export of a missing document")
        << QStringList{"export", "persons"} << QByteArray("cannot read the document") << 1;
}

// Each refusal names its reason, fails, and leaves no document behind.
void TestCliTextio::refusals() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, message);
    QFETCH(int, exitCode);
    QStringList args = options.mid(0, 2);
    args << path("doc.pgr");
    const qsizetype file = options.indexOf(QStringLiteral("--file"));
    if (file >= 0)
        args << (options.at(file + 1) == QLatin1String(".") ? m_dir.path() : path("missing.csv"));
    else
        args << (options.at(0) == QLatin1String("export") ? path("out.csv") : kPersons);
    args << (file >= 0 ? options.mid(2, file - 2) + options.mid(file + 2) : options.mid(2));
    const Run run = cli(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QVERIFY(!QFile::exists(path("doc.pgr")));
}

TAVORO_TEST_MAIN(TestCliTextio)
#include "TestCliTextio.moc"
