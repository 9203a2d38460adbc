#include "docfile/DocumentFormat.h"
#include "docfile/DocumentStorage.h"
#include "docfile/DocumentWriter.h"
#include "docfile/LocalSeconds.h"
#include "docfile/PimDocument.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "support/FakePromptService.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(DateTime)

using platform::PromptButtons;
using platform::PromptIcon;

namespace {

QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(TAVORO_TEST_DATA "/docfile/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray saved(const PimDocument& document) {
    return QByteArray::fromStdString(DocumentWriter::Write(document.Records()));
}

// A Version 1 file with the given text inside the root element.
QByteArray version1(const QByteArray& body) {
    return "<?xml version=\"1.0\"?>\r\n<Pim Version=\"1\">\r\n" + body + "</Pim>\r\n";
}

DateTime fromSeconds(std::int64_t seconds) {
    return DateTime::FromSeconds(seconds);
}

// The document that the all-fields fixture holds.
PimRecords allFields() {
    PimRecords document;
    Task open;
    open.ID = 1;
    open.Description = "Call O'Brien & \"sons\" <re: tax>";
    open.Priority = Task::Medium;
    open.DueDate = DateTime(2003, 5, 10, 0, 0, 0);
    open.DoneDate = fromSeconds(0); // an open task's done date is written as 0
    document.Tasks.InsertLoaded(open);
    Task done;
    done.ID = 3;
    done.Description = "Done task";
    done.Priority = Task::Done;
    done.DueDate = DateTime(2003, 5, 9, 0, 0, 0);
    done.DoneDate = DateTime(2003, 5, 12, 0, 0, 0);
    document.Tasks.InsertLoaded(done);
    document.Tasks.SetLastID(3);

    Person person;
    person.ID = 2;
    person.FName = "Mary";
    person.LName = "O'Brien";
    person.RName = "O'Brien, Mary";
    person.Company = "A&B <Ltd>";
    person.Position = "Head of Sales";
    person.Addr1 = "12 Rue Sainte-Catherine";
    person.Addr2 = "Suite\t4";
    person.City = "Montr\xe9"
                  "al";
    person.State = "QC";
    person.Zip = "H2X 1Z4";
    person.WhitePages = 1;
    person.YellowPages = 0;
    person.Notes = "line one\r\nline two";
    person.HmPhone = "(514) 555-0101";
    person.WkPhone = "(514) 555-0102";
    person.WkExt = "33";
    person.Fax = "(514) 555-0103";
    person.CelPhone = "(514) 555-0104";
    person.Pager = "(514) 555-0105";
    person.EMail = "mary@example.com";
    person.WebPage = "http://www.example.com/mary";
    document.Persons.InsertLoaded(person);
    document.Persons.SetLastID(2);

    Appointment dentist;
    dentist.ID = 4;
    dentist.Description = "Dentist";
    dentist.DueDate = DateTime(2003, 5, 10, 0, 0, 0);
    dentist.StartTime = DateTime(2003, 5, 10, 14, 30, 0);
    dentist.EndTime = DateTime(2003, 5, 10, 15, 15, 0);
    dentist.Alarm = 1;
    dentist.AlarmTime = DateTime(2003, 5, 10, 14, 15, 0);
    document.Appointments.InsertLoaded(dentist);
    Appointment launch; // after 2038: needs the 64-bit seconds count
    launch.ID = 5;
    launch.Description = "Launch";
    launch.DueDate = DateTime(2040, 7, 1, 0, 0, 0);
    launch.StartTime = DateTime(2040, 7, 1, 9, 0, 0);
    launch.EndTime = DateTime(2040, 7, 1, 10, 0, 0);
    launch.Alarm = 0;
    launch.AlarmTime = fromSeconds(0); // written as 0 without an alarm
    launch.Done = 1;
    document.Appointments.InsertLoaded(launch);
    document.Appointments.SetLastID(5);

    document.User.FName = "Alex";
    document.User.LName = "Morgan";
    document.User.Company = "Quill & Ink";
    document.User.Position = "Owner";
    document.User.Addr1 = "1 High Street";
    document.User.City = "Springfield";
    document.User.State = "IL";
    document.User.Zip = "62701";
    return document;
}

// The same records, as if read from the file.
void fillAllFields(PimDocument& document) {
    FakePromptService prompt;
    DocumentFormat::Load(DocumentWriter::Write(allFields()), document, prompt);
}

void compareRecords(const PimRecords& actual, const PimRecords& expected) {
    QCOMPARE(actual.Tasks.LastID(), expected.Tasks.LastID());
    QCOMPARE(actual.Persons.LastID(), expected.Persons.LastID());
    QCOMPARE(actual.Appointments.LastID(), expected.Appointments.LastID());
    QCOMPARE(actual.Tasks.Items(), expected.Tasks.Items());
    QCOMPARE(actual.Persons.Items(), expected.Persons.Items());
    QCOMPARE(actual.Appointments.Items(), expected.Appointments.Items());
    QCOMPARE(actual.User, expected.User);
}

} // namespace

class TestDocumentFile : public QObject {
    Q_OBJECT

private slots:
    void init() { platform::Clock::setFixed(platform::LocalTime{2003, 5, 10, 9, 30, 0}); }
    void cleanup() { platform::Clock::setFixed(std::nullopt); }

    void emptyDocumentIsTheTenLines() {
        PimDocument document;
        QCOMPARE(saved(document), fixture("empty-v1.pgr"));
    }

    void everyFieldKindSavesToTheFixture() {
        PimDocument document;
        fillAllFields(document);
        QCOMPARE(saved(document), fixture("all-fields-v1.pgr"));
    }

    void everyFieldKindLoadsBackEqual() {
        PimDocument expected;
        fillAllFields(expected);
        PimDocument loaded;
        FakePromptService prompt;
        const QByteArray bytes = fixture("all-fields-v1.pgr");
        QVERIFY(DocumentFormat::Load(bytes.constData(), static_cast<std::size_t>(bytes.size()), loaded, prompt));
        compareRecords(loaded.Records(), expected.Records());
        QCOMPARE(saved(loaded), bytes);
        QVERIFY(prompt.messages.isEmpty());
    }

    // The identity a synchronised document carries is an attribute of the root: it reads back, and
    // a reader that knows nothing of it still reads the records. Without one the root is as before.
    void identityIsARootAttribute() {
        PimDocument document;
        fillAllFields(document);
        document.SetIdentity("3d1f7a52-0b6e-4c8e-9a41-77e0c2f1d9ab");
        const QByteArray bytes = saved(document);
        QVERIFY(bytes.contains("\r\n<Pim Version=\"1\" Identity=\"3d1f7a52-0b6e-4c8e-9a41-77e0c2f1d9ab\">\r\n"));
        PimDocument loaded;
        FakePromptService prompt;
        QVERIFY(DocumentFormat::Load(bytes.constData(), static_cast<std::size_t>(bytes.size()), loaded, prompt));
        QCOMPARE(loaded.Records().Identity, std::string("3d1f7a52-0b6e-4c8e-9a41-77e0c2f1d9ab"));
        compareRecords(loaded.Records(), document.Records());
        QCOMPARE(saved(loaded), bytes);
        loaded.ClearContents();
        QCOMPARE(saved(loaded), fixture("empty-v1.pgr"));
    }

    void version13Loads() {
        PimDocument document;
        FakePromptService prompt;
        const QByteArray bytes = fixture("version13.pgr");
        QVERIFY(DocumentFormat::Load(bytes.constData(), static_cast<std::size_t>(bytes.size()), document, prompt));
        QCOMPARE(document.Tasks().LastID(), 7);
        QCOMPARE(document.Persons().LastID(), 2);
        const Person* hans = document.Persons().Find(1);
        QVERIFY(hans);
        QCOMPARE(hans->City, std::string("K\xf6ln"));
        QCOMPARE(hans->Notes, std::string("first <second>"));
        const Person* eva = document.Persons().Find(2);
        QVERIFY(eva);
        QCOMPARE(eva->LName, std::string("Meier")); // carried over from the record before
        const Task* task = document.Tasks().Find(7);
        QVERIFY(task);
        QCOMPARE(task->DoneDate, DateTime(2003, 5, 12, 0, 0, 0));
        const Appointment* dentist = document.Appointments().Find(1);
        QVERIFY(dentist);
        QCOMPARE(dentist->StartTime, DateTime(2003, 5, 10, 14, 30, 0));
        QCOMPARE(document.User().City, std::string("Bonn"));
    }

    void escapeXmlText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("escaped");
        QTest::newRow("plain") << QByteArray("Anna") << QByteArray("Anna");
        QTest::newRow("markup") << QByteArray("O'Brien \"A&B\" <Ltd>")
                                << QByteArray("O&apos;Brien &quot;A&amp;B&quot; &lt;Ltd&gt;");
        QTest::newRow("line breaks") << QByteArray("a\r\nb\nc\rd") << QByteArray("a&#13;&#10;b&#10;c&#13;d");
        QTest::newRow("other bytes stay") << QByteArray("\t\x01\xe9\xff;#") << QByteArray("\t\x01\xe9\xff;#");
        QTest::newRow("NUL left out") << QByteArray("a\0b", 3) << QByteArray("ab");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void escapeXmlText() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, escaped);
        QCOMPARE(QByteArray::fromStdString(EscapeXmlText(text.toStdString())), escaped);
    }

    void taskDateRules_data() {
        QTest::addColumn<int>("priority");
        QTest::addColumn<DateTime>("due");
        QTest::addColumn<DateTime>("done");
        QTest::addColumn<QByteArray>("written");
        const DateTime may9(2003, 5, 9, 0, 0, 0);
        // Today is 2003-05-10 (1052517600).
        QTest::newRow("open task") << 1 << may9 << may9 << QByteArray("DueDate=\"1052431200\" DoneDate=\"0\"");
        QTest::newRow("done task") << 3 << may9 << may9 << QByteArray("DueDate=\"1052431200\" DoneDate=\"1052431200\"");
        QTest::newRow("done, done date invalid")
            << 3 << may9 << DateTime() << QByteArray("DueDate=\"1052431200\" DoneDate=\"1052517600\"");
        QTest::newRow("due date invalid")
            << 0 << DateTime() << may9 << QByteArray("DueDate=\"1052517600\" DoneDate=\"0\"");
        QTest::newRow("due before 1970") << 2 << DateTime(1969, 12, 31, 0, 0, 0) << may9
                                         << QByteArray("DueDate=\"-90000\" DoneDate=\"0\"");
        QTest::newRow("due after 2038") << 0 << DateTime(2040, 7, 1, 0, 0, 0) << may9
                                        << QByteArray("DueDate=\"2224706400\" DoneDate=\"0\"");
    }
    void taskDateRules() {
        QFETCH(int, priority);
        QFETCH(DateTime, due);
        QFETCH(DateTime, done);
        QFETCH(QByteArray, written);
        PimDocument document;
        Task task;
        task.Priority = priority;
        task.DueDate = due;
        task.DoneDate = done;
        document.Add(task);
        QVERIFY2(saved(document).contains(written), saved(document).constData());
    }

    void appointmentDateRules() {
        PimDocument document;
        Appointment appointment;
        appointment.DueDate = DateTime();
        appointment.StartTime = DateTime(1969, 1, 1, 0, 0, 0);
        appointment.EndTime = DateTime(2003, 5, 10, 14, 30, 0);
        appointment.Alarm = 0;
        appointment.AlarmTime = DateTime(2003, 5, 10, 14, 15, 0);
        document.Add(appointment);
        QVERIFY(saved(document).contains("DueDate=\"-1\" StartTime=\"-31539600\" EndTime=\"1052569800\" Alarm=\"0\" "
                                         "AlarmTime=\"0\" Done=\"0\""));
    }

    void openTaskDoneDateReadsAs1970() {
        PimDocument document;
        FakePromptService prompt;
        const QByteArray text = version1("<Tasks><Task ID=\"1\" Priority=\"1\" DueDate=\"1052517600\" DoneDate=\"0\"/>"
                                         "</Tasks>");
        QVERIFY(DocumentFormat::Load(text.constData(), std::size_t(text.size()), document, prompt));
        const Task* task = document.Tasks().Find(1);
        QVERIFY(task);
        QCOMPARE(task->DoneDate, DateTime(1970, 1, 1, 1, 0, 0)); // 0 seconds in Berlin
        QVERIFY(!task->IsDone());
    }

    // The reader's rules, each shown on a small file: what a collection or record element holds
    // and what comes out.
    void readerRules_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("persons"); // "ID:FName:LName:WhitePages" per person
        QTest::addColumn<int>("lastId");
        const auto row = [](const char* name, const QByteArray& file, const char* persons, int lastId) {
            QTest::newRow(name) << file << QString::fromLatin1(persons) << lastId;
        };
        row("fields carry over",
            version1("<Persons LastID=\"9\"><Person ID=\"1\" FName=\"A\" LName=\"L\"/>"
                     "<Person ID=\"2\" FName=\"B\"/></Persons>"),
            "1:A:L:0 2:B:L:0", 9);
        row("first of a repeated ID stays",
            version1("<Persons><Person ID=\"4\" FName=\"first\"/><Person ID=\"4\" FName=\"second\"/></Persons>"),
            "4:first::0", 0);
        row("later duplicate attribute wins", version1("<Persons><Person ID=\"1\" FName=\"a\" FName=\"b\"/></Persons>"),
            "1:b::0", 0);
        row("unknown names ignored",
            version1("<Persons><Person ID=\"1\" Shoe=\"44\" fname=\"x\" FName=\"A\"/></Persons><Extra/>"), "1:A::0", 0);
        row("any child name is a record", version1("<Persons><Someone ID=\"3\" FName=\"C\"/></Persons>"), "3:C::0", 0);
        row("flag only when 1",
            version1("<Persons><Person ID=\"1\" WhitePages=\"true\"/><Person ID=\"2\" "
                     "WhitePages=\"1\"/><Person ID=\"3\" WhitePages=\"2\"/></Persons>"),
            "1:::0 2:::1 3:::0", 0);
        row("integers as the C library reads them",
            version1("<Persons LastID=\" +12abc\"><Person ID=\"  7x\"/><Person ID=\"zz\"/></Persons>"), "0:::0 7:::0",
            12);
        row("huge numbers clamp", version1("<Persons LastID=\"99999999999999999999\"/>"), "", 2147483647);
        row("collection read twice",
            version1("<Persons><Person ID=\"1\" FName=\"A\"/></Persons><Persons LastID=\"3\">"
                     "<Person ID=\"2\"/></Persons>"),
            "1:A::0 2:::0", 3);
        row("comment and empty child skipped",
            version1("<Persons><!-- note --><Person/><Person ID=\"5\" FName=\"E\"/><Person></Person></Persons>"),
            "5:E::0", 0);
        row("last version attribute counts",
            "<Pim Version=\"7\" Version=\"1\"><Persons><Person ID=\"1\"/></Persons></Pim>", "1:::0", 0);
        row("byte-order mark", "\xEF\xBB\xBF" + version1("<Persons><Person ID=\"1\" FName=\"A\"/></Persons>"), "1:A::0",
            0);
        row("reference to NUL dropped", version1("<Persons><Person ID=\"1\" FName=\"a&#0;b\"/></Persons>"), "1:ab::0",
            0);
        row("raw line break in a value stays", version1("<Persons><Person ID=\"1\" FName=\"a\r\r\nb\"/></Persons>"),
            "1:a\r\r\nb::0", 0);
    }
    void readerRules() {
        QFETCH(QByteArray, file);
        QFETCH(QString, persons);
        QFETCH(int, lastId);
        PimDocument document;
        FakePromptService prompt;
        QVERIFY(DocumentFormat::Load(file.constData(), std::size_t(file.size()), document, prompt));
        QStringList actual;
        for (const auto& [id, person] : document.Persons())
            actual << QStringLiteral("%1:%2:%3:%4")
                          .arg(id)
                          .arg(QString::fromLatin1(person.FName))
                          .arg(QString::fromLatin1(person.LName))
                          .arg(person.WhitePages);
        QCOMPARE(actual.join(QLatin1Char(' ')), persons);
        QCOMPARE(document.Persons().LastID(), lastId);
        QVERIFY(prompt.messages.isEmpty());
    }

    void parseErrorIsShown_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("mismatched end tag") << QByteArray("<?xml version=\"1.0\"?>\r\n<Pim Version=\"1\">\r\n</Pm>")
                                            << QStringLiteral("Parsing error at line 3");
        QTest::newRow("NUL before the root closes")
            << QByteArray("<Pim Version=\"1\">\r\n\0</Pim>\r\n", 26) << QStringLiteral("Parsing error at line 2");
        const QString notOurs = QStringLiteral("The file is not a Tavoro! document.");
        QTest::newRow("root of another name")
            << QByteArray("<PIM Version=\"1\"><Persons><Person ID=\"1\"/></Persons></PIM>") << notOurs;
        QTest::newRow("no version") << QByteArray("<Pim><Persons><Person ID=\"1\"/></Persons></Pim>") << notOurs;
        QTest::newRow("version 2") << QByteArray("<Pim Version=\"2\"><Persons><Person ID=\"1\"/></Persons></Pim>")
                                   << notOurs;
    }
    void parseErrorIsShown() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        PimDocument document;
        FakePromptService prompt;
        QVERIFY(!DocumentFormat::Load(file.constData(), std::size_t(file.size()), document, prompt));
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].text, message);
        QCOMPARE(prompt.messages[0].caption, QStringLiteral("Error Loading File"));
        QCOMPARE(prompt.messages[0].icon, PromptIcon::Stop);
        QCOMPARE(prompt.messages[0].buttons, PromptButtons::Ok);
        QCOMPARE(document.Persons().Count(), std::size_t(0));
    }

    void textAfterNulIsNotRead() {
        PimDocument document;
        FakePromptService prompt;
        const QByteArray text = version1("<Persons><Person ID=\"1\"/></Persons>") + QByteArray("\0<junk", 6);
        QVERIFY(DocumentFormat::Load(text.constData(), std::size_t(text.size()), document, prompt));
        QCOMPARE(document.Persons().Count(), std::size_t(1));
        QVERIFY(prompt.messages.isEmpty());
    }

    // Dates before 1970 and both moments of the repeated autumn hour come back to the second.
    void datesResaveByteExact() {
        const QByteArray file = fixture("dates-v1.pgr");
        PimDocument document;
        FakePromptService prompt;
        QVERIFY(DocumentFormat::Load(file.constData(), std::size_t(file.size()), document, prompt));
        QCOMPARE(saved(document), file);
        QCOMPARE(document.Appointments().Find(1)->StartTime, DateTime(1965, 5, 9, 14, 30, 0));
        QCOMPARE(document.Tasks().Find(1)->DueDate, DateTime(1912, 6, 1, 0, 0, 0));
        QCOMPARE(document.Appointments().Find(3)->StartTime, DateTime(2024, 10, 27, 2, 30, 0));
    }

    void localSecondsMatchesTheRuntime() {
        // Every quarter hour through the days around both daylight-saving changes of a year,
        // and a spread of other moments, including the edges of the count.
        QList<DateTime> moments;
        for (int day : {29, 30, 31})
            for (int minutes = 0; minutes < 24 * 60; minutes += 15) {
                moments << DateTime(2003, 3, day, minutes / 60, minutes % 60, 0);
                moments << DateTime(2003, 10, day - 3, minutes / 60, minutes % 60, 7);
            }
        for (int year = 1900; year <= 2100; year += 3)
            moments << DateTime(year, 1 + year % 12, 1 + year % 28, year % 24, year % 60, year % 59);
        moments << DateTime(1970, 1, 1, 0, 30, 0) << DateTime(1970, 1, 1, 1, 0, 0) << DateTime(2038, 1, 19, 4, 14, 8)
                << DateTime() << DateTime(9999, 12, 31, 0, 0, 0);
        LocalSeconds seconds;
        for (int pass = 0; pass < 2; ++pass) // the second pass answers from what the first remembered
            for (const DateTime& moment : moments)
                QCOMPARE(seconds(moment), moment.ToSeconds());
    }

    // Saving to disk: the file holds the text, a new file is private, a failure leaves the old
    // file exactly as it was and answers false.
    void saveWritesTheFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("home.pgr"));
        PimDocument document;
        fillAllFields(document);
        QVERIFY(DocumentStorage(document).Save(path));
        QCOMPARE(readFile(path), fixture("all-fields-v1.pgr"));
        const QFileDevice::Permissions others =
            QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
        QVERIFY(QFile::permissions(path).testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(QFile::permissions(path) & others, QFileDevice::Permissions());
        // An existing file keeps the permissions its owner gave it.
        QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadGroup));
        QVERIFY(DocumentStorage(document).Save(path));
        QVERIFY(QFile::permissions(path).testFlag(QFileDevice::ReadGroup));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("home.pgr")});
    }

    // Saving keeps the file's mode bits whoever saves, the superuser too. A mode that lets nobody
    // write marks the file as not to be saved in place; for other users also one they may not write.
    void saveKeepsTheModeBits_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("protectedForAll"); // for the superuser too
        QTest::newRow("0600") << 0600 << false;
        QTest::newRow("0640") << 0640 << false;
        QTest::newRow("0755") << 0755 << false;
        QTest::newRow("0444") << 0444 << true;
        QTest::newRow("0400") << 0400 << true;
    }
    void saveKeepsTheModeBits() {
        QFETCH(int, mode);
        QFETCH(bool, protectedForAll);
        QTemporaryDir folder;
        const QString path = writeTestFile(folder.filePath(QStringLiteral("home.pgr")), "old contents");
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        const bool superuser = ::geteuid() == 0;
        QCOMPARE(DocumentStorage::IsWriteProtected(path), protectedForAll);
        PimDocument document;
        document.Add(Person{});
        // The superuser's write succeeds where the mode forbids it; only Save As chooses to.
        const bool written = DocumentStorage(document).Save(path);
        QCOMPARE(written, superuser || !protectedForAll);
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), mode);
        QCOMPARE(readFile(path).contains("<Person"), written);
        {
            DocumentStorage storage(document);
            storage.SetFileName(path);
            QCOMPARE(storage.IsReadOnly(), protectedForAll);
        }
    }

    void saveIntoMissingFolderFails() {
        QTemporaryDir folder;
        PimDocument document;
        QVERIFY(!DocumentStorage(document).Save(folder.filePath(QStringLiteral("gone/home.pgr"))));
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("gone"))));
    }

    void failingWriteLeavesTheTarget() {
        // The system refuses to let files grow past a few kilobytes: the write of the temporary
        // file fails part way, as on a full disk.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("home.pgr"));
        writeTestFile(path, "old contents");
        PimDocument document;
        Person person;
        person.Notes.assign(64 * 1024, 'n');
        document.Add(person);
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = previous;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool savedOk = DocumentStorage(document).Save(path);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(!savedOk);
        QCOMPARE(readFile(path), QByteArray("old contents"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("home.pgr")});
    }

    // Only a regular file is read (a link to one is followed); anything else fails at once with
    // its reason, a pipe without a writer and a file larger than memory included.
    void readWholeFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << "missing" << int(platform::FileError::Missing) << QByteArray();
        QTest::newRow("folder") << "." << int(platform::FileError::NotRegular) << QByteArray();
        QTest::newRow("pipe") << "pipe" << int(platform::FileError::NotRegular) << QByteArray();
        QTest::newRow("device") << "/dev/zero" << int(platform::FileError::NotRegular) << QByteArray();
        QTest::newRow("too large") << "huge" << int(platform::FileError::TooLarge) << QByteArray();
        QTest::newRow("empty") << "empty" << int(platform::FileError::None) << QByteArray("");
        QTest::newRow("NUL inside") << "nul" << int(platform::FileError::None) << QByteArray("a\0b", 3);
        QTest::newRow("link to a file") << "link" << int(platform::FileError::None) << QByteArray("a\0b", 3);
    }
    void readWholeFile() {
        QFETCH(QString, name);
        QFETCH(int, error);
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        writeTestFile(folder.filePath(QStringLiteral("empty")), QByteArray(""));
        writeTestFile(folder.filePath(QStringLiteral("nul")), QByteArray("a\0b", 3));
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("nul")), folder.filePath(QStringLiteral("link"))));
        QCOMPARE(mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
        QFile huge(folder.filePath(QStringLiteral("huge")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(300) << 30)); // sparse: takes no space
        platform::FileError reason = platform::FileError::Unreadable;
        const std::optional<std::string> text = platform::ReadWholeFile(QDir(folder.path()).filePath(name), &reason);
        QCOMPARE(int(reason), error);
        QCOMPARE(text.has_value(), !content.isNull());
        if (text)
            QCOMPARE(QByteArray::fromStdString(*text), content);
    }

    // Writing never replaces what is not a regular file; through a link it writes the file linked to.
    void writeRefusesWhatIsNotAFile() {
        QTemporaryDir folder;
        const QString pipe = folder.filePath(QStringLiteral("pipe"));
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        platform::FileError reason = platform::FileError::None;
        QVERIFY(!platform::WriteFileAtomically(pipe, "text", &reason));
        QCOMPARE(reason, platform::FileError::NotRegular);
        QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
        QVERIFY(!platform::WriteFileAtomically(folder.path(), "text", &reason));

        const QString file = writeTestFile(folder.filePath(QStringLiteral("file")), "old");
        const QString link = folder.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(file, link));
        QVERIFY(platform::WriteFileAtomically(link, "new"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readFile(file), QByteArray("new"));
    }

    // Where no temporary file can be made beside the document (a read-only folder; for a user who
    // may write anywhere, a name too long to take the temporary suffix), it is written in place.
    void writeInPlaceWhenNoTemporaryFileFits() {
        QTemporaryDir folder;
        const QString file = writeTestFile(folder.filePath(QString(250, QLatin1Char('d'))), "old contents");
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QVERIFY(platform::WriteFileAtomically(file, "new"));
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(readFile(file), QByteArray("new"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
    }
};

TAVORO_TEST_MAIN(TestDocumentFile)
#include "TestDocumentFile.moc"
