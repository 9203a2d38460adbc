#include "support/DavProxy.h"
#include "support/FakePromptService.h"
#include "support/RadicaleServer.h"
#include "support/TestMain.h"

#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "exchange/RecordUid.h"
#include "sync/DavClient.h"
#include "sync/DavXml.h"
#include "sync/Sync.h"
#include "sync/SyncDecision.h"
#include "sync/SyncState.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

using davsync::DavClient;
using davsync::SyncReport;
using Kind = RecordKind;

namespace {

Person person(const char* first, const char* last) {
    Person p;
    p.FName = first;
    p.LName = last;
    p.Company = "Lindqvist & Partner";
    p.Addr1 = "Hauptstraße 5";
    p.City = "Köln";
    p.Zip = "50667";
    p.HmPhone = "0221 555 01";
    p.WkPhone = "0221 555 02";
    p.WkExt = "12";
    p.EMail = "someone@example.org";
    p.Notes = "two\nlines";
    p.WhitePages = 1;
    return p;
}

Appointment appointment(const char* what, int day, int hour, bool alarm) {
    Appointment a;
    a.Description = what;
    a.DueDate = DateTime(2026, 3, day, 0, 0, 0);
    a.StartTime = DateTime(2026, 3, day, hour, 15, 0);
    a.EndTime = DateTime(2026, 3, day, hour + 1, 0, 0);
    a.Alarm = alarm ? 1 : 0;
    a.AlarmTime = alarm ? DateTime(2026, 3, day, hour, 0, 0) : a.StartTime;
    return a;
}

Task task(const char* what, int priority) {
    Task t;
    t.Description = what;
    t.Priority = priority;
    t.DueDate = DateTime(2026, 3, 20, 0, 0, 0);
    if (priority == Task::Done)
        t.DoneDate = DateTime(2026, 3, 18, 0, 0, 0);
    return t;
}

// A saved document of two records of each kind, named by the test so that its state file is its own.
struct Document {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("diary.pgr"));
    PimDocument document;
    DocumentStorage storage{document};

    Document() {
        document.Add(person("Eva", "Meier"));
        document.Add(person("Jonas", "Brandt"));
        document.Add(appointment("Dentist", 10, 9, true));
        document.Add(appointment("Board meeting", 11, 14, false));
        document.Add(task("Pay rent", Task::High));
        document.Add(task("File taxes", Task::Done));
        storage.WriteToFile(path);
        storage.SetFileName(path);
    }
};

// What a user sees on the server: the objects of a collection, read with plain HTTP requests.
class ServerView {
public:
    ServerView(const QUrl& server, const QString& user, const PimDocument* document = nullptr)
        : m_client(user, QString(), 10), m_user(user), m_server(server),
          m_identity(document ? QString::fromStdString(document->Records().Identity) : QString()) {}

    QUrl Collection(Kind kind) const {
        return m_server.resolved(QUrl(QStringLiteral("/%1/%2/").arg(
            m_user, kind == Kind::Person ? QStringLiteral("tavoro-contacts") : QStringLiteral("tavoro-calendar"))));
    }
    // The object a record of the document went up as.
    QUrl Object(Kind kind, int id) const {
        const QString uid = Uid(kind, id).remove(QStringLiteral("urn:uuid:"));
        return Collection(kind).resolved(
            QUrl(uid + (kind == Kind::Person ? QStringLiteral(".vcf") : QStringLiteral(".ics"))));
    }
    QString Uid(Kind kind, int id) const { return davsync::OwnUid(m_identity, kind, id); }
    // The members' texts, sorted.
    QStringList Texts(Kind kind) {
        const davsync::DavResponse listing = m_client.Send(
            {"PROPFIND", Collection(kind), davxml::EtagQuery(), {qMakePair(QByteArray("Depth"), QByteArray("1"))}});
        QStringList texts;
        for (const davxml::Resource& member : davxml::Parse(listing.body).resources) {
            if (!member.collection)
                texts << QString::fromUtf8(Get(Collection(kind).resolved(QUrl(member.href))).body);
        }
        texts.sort();
        return texts;
    }
    int Count(Kind kind) {
        const QStringList texts = Texts(kind);
        const QString component = kind == Kind::Appointment ? QStringLiteral("BEGIN:VEVENT")
                                  : kind == Kind::Task      ? QStringLiteral("BEGIN:VTODO")
                                                            : QStringLiteral("BEGIN:VCARD");
        return int(std::count_if(texts.begin(), texts.end(), [&](const QString& t) { return t.contains(component); }));
    }
    QString Token(Kind kind) {
        const davsync::DavResponse answer = m_client.Send({"PROPFIND",
                                                           Collection(kind),
                                                           davxml::SyncTokenQuery(),
                                                           {qMakePair(QByteArray("Depth"), QByteArray("0"))}});
        return davxml::Parse(answer.body).resources.at(0).syncToken;
    }
    davsync::DavResponse Get(const QUrl& url) { return m_client.Send({"GET", url, {}, {}}); }
    int Put(const QUrl& url, const QByteArray& text) {
        davsync::DavRequest request{"PUT", url, text, {}};
        request.contentType = url.path().endsWith(QLatin1String(".vcf")) ? "text/vcard" : "text/calendar";
        return m_client.Send(request).status;
    }
    int Delete(const QUrl& url) { return m_client.Send({"DELETE", url, {}, {}}).status; }
    // A calendar of the user's besides the one this program made.
    int MakeCalendar(const QString& name, const QString& displayName) {
        const QUrl url = m_server.resolved(QUrl(QStringLiteral("/%1/%2/").arg(m_user, name)));
        return m_client.Send({"MKCALENDAR", url, davxml::MakeCalendar(displayName), {}}).status;
    }

private:
    DavClient m_client;
    QString m_user;
    QUrl m_server;
    QString m_identity;
};

QByteArray card(const char* uid, const char* first, const char* last) {
    return QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:") + uid + "\r\nFN:" + first + " " + last + "\r\nN:" + last +
           ";" + first + ";;;\r\nEND:VCARD\r\n";
}

QByteArray vevent(const char* uid, const char* summary, const char* start, const char* end) {
    return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:") + uid +
           "\r\nDTSTAMP:20260301T000000Z\r\nSUMMARY:" + summary + "\r\nDTSTART:" + start + "\r\nDTEND:" + end +
           "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

template <class Record, class Edit> void change(PimDocument& document, Record record, Edit&& edit) {
    edit(record);
    document.Change(record);
}

// The appointments with every field but their IDs, a changed occurrence naming its series.
QStringList appointments(const PimRecords& records) {
    QStringList lines;
    for (const auto& [id, a] : records.Appointments) {
        QStringList excluded;
        for (const CalendarDate& day : a.ExDates)
            excluded << QString::fromStdString(day.Iso());
        if (!a.RDates.empty())
            excluded << QStringLiteral("also");
        for (const CalendarDate& day : a.RDates)
            excluded << QString::fromStdString(day.Iso());
        const Appointment* series = a.SeriesID ? records.Appointments.Find(a.SeriesID) : nullptr;
        lines << QStringLiteral("%1 | %2 %3-%4 | alarm %5 %6 | all day %7 to %8 | %9 | %10 | except %11 | %12 of %13")
                     .arg(QString::fromStdString(a.Description), QString::fromStdString(a.DueDate.Format("%F")),
                          QString::fromStdString(a.StartTime.Format("%F %R")),
                          QString::fromStdString(a.EndTime.Format("%F %R")))
                     .arg(int(a.Alarm))
                     .arg(QString::fromStdString(a.AlarmTime.Format("%F %R")))
                     .arg(int(a.AllDay))
                     .arg(QString::fromStdString(a.EndDate.Iso()), QString::fromStdString(a.TimeZone),
                          QString::fromStdString(a.RRule), excluded.join(QLatin1Char(',')),
                          QString::fromStdString(a.OriginalDate.Iso()),
                          series ? QString::fromStdString(series->Description) : QString());
    }
    lines.sort();
    return lines;
}

std::vector<std::string> names(const PimRecords& records) {
    std::vector<std::string> all;
    for (const auto& [id, p] : records.Persons)
        all.push_back(p.FName + " " + p.LName);
    for (const auto& [id, a] : records.Appointments)
        all.push_back(a.Description);
    for (const auto& [id, t] : records.Tasks)
        all.push_back(t.Description);
    std::sort(all.begin(), all.end());
    return all;
}

} // namespace

class TestSync : public QObject {
    Q_OBJECT

    RadicaleServer m_server;

    // Every test signs in under a name of its own, and so has collections of its own.
    davsync::SyncAccount account() const {
        davsync::SyncAccount a;
        a.server = m_server.Url();
        a.user = QString::fromLatin1(QTest::currentTestFunction());
        if (QTest::currentDataTag())
            a.user += QLatin1Char('-') +
                      QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
        a.timeoutSeconds = 10;
        return a;
    }
    ServerView view(const PimDocument* document = nullptr) const {
        return ServerView(m_server.Url(), account().user, document);
    }

    // As the program and tavoro-cli do: what came down is saved before the next sync.
    SyncReport sync(DocumentStorage& storage, const davsync::SyncAccount& a, bool allowDeletions = false) {
        const SyncReport report = davsync::Synchronize(storage, a, {}, allowDeletions);
        if (!report.Succeeded() || !report.errors.isEmpty() || !report.skipped.isEmpty())
            qWarning().noquote() << report.Text();
        if (storage.Document().IsModified() && !storage.HasNoFileName())
            storage.WriteToFile(storage.FileName());
        return report;
    }

private slots:
    void initTestCase() {
        if (!m_server.Start())
            QFAIL(qPrintable(m_server.Problem()));
    }

    // The first sync uploads everything and finds an address book and a calendar to put it in; a
    // second one writes nothing at all (the server's sync tokens stay as they were).
    void firstSyncUploadsAllThenNothing() {
        Document local;
        const SyncReport first = sync(local.storage, account());
        QVERIFY(first.Succeeded());
        QCOMPARE(first.uploaded, 6);
        ServerView server = view(&local.document);
        QCOMPARE(server.Count(Kind::Person), 2);
        QCOMPARE(server.Count(Kind::Appointment), 2);
        QCOMPARE(server.Count(Kind::Task), 2);
        // The document now carries the identity its sync state is kept under.
        QCOMPARE(QString::fromStdString(local.document.Records().Identity).size(), 36);
        const QString contactsToken = server.Token(Kind::Person), calendarToken = server.Token(Kind::Task);

        const SyncReport second = sync(local.storage, account());
        QVERIFY(second.Succeeded());
        QCOMPARE(second.uploaded + second.downloaded + second.deletedHere + second.deletedThere, 0);
        QVERIFY(!local.document.IsModified());
        QCOMPARE(server.Token(Kind::Person), contactsToken);
        QCOMPARE(server.Token(Kind::Task), calendarToken);
    }

    void serverChangesComeDown() {
        Document local;
        QVERIFY(sync(local.storage, account()).Succeeded());
        ServerView server = view(&local.document);
        const QByteArray uid = server.Uid(Kind::Person, 1).toUtf8();
        QCOMPARE(server.Put(server.Object(Kind::Person, 1), card(uid, "Eva", "Schulz")) / 100, 2);
        QCOMPARE(server.Put(server.Collection(Kind::Appointment).resolved(QUrl(QStringLiteral("lunch.ics"))),
                            vevent("lunch", "Lunch", "20260312T110000Z", "20260312T120000Z")),
                 201);
        QCOMPARE(server.Delete(server.Object(Kind::Task, 1)), 200);

        const SyncReport report = davsync::Synchronize(local.storage, account());
        QVERIFY(report.Succeeded());
        QCOMPARE(report.downloaded, 2);
        QCOMPARE(report.deletedHere, 1);
        QCOMPARE(report.uploaded, 0);
        QVERIFY(local.document.IsModified());
        local.storage.WriteToFile(local.path);
        QCOMPARE(local.document.Persons().Find(1)->LName, "Schulz");
        QCOMPARE(names(local.document.Records()), (std::vector<std::string>{"Board meeting", "Dentist", "Eva Schulz",
                                                                            "File taxes", "Jonas Brandt", "Lunch"}));
        QCOMPARE(local.document.Appointments().Find(3)->StartTime, DateTime(2026, 3, 12, 12, 0, 0)); // 11:00 UTC
        QCOMPARE(sync(local.storage, account()).downloaded, 0);
    }

    void localChangesGoUp() {
        Document local;
        QVERIFY(sync(local.storage, account()).Succeeded());
        change(local.document, *local.document.Persons().Find(2), [](Person& p) { p.LName = "Brandt-Wolf"; });
        local.document.Add(task("Call the plumber", Task::Low));
        local.document.RemoveAppointment(2);

        const SyncReport report = sync(local.storage, account());
        QVERIFY(report.Succeeded());
        QCOMPARE(report.uploaded, 2);
        QCOMPARE(report.deletedThere, 1);
        ServerView server = view(&local.document);
        QVERIFY(server.Get(server.Object(Kind::Person, 2)).body.contains("N:Brandt-Wolf;Jonas"));
        QVERIFY(server.Get(server.Object(Kind::Task, 3)).body.contains("SUMMARY:Call the plumber"));
        QCOMPARE(server.Get(server.Object(Kind::Appointment, 2)).status, 404);
        QCOMPARE(server.Count(Kind::Appointment), 1);
        QCOMPARE(server.Count(Kind::Task), 3);
    }

    // Changed on both sides: the server's version takes the record and ours is kept as a new one,
    // here and there. Deleted on one side and changed on the other: the change stays.
    void conflictsLoseNothing() {
        Document local;
        QVERIFY(sync(local.storage, account()).Succeeded());
        ServerView server = view(&local.document);
        const QByteArray eva = server.Uid(Kind::Person, 1).toUtf8();
        const QByteArray jonas = server.Uid(Kind::Person, 2).toUtf8();
        QCOMPARE(server.Put(server.Object(Kind::Person, 1), card(eva, "Eva", "Server")) / 100, 2);
        change(local.document, *local.document.Persons().Find(1), [](Person& p) { p.LName = "Local"; });
        QCOMPARE(server.Put(server.Object(Kind::Person, 2), card(jonas, "Jonas", "Server")) / 100, 2);
        local.document.RemovePerson(2);
        QCOMPARE(server.Delete(server.Object(Kind::Task, 1)), 200);
        change(local.document, *local.document.Tasks().Find(1), [](Task& t) { t.Description = "Pay rent today"; });

        const SyncReport report = sync(local.storage, account());
        QVERIFY(report.Succeeded());
        QCOMPARE(report.conflicts.size(), 1);
        QVERIFY(report.conflicts.front().contains(QLatin1String("Local, Eva")));
        QCOMPARE(names(local.document.Records()),
                 (std::vector<std::string>{"Board meeting", "Dentist", "Eva Local", "Eva Server", "File taxes",
                                           "Jonas Server", "Pay rent today"}));
        QCOMPARE(server.Count(Kind::Person), 3);
        QCOMPARE(server.Count(Kind::Task), 2);
        const SyncReport again = sync(local.storage, account());
        QCOMPARE(again.uploaded + again.downloaded + again.conflicts.size(), 0);
    }

    // Without the state file (lost, damaged, or the document moved) everything is compared by UID
    // and content: nothing twice, nothing deleted. Among the records, those that do not come back
    // from the server exactly as they went: in both White and Yellow Pages, done at 15:30, and
    // running past midnight (which the server keeps but this program cannot read back).
    void lostStateGivesNoDuplicates_data() {
        QTest::addColumn<QByteArray>("state");
        QTest::addColumn<bool>("moved");
        QTest::newRow("deleted") << QByteArray() << false;
        QTest::newRow("damaged") << QByteArray("{\"version\":1,\"links\":[") << false;
        QTest::newRow("document moved") << QByteArray() << true;
    }
    void lostStateGivesNoDuplicates() {
        QFETCH(QByteArray, state);
        QFETCH(bool, moved);
        Document local;
        Person both = person("Lena", "Both");
        both.YellowPages = 1;
        local.document.Add(both);
        Task done = task("Sent the letter", Task::Done);
        done.DoneDate = DateTime(2026, 3, 18, 15, 30, 0);
        local.document.Add(done);
        Appointment late = appointment("Night shift", 12, 22, false);
        late.EndTime = DateTime(2026, 3, 13, 2, 0, 0);
        local.document.Add(late);
        local.storage.WriteToFile(local.path);
        const SyncReport first = sync(local.storage, account());
        QVERIFY(first.Succeeded());
        QCOMPARE(first.uploaded, 9);
        const QString statePath = davsync::SyncSession(account(), local.path).StatePath();
        QVERIFY(QFile::remove(statePath));
        if (!state.isEmpty()) {
            QFile damaged(statePath);
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(state);
        }
        if (moved) {
            const QString other = local.folder.filePath(QStringLiteral("moved.pgr"));
            QVERIFY(QFile::rename(local.path, other));
            local.storage.SetFileName(other);
        }
        const SyncReport report = sync(local.storage, account());
        QVERIFY(report.Succeeded());
        QCOMPARE(report.uploaded + report.downloaded + report.deletedHere + report.deletedThere, 0);
        QCOMPARE(report.conflicts.size(), 0);
        QCOMPARE(report.errors.size(), 0);
        ServerView server = view(&local.document);
        QCOMPARE(server.Count(Kind::Person), 3);
        QCOMPARE(server.Count(Kind::Appointment), 3);
        QCOMPARE(server.Count(Kind::Task), 3);
        QCOMPARE(local.document.Persons().Count(), 3u);
        QCOMPARE(local.document.Persons().Find(3)->YellowPages, 1);
        const SyncReport again = sync(local.storage, account());
        QCOMPARE(again.uploaded + again.downloaded + int(again.errors.size()), 0);
    }

    // The state belongs to the document it was made with. A document missing, replaced by
    // another, or put back from an older copy is compared whole: nothing is deleted on either side.
    void documentReplacedDeletesNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("missing") << QStringLiteral("missing");
        QTest::newRow("another document") << QStringLiteral("another");
        QTest::newRow("an older copy") << QStringLiteral("older");
    }
    void documentReplacedDeletesNothing() {
        QFETCH(QString, how);
        Document local;
        QVERIFY(sync(local.storage, account()).Succeeded());
        QFile saved(local.path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray backup = saved.readAll();
        saved.close();
        for (int i = 0; i < 15; ++i)
            local.document.Add(person("Later", std::to_string(i).c_str()));
        QCOMPARE(sync(local.storage, account()).uploaded, 15);

        PimDocument replaced;
        DocumentStorage replacedStorage(replaced);
        if (how == QLatin1String("another")) {
            replaced.Add(person("Other", "Person"));
            QVERIFY(replacedStorage.WriteToFile(local.path));
        } else if (how == QLatin1String("older")) {
            QFile file(local.path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(backup);
            file.close();
            FakePromptService prompt;
            QVERIFY(replacedStorage.ReadFromFile(local.path, prompt));
        } else {
            QVERIFY(QFile::remove(local.path));
        }
        replacedStorage.SetFileName(local.path);
        const SyncReport report = sync(replacedStorage, account());
        QVERIFY(report.Succeeded());
        QCOMPARE(report.deletedThere + report.deletedHere, 0);
        QCOMPARE(report.conflicts.size(), 0);
        ServerView server = view(&local.document);
        const int persons = how == QLatin1String("another") ? 18 : 17;
        QCOMPARE(server.Count(Kind::Person), persons);
        QCOMPARE(int(replaced.Persons().Count()), persons);
        QCOMPARE(server.Count(Kind::Task), 2);
        QCOMPARE(replaced.Tasks().Count(), 2u);
    }

    // Many deletions at once (more than 10, and more than a tenth) are held back unless allowed,
    // on either side, and the report says so.
    void massDeletionsWaitForConsent() {
        Document local;
        for (int i = 0; i < 30; ++i)
            local.document.Add(person("Many", std::to_string(i).c_str()));
        QCOMPARE(sync(local.storage, account()).uploaded, 36);
        for (int id = 3; id <= 14; ++id)
            local.document.RemovePerson(id);
        const SyncReport held = sync(local.storage, account());
        QCOMPARE(held.deletedThere, 0);
        QCOMPARE(held.heldBack, 12);
        QVERIFY(!held.Complete());
        QVERIFY(held.Text().contains(QLatin1String("Deletions held back, too many to make unasked: 12")));
        ServerView server = view(&local.document);
        QCOMPARE(server.Count(Kind::Person), 32);
        QCOMPARE(sync(local.storage, account(), true).deletedThere, 12);
        QCOMPARE(server.Count(Kind::Person), 20);

        for (int id = 15; id <= 25; ++id)
            QCOMPARE(server.Delete(server.Object(Kind::Person, id)), 200);
        const SyncReport here = sync(local.storage, account());
        QCOMPARE(here.deletedHere, 0);
        QCOMPARE(here.heldBack, 11);
        QCOMPARE(local.document.Persons().Count(), 20u);
        // Held back, they are asked about again: the token did not move past them.
        QCOMPARE(sync(local.storage, account(), true).deletedHere, 11);
        QCOMPARE(local.document.Persons().Count(), 9u);
    }

    // A listing cut into parts (RFC 6578's 507) is followed to its end: nothing is taken for
    // deleted because the first part did not name it.
    void cutListingDeletesNothing() {
        DavProxy proxy(m_server.Url());
        QVERIFY(proxy.Start());
        davsync::SyncAccount a = account();
        a.server = proxy.Url();
        Document local;
        for (int i = 0; i < 6; ++i)
            local.document.Add(person("Cut", std::to_string(i).c_str()));
        QCOMPARE(sync(local.storage, a).uploaded, 12);
        // The server forgot the tokens: everything is listed again, in parts of five.
        const QString statePath = davsync::SyncSession(a, local.path).StatePath();
        davsync::SyncState state;
        QVERIFY(davsync::SyncState::Load(statePath, state));
        state.contacts.token.clear();
        state.events.token.clear();
        state.todos.token.clear();
        QVERIFY(state.Save(statePath));
        proxy.CutListingsAt(5);
        const int listingsBefore = proxy.Listings();
        const SyncReport report = sync(local.storage, a);
        QVERIFY2(report.Succeeded(), qPrintable(report.failure));
        QCOMPARE(report.deletedHere + report.deletedThere + report.downloaded + report.uploaded, 0);
        QCOMPARE(local.document.Persons().Count(), 8u);
        // The address book in two parts, the calendar in one.
        QCOMPARE(proxy.Listings() - listingsBefore, 3);
        QCOMPARE(sync(local.storage, a).deletedHere, 0);
        QCOMPARE(local.document.Persons().Count(), 8u);
    }

    // A busy server is waited for as it asks and asked again; a full one is named as such.
    void busyServerIsWaitedFor() {
        DavProxy proxy(m_server.Url());
        QVERIFY(proxy.Start());
        davsync::SyncAccount a = account();
        a.server = proxy.Url();
        proxy.Answer("PROPFIND", 503, 2, 1);
        proxy.Answer("PUT", 429, 2, 0);
        Document local;
        const SyncReport report = sync(local.storage, a);
        QVERIFY2(report.Succeeded(), qPrintable(report.failure));
        QCOMPARE(report.uploaded, 6);
        QCOMPARE(report.errors.size(), 0);
        QCOMPARE(proxy.Requests("PUT"), 8);
    }
    void fullServerSaysSo() {
        DavProxy proxy(m_server.Url());
        QVERIFY(proxy.Start());
        davsync::SyncAccount a = account();
        a.server = proxy.Url();
        proxy.Answer("PUT", 507);
        Document local;
        const SyncReport report = davsync::Synchronize(local.storage, a);
        QVERIFY2(report.failure.contains(QLatin1String("is full: it has no room to store more")),
                 qPrintable(report.failure));
        QCOMPARE(report.uploaded, 0);
    }

    // Objects from a phone, with much this program has no field for, edited here: everything but
    // the edit stays on the server.
    void richObjectsKeepWhatIsNotHeld() {
        Document local;
        QVERIFY(sync(local.storage, account()).Succeeded());
        ServerView server = view(&local.document);
        const QByteArray card =
            "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:rich-1\r\nN:Meyer;Anna;Maria;Dr.;PhD\r\n"
            "FN:Dr. Anna Maria Meyer PhD\r\nNICKNAME:Annie\r\nORG:Northwind;Sales;Europe\r\n"
            "BDAY:1980-04-12\r\nCATEGORIES:Work,Friends\r\nIMPP:xmpp:anna@example.org\r\n"
            "EMAIL;TYPE=HOME,PREF:anna@home.example.org\r\nEMAIL;TYPE=WORK:anna@work.example.com\r\n"
            "TEL;TYPE=CELL:+49 170 1111111\r\nTEL;TYPE=CELL:+49 170 2222222\r\n"
            "ADR;TYPE=HOME:;;Hauptstr. 5;Köln;;50667;Germany\r\n"
            "ADR;TYPE=WORK:;;Industriestr. 9;Düsseldorf;;40210;Germany\r\n"
            "X-PHONE-RINGTONE:bells\r\nEND:VCARD\r\n";
        const QUrl cardUrl = server.Collection(Kind::Person).resolved(QUrl(QStringLiteral("rich-1.vcf")));
        QCOMPARE(server.Put(cardUrl, card) / 100, 2);
        QByteArray event = vevent("rich-2", "Planning", "20260310T080700Z", "20260310T085200Z");
        event.replace("END:VEVENT", "LOCATION:Room 4\r\nATTENDEE;CN=Ann:mailto:ann@example.org\r\n"
                                    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Soon\r\nTRIGGER:-PT2H\r\n"
                                    "END:VALARM\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Now\r\n"
                                    "TRIGGER:PT0S\r\nEND:VALARM\r\nEND:VEVENT");
        const QUrl eventUrl = server.Collection(Kind::Appointment).resolved(QUrl(QStringLiteral("rich-2.ics")));
        QCOMPARE(server.Put(eventUrl, event) / 100, 2);
        QCOMPARE(sync(local.storage, account()).downloaded, 2);

        const auto anna = std::find_if(local.document.Persons().begin(), local.document.Persons().end(),
                                       [](const auto& entry) { return entry.second.LName == "Meyer"; });
        QCOMPARE(anna->second.Birthday, std::string("1980-04-12"));
        change(local.document, anna->second, [](Person& p) {
            p.City = "Bonn";
            p.Anniversary = "2005-06-18";
        });
        const auto planning = std::find_if(local.document.Appointments().begin(), local.document.Appointments().end(),
                                           [](const auto& entry) { return entry.second.Description == "Planning"; });
        change(local.document, planning->second, [](Appointment& a) { a.Description = "Planning, again"; });
        const SyncReport report = sync(local.storage, account());
        QCOMPARE(report.uploaded, 2);

        const QByteArray cardNow = server.Get(cardUrl).body;
        for (const char* kept : {"NICKNAME:Annie", "BDAY:1980-04-12", "CATEGORIES:Work,Friends", "IMPP:xmpp:anna",
                                 "anna@work.example.com", "+49 170 2222222", "Industriestr. 9", "Germany",
                                 "X-PHONE-RINGTONE:bells", "N:Meyer;Anna;Maria;Dr.;PhD", "ORG:Northwind;Sales;Europe"})
            QVERIFY2(cardNow.contains(kept), kept);
        QVERIFY(cardNow.contains("Bonn"));
        QVERIFY(cardNow.contains("X-ANNIVERSARY:2005-06-18"));
        QVERIFY(!cardNow.contains("Köln"));
        const QByteArray eventNow = server.Get(eventUrl).body;
        for (const char* kept : {"DTSTART:20260310T080700Z", "DTEND:20260310T085200Z", "LOCATION:Room 4",
                                 "ATTENDEE;CN=Ann", "TRIGGER:-PT2H", "DESCRIPTION:Now"})
            QVERIFY2(eventNow.contains(kept), kept);
        QVERIFY(eventNow.contains("SUMMARY:Planning\\, again"));

        // Turning the reminder off takes the alarms and nothing else.
        change(local.document, *local.document.Appointments().Find(planning->first),
               [](Appointment& a) { a.Alarm = 0; });
        QCOMPARE(sync(local.storage, account()).uploaded, 1);
        const QByteArray silent = server.Get(eventUrl).body;
        QVERIFY(!silent.contains("VALARM"));
        QVERIFY(silent.contains("DTSTART:20260310T080700Z"));
        QVERIFY(silent.contains("LOCATION:Room 4"));
    }

    // The account's other calendars are named in the report, and one can be chosen instead.
    void otherCollectionsAreNamedAndChosen() {
        Document local;
        QVERIFY(sync(local.storage, account()).Succeeded());
        ServerView server = view(&local.document);
        QCOMPARE(server.MakeCalendar(QStringLiteral("work"), QStringLiteral("Work")) / 100, 2);
        const SyncReport report = sync(local.storage, account());
        QCOMPARE(report.otherCollections.size(), 1);
        QVERIFY2(report.otherCollections.front().startsWith(QLatin1String("calendar \"Work\"")),
                 qPrintable(report.otherCollections.front()));
        QVERIFY(report.Text().contains(QLatin1String("Also on the server, not synchronized")));

        davsync::SyncAccount a = account();
        a.eventCalendar = m_server.Url().resolved(QUrl(QStringLiteral("/%1/work/").arg(a.user)));
        const SyncReport moved = sync(local.storage, a);
        QVERIFY(moved.Succeeded());
        QCOMPARE(moved.uploaded, 2);
        QCOMPARE(moved.deletedHere + moved.deletedThere, 0);
        QVERIFY(moved.otherCollections.isEmpty());
    }

    // Text of older documents (Windows-1252, CR CR LF line breaks) reaches the server as UTF-8
    // with one break per line, and names read right in the report.
    void olderTextIsDecodedPerField() {
        Document local;
        Person old = person("\xC7"
                            "agla",
                            "Thompson");
        old.City = "K\xF6ln";
        old.Notes = "first line\r\r\nsecond line";
        local.document.Add(old);
        QVERIFY(sync(local.storage, account()).Succeeded());
        ServerView server = view(&local.document);
        const QByteArray text = server.Get(server.Object(Kind::Person, 3)).body;
        QVERIFY2(text.contains("FN:Çagla Thompson"), text.constData());
        QVERIFY(text.contains("Köln"));
        QVERIFY(text.contains("NOTE:first line\\nsecond line\r\n"));

        QCOMPARE(server.Put(server.Object(Kind::Person, 3),
                            "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + server.Uid(Kind::Person, 3).toUtf8() +
                                "\r\nN:Thompson;Çagla;;;\r\nFN:Çagla Thompson\r\nTEL;TYPE=CELL:0170\r\nEND:VCARD\r\n") /
                     100,
                 2);
        change(local.document, *local.document.Persons().Find(3), [](Person& p) { p.Zip = "10115"; });
        const SyncReport report = sync(local.storage, account());
        QVERIFY2(report.conflicts.size() == 1, qPrintable(report.Text()));
        QVERIFY2(report.conflicts.front().contains(QStringLiteral("\"Thompson, Çagla\"")),
                 qPrintable(report.conflicts.front()));
    }

    // The server goes away in the middle of the upload and comes back: the next sync finishes the
    // work without a second copy of anything.
    void interruptedSyncCompletes() {
        RadicaleServer flaky;
        QVERIFY2(flaky.Start(), qPrintable(flaky.Problem()));
        davsync::SyncAccount a = account();
        a.server = flaky.Url();
        Document local;
        for (int i = 0; i < 300; ++i)
            local.document.Add(person("Person", std::to_string(i).c_str()));
        bool stopped = false;
        const SyncReport broken = davsync::Synchronize(local.storage, a, [&](const QString&, int done, int) {
            // Between two batches, with a few requests of the next on the way.
            if (done >= 100 && !stopped) {
                stopped = true;
                QTimer::singleShot(20, [&flaky] { flaky.Stop(); });
            }
        });
        QVERIFY(!broken.Succeeded());
        QVERIFY2(broken.failure.contains(QLatin1String("cannot be reached")), qPrintable(broken.failure));
        QVERIFY(broken.uploaded < 306);

        QVERIFY(flaky.Start());
        const SyncReport resumed = sync(local.storage, a);
        QVERIFY(resumed.Succeeded());
        QCOMPARE(resumed.downloaded, 0);
        QVERIFY(resumed.uploaded <= 306 - broken.uploaded);
        QCOMPARE(ServerView(flaky.Url(), a.user).Count(Kind::Person), 302);
        QCOMPARE(local.document.Persons().Count(), 302u);
    }

    // A cancel stops the work at the next request; what went up is remembered, and the next sync
    // sends the rest.
    void cancelKeepsWhatWasDone() {
        Document local;
        for (int i = 0; i < 200; ++i)
            local.document.Add(person("Person", std::to_string(i).c_str()));
        davsync::SyncSession session(account(), local.path);
        session.SetProgress([&session](const QString&, int done, int) {
            if (done >= 64)
                session.Cancel();
        });
        QVERIFY(session.Fetch(local.document.Records()));
        session.ApplyTo(local.document);
        QVERIFY(!session.Upload(local.document.Records()));
        QVERIFY(session.Finish());
        QCOMPARE(session.Report().failure, QStringLiteral("The synchronization was cancelled."));
        QCOMPARE(session.Report().uploaded, 64);
        QCOMPARE(sync(local.storage, account()).uploaded, 206 - 64);
    }

    // A refused password stops the sync with the reason, before anything changes here; the right
    // one goes through.
    void passwordIsChecked() {
        RadicaleServer guarded(QStringLiteral("anna"), QStringLiteral("s3cret:word"));
        QVERIFY2(guarded.Start(), qPrintable(guarded.Problem()));
        davsync::SyncAccount a;
        a.server = guarded.Url();
        a.user = QStringLiteral("anna");
        a.password = QStringLiteral("wrong");
        Document local;
        const PimRecords before = local.document.Records();
        const SyncReport refused = davsync::Synchronize(local.storage, a);
        QVERIFY(refused.failure.contains(QLatin1String("refused the user name or password")));
        QVERIFY(!local.document.IsModified());
        QCOMPARE(names(local.document.Records()), names(before));
        QVERIFY(!QFile::exists(davsync::SyncSession(a, local.path).StatePath()));

        a.password = QStringLiteral("s3cret:word");
        QCOMPARE(davsync::Synchronize(local.storage, a).uploaded, 6);
    }

    // A change made on the server between the look and the write is never overwritten: the write
    // is refused (412), and the next sync keeps both versions.
    void changeMeanwhileIsNotOverwritten() {
        Document local;
        QVERIFY(sync(local.storage, account()).Succeeded());
        ServerView server = view(&local.document);
        change(local.document, *local.document.Persons().Find(1), [](Person& p) { p.LName = "Local"; });
        davsync::SyncSession session(account(), local.path);
        QVERIFY(session.Fetch(local.document.Records()));
        session.ApplyTo(local.document);
        QCOMPARE(
            server.Put(server.Object(Kind::Person, 1), card(server.Uid(Kind::Person, 1).toUtf8(), "Eva", "Server")) /
                100,
            2);
        QVERIFY(session.Upload(local.document.Records()));
        QVERIFY(session.Finish());
        QCOMPARE(session.Report().errors.size(), 1);
        QVERIFY(session.Report().errors.front().contains(QLatin1String("changed on the server meanwhile")));
        QVERIFY(server.Get(server.Object(Kind::Person, 1)).body.contains("N:Server;Eva"));

        const SyncReport next = sync(local.storage, account());
        QCOMPARE(next.conflicts.size(), 1);
        QCOMPARE(names(local.document.Records()).size(), 7u);
        QCOMPARE(server.Count(Kind::Person), 3);
    }

    // An address book deleted on the server stops the sync with the reason and nothing changed
    // here; the next one makes a new address book and fills it.
    void collectionGoneIsMadeAgain() {
        Document local;
        QVERIFY(sync(local.storage, account()).Succeeded());
        ServerView server = view(&local.document);
        QCOMPARE(server.Delete(server.Collection(Kind::Person)) / 100, 2);
        const SyncReport stopped = davsync::Synchronize(local.storage, account());
        QVERIFY2(stopped.failure.contains(QLatin1String("address book")), qPrintable(stopped.failure));
        QVERIFY(!local.document.IsModified());
        QCOMPARE(local.document.Persons().Count(), 2u);
        const SyncReport again = sync(local.storage, account());
        QVERIFY(again.Succeeded());
        QCOMPARE(again.uploaded, 2);
        QCOMPARE(server.Count(Kind::Person), 2);
    }

    // A weekly series with one moved occurrence and an all-day trip go up (the moved occurrence inside
    // its series' object), come back unchanged into an empty document, and the occurrence changed on
    // the server comes back changed. A journal entry, which nothing here holds, stays on the server,
    // named in every report.
    void seriesAndAllDayGoBothWays() {
        Document local;
        Appointment choir = appointment("Choir", 2, 18, true);
        choir.TimeZone = "Europe/Berlin";
        choir.RRule = "FREQ=WEEKLY;COUNT=6";
        choir.ExDates = {CalendarDate::FromParts(2026, 3, 16)};
        const int series = *local.document.Add(choir);
        Appointment moved = choir;
        moved.Description = "Choir (in the hall)";
        moved.RRule.clear();
        moved.ExDates.clear();
        moved.SeriesID = series;
        moved.OriginalDate = CalendarDate::FromParts(2026, 3, 9);
        moved.DueDate = DateTime(2026, 3, 10, 0, 0, 0);
        moved.StartTime = DateTime(2026, 3, 10, 19, 7, 0);
        moved.EndTime = DateTime(2026, 3, 10, 20, 0, 0);
        moved.AlarmTime = DateTime(2026, 3, 9, 19, 7, 0); // a day ahead
        local.document.Add(moved);
        Appointment trip;
        trip.Description = "Trip to Rome";
        trip.AllDay = 1;
        trip.DueDate = trip.StartTime = trip.EndTime = trip.AlarmTime = DateTime(2026, 3, 20, 0, 0, 0);
        trip.EndDate = CalendarDate::FromParts(2026, 3, 22);
        local.document.Add(trip);
        local.storage.WriteToFile(local.path);
        const QStringList before = appointments(local.document.Records());
        QCOMPARE(sync(local.storage, account()).uploaded, 8);
        ServerView server = view(&local.document);
        QCOMPARE(server.Count(Kind::Appointment), 4);
        const QUrl object = server.Object(Kind::Appointment, series);
        const QByteArray text = server.Get(object).body;
        for (const char* line : {"RRULE:FREQ=WEEKLY;COUNT=6", "EXDATE;TZID=Europe/Berlin:20260316T181500",
                                 "RECURRENCE-ID;TZID=Europe/Berlin:20260309T181500", "BEGIN:VTIMEZONE"})
            QVERIFY2(text.contains(line), text.constData());

        QTemporaryDir folder;
        PimDocument copy;
        DocumentStorage storage{copy};
        storage.WriteToFile(folder.filePath(QStringLiteral("copy.pgr")));
        storage.SetFileName(folder.filePath(QStringLiteral("copy.pgr")));
        const SyncReport down = sync(storage, account());
        QCOMPARE(down.downloaded, 8);
        QCOMPARE(appointments(copy.Records()), before);
        QCOMPARE(sync(storage, account()).uploaded, 0);

        QByteArray edited = server.Get(object).body;
        edited.replace("SUMMARY:Choir (in the hall)", "SUMMARY:Choir (in the church)");
        QCOMPARE(server.Put(object, edited) / 100, 2);
        const QUrl journal = server.Collection(Kind::Appointment).resolved(QUrl(QStringLiteral("notes.ics")));
        QCOMPARE(server.Put(journal, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VJOURNAL\r\n"
                                     "UID:notes\r\nDTSTAMP:20260301T000000Z\r\nSUMMARY:Notes\r\nEND:VJOURNAL\r\n"
                                     "END:VCALENDAR\r\n") /
                     100,
                 2);
        const SyncReport back = davsync::Synchronize(local.storage, account());
        QCOMPARE(back.downloaded, 1);
        QCOMPARE(back.skipped.size(), 1);
        QVERIFY2(back.skipped.front().contains(QLatin1String("neither an event nor a to-do")),
                 qPrintable(back.skipped.front()));
        QStringList after = before;
        after.replaceInStrings(QStringLiteral("Choir (in the hall)"), QStringLiteral("Choir (in the church)"));
        QCOMPARE(appointments(local.document.Records()), after);
        QCOMPARE(davsync::Synchronize(local.storage, account()).skipped.size(), 1);
    }

    // A series from a phone, with a place on it and a guest at one changed occurrence, edited here
    // (renamed, the changed occurrence moved, one occurrence left out): the server's object keeps
    // the place and the guest and shows the edits.
    void seriesEditedHereIsPatched() {
        Document local;
        QVERIFY(sync(local.storage, account()).Succeeded());
        ServerView server = view(&local.document);
        QByteArray text = vevent("choir-1", "Choir", "20260302T171500Z", "20260302T183000Z");
        text.replace("END:VEVENT\r\nEND:VCALENDAR",
                     "RRULE:FREQ=WEEKLY;COUNT=6\r\nLOCATION:Hall 2\r\nEND:VEVENT\r\n"
                     "BEGIN:VEVENT\r\nUID:choir-1\r\nDTSTAMP:20260301T000000Z\r\n"
                     "RECURRENCE-ID:20260309T171500Z\r\nSUMMARY:Choir (in the church)\r\n"
                     "DTSTART:20260309T180000Z\r\nDTEND:20260309T193000Z\r\n"
                     "ATTENDEE;CN=Ann:mailto:ann@example.org\r\nEND:VEVENT\r\nEND:VCALENDAR");
        const QUrl url = server.Collection(Kind::Appointment).resolved(QUrl(QStringLiteral("choir-1.ics")));
        QCOMPARE(server.Put(url, text) / 100, 2);
        QCOMPARE(sync(local.storage, account()).downloaded, 1);

        const auto find = [&](const char* what) {
            for (const auto& [id, a] : local.document.Appointments())
                if (a.Description == what)
                    return a;
            return Appointment();
        };
        change(local.document, find("Choir"), [](Appointment& a) {
            a.Description = "Singing";
            a.ExDates.push_back(CalendarDate::FromParts(2026, 3, 16));
        });
        change(local.document, find("Choir (in the church)"), [](Appointment& a) {
            a.StartTime = a.StartTime + DateTimeSpan(1.0 / 24);
            a.EndTime = a.EndTime + DateTimeSpan(1.0 / 24);
        });
        QCOMPARE(sync(local.storage, account()).uploaded, 1);
        const QByteArray now = server.Get(url).body;
        for (const char* line : {"LOCATION:Hall 2", "ATTENDEE;CN=Ann:mailto:ann@example.org", "SUMMARY:Singing",
                                 "SUMMARY:Choir (in the church)", "RECURRENCE-ID:20260309T171500Z",
                                 "DTSTART:20260309T190000Z", "EXDATE:20260316T171500Z"})
            QVERIFY2(now.contains(line), now.constData());
        QCOMPARE(sync(local.storage, account()).uploaded, 0);
    }

    // Dates added to a series (RDATE) come down with it, go back up when it is edited here, and a
    // series given added dates here goes up with them; another document gets the same.
    void addedDatesGoBothWays() {
        Document local;
        QVERIFY(sync(local.storage, account()).Succeeded());
        ServerView server = view(&local.document);
        QByteArray text = vevent("course-1", "Course", "20260302T170000Z", "20260302T180000Z");
        text.replace("END:VEVENT", "RRULE:FREQ=WEEKLY;COUNT=3\r\nRDATE:20260305T170000Z,20260326T170000Z\r\n"
                                   "LOCATION:Room 1\r\nEND:VEVENT");
        const QUrl url = server.Collection(Kind::Appointment).resolved(QUrl(QStringLiteral("course-1.ics")));
        QCOMPARE(server.Put(url, text) / 100, 2);
        const SyncReport down = sync(local.storage, account());
        QCOMPARE(down.downloaded, 1);
        QVERIFY(down.skipped.isEmpty());
        Appointment course;
        for (const auto& [id, a] : local.document.Appointments())
            if (a.Description == "Course")
                course = a;
        QCOMPARE(course.RDates, (std::vector<CalendarDate>{CalendarDate::FromParts(2026, 3, 5),
                                                           CalendarDate::FromParts(2026, 3, 26)}));
        change(local.document, course, [](Appointment& a) { a.Description = "Course B"; });
        Appointment visits = appointment("Visits", 4, 10, false);
        visits.TimeZone = "Europe/Berlin";
        visits.RDates = {CalendarDate::FromParts(2026, 3, 12)};
        const int added = *local.document.Add(visits);
        QCOMPARE(sync(local.storage, account()).uploaded, 2);
        const QByteArray now = server.Get(url).body;
        for (const char* line : {"SUMMARY:Course B", "LOCATION:Room 1", "20260305T170000Z", "20260326T170000Z"})
            QVERIFY2(now.contains(line), now.constData());
        QVERIFY(server.Get(server.Object(Kind::Appointment, added)).body.contains("RDATE"));

        QTemporaryDir folder;
        PimDocument copy;
        DocumentStorage storage{copy};
        storage.WriteToFile(folder.filePath(QStringLiteral("copy.pgr")));
        storage.SetFileName(folder.filePath(QStringLiteral("copy.pgr")));
        QVERIFY(sync(storage, account()).Succeeded());
        QCOMPARE(appointments(copy.Records()), appointments(local.document.Records()));
        QCOMPARE(sync(local.storage, account()).uploaded, 0);
    }

    // A server that cannot be reached, or takes the connection and never answers: the reason, and
    // nothing changed here.
    void serverWithoutAnswer_data() {
        QTest::addColumn<bool>("listening");
        QTest::addColumn<QString>("reason");
        QTest::newRow("nothing listens") << false << QStringLiteral("cannot be reached");
        QTest::newRow("never answers") << true << QStringLiteral("did not answer in time");
    }
    void serverWithoutAnswer() {
        QFETCH(bool, listening);
        QFETCH(QString, reason);
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        const quint16 port = silent.serverPort();
        if (!listening)
            silent.close();
        Document local;
        davsync::SyncAccount a = account();
        a.server = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
        a.timeoutSeconds = 1;
        const SyncReport report = davsync::Synchronize(local.storage, a);
        QVERIFY2(report.failure.contains(reason), qPrintable(report.failure));
        QVERIFY(!local.document.IsModified());
    }

    void untitledDocumentIsNotSynced() {
        PimDocument untitled;
        untitled.Add(person("Eva", "Meier"));
        DocumentStorage storage(untitled);
        QCOMPARE(davsync::Synchronize(storage, account()).failure,
                 QStringLiteral("Save the document before synchronizing it."));
    }
};

TAVORO_TEST_MAIN(TestSync)
#include "TestSync.moc"
