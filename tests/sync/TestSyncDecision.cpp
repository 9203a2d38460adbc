#include "support/TestMain.h"

#include "exchange/RecordUid.h"
#include "sync/RecordText.h"
#include "sync/SyncDecision.h"

#include <functional>

using namespace davsync;

namespace {

Person person(const char* first, const char* last) {
    Person p;
    p.FName = first;
    p.LName = last;
    p.City = "Köln";
    p.EMail = "someone@example.org";
    p.WhitePages = 1;
    return p;
}

Appointment appointment(const char* what, int day, int hour) {
    Appointment a;
    a.Description = what;
    a.DueDate = DateTime(2026, 3, day, 0, 0, 0);
    a.StartTime = DateTime(2026, 3, day, hour, 0, 0);
    a.EndTime = DateTime(2026, 3, day, hour + 1, 0, 0);
    a.AlarmTime = a.StartTime;
    return a;
}

Task task(const char* what) {
    Task t;
    t.Description = what;
    t.Priority = Task::Medium;
    t.DueDate = DateTime(2026, 3, 20, 0, 0, 0);
    return t;
}

const QString kIdentity = QStringLiteral("7a4e0c1d-2b3f-4e5a-8c6d-9f0a1b2c3d4e");

// A document, its links, and what the server lists and sends this time.
struct World {
    PimRecords local;
    LinkTable links;
    CollectionListing contacts{{RecordKind::Person}, false, {}, {}};
    CollectionListing calendar{{RecordKind::Appointment, RecordKind::Task}, false, {}, {}};
    QString legacyKey;
    bool listed = true; // false: the upload step, which hears nothing from the server

    template <class Record> int Add(Record record) {
        auto& records = RecordTraits<Record>::In(local);
        record.ID = records.LastID() + 1;
        records.SetLastID(record.ID);
        records.InsertLoaded(record);
        return record.ID;
    }
    template <class Record> Record& At(int id) { return *RecordTraits<Record>::In(local).Find(id); }
    template <class Record> void Remove(int id) { RecordTraits<Record>::In(local).Remove(id); }

    static QString Href(RecordKind kind, int n) {
        return kind == RecordKind::Person ? QStringLiteral("/c/%1.vcf").arg(n) : QStringLiteral("/e/%1.ics").arg(n);
    }
    CollectionListing& ListingOf(RecordKind kind) { return kind == RecordKind::Person ? contacts : calendar; }

    // The record as last synchronised, tied to the object n.
    template <class Record> void Link(int id, int n, const char* etag = "e1") {
        const Record& record = At<Record>(id);
        const RecordKind kind = RecordTraits<Record>::Kind;
        links.insert(Href(kind, n), RecordLink{kind,
                                               id,
                                               Href(kind, n),
                                               etag,
                                               OwnUid(kIdentity, kind, id),
                                               recordtext::LocalHash(record),
                                               recordtext::Fingerprint(record),
                                               {},
                                               {}});
    }
    // A series as last synchronised, its changed occurrences inside its object n.
    void LinkSeries(int id, int n) {
        const recordtext::SeriesChanges changes(local);
        const Appointment& series = At<Appointment>(id);
        links.insert(Href(RecordKind::Appointment, n), RecordLink{RecordKind::Appointment,
                                                                  id,
                                                                  Href(RecordKind::Appointment, n),
                                                                  "e1",
                                                                  OwnUid(kIdentity, RecordKind::Appointment, id),
                                                                  recordtext::LocalHash(series, changes),
                                                                  recordtext::Fingerprint(series, changes),
                                                                  {},
                                                                  {}});
    }
    // The server lists object n as new or changed and sends its text.
    void Sends(RecordKind kind, int n, const std::string& text, const char* etag = "e2") {
        CollectionListing& listing = ListingOf(kind);
        listing.objects.push_back({Href(kind, n), etag, false});
        listing.copies.push_back(
            {Href(kind, n), etag, recordtext::Read(QByteArray::fromStdString(text), kind == RecordKind::Person)});
    }
    template <class Record> void Sends(int n, const Record& record, const std::string& uid, const char* etag = "e2") {
        Sends(RecordTraits<Record>::Kind, n, recordtext::Render(record, uid), etag);
    }
    void Gone(RecordKind kind, int n) { ListingOf(kind).objects.push_back({Href(kind, n), {}, true}); }

    QStringList Decide() const {
        SyncInput input;
        input.local = &local;
        input.links = &links;
        if (listed)
            input.listings = {contacts, calendar};
        input.identity = kIdentity;
        input.legacyKey = legacyKey;
        QStringList described;
        for (const SyncAction& action : davsync::Decide(input))
            described << Describe(action);
        return described;
    }
};

using Setup = std::function<void(World&)>;

std::string own(RecordKind kind, int id) {
    return OwnUid(kIdentity, kind, id).toStdString();
}

// A person's UID as an earlier version made it, from the document's file name.
std::string recorduidOf(const char* fileName, int id) {
    return recorduid::Uid(QString::fromLatin1(fileName), RecordKind::Person, id);
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestSyncDecision : public QObject {
    Q_OBJECT

private slots:
    // Each row: a document with its links, what the server says, and what the sync does.
    void decisions_data() {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("actions");
        const auto linkedEva = [](World& w) {
            w.Add(person("Eva", "Meier"));
            w.Link<Person>(1, 1);
        };
        QTest::newRow("unchanged on both sides") << Setup(linkedEva) << QStringList{};
        QTest::newRow("changed here") << Setup([&](World& w) {
            linkedEva(w);
            w.At<Person>(1).City = "Bonn";
        }) << QStringList{"update person 1 /c/1.vcf"};
        QTest::newRow("changed here where the server does not look") << Setup([&](World& w) {
            linkedEva(w);
            w.At<Person>(1).RName = "whatever";
        }) << QStringList{"link person 1 /c/1.vcf"};
        QTest::newRow("deleted here") << Setup([&](World& w) {
            linkedEva(w);
            w.Remove<Person>(1);
        }) << QStringList{"remove-there person 1 /c/1.vcf"};
        QTest::newRow("changed there") << Setup([&](World& w) {
            linkedEva(w);
            w.Sends(1, person("Eva", "Schulz"), own(RecordKind::Person, 1));
        }) << QStringList{"download person 1 /c/1.vcf"};
        QTest::newRow("changed on both sides") << Setup([&](World& w) {
            linkedEva(w);
            w.At<Person>(1).City = "Bonn";
            w.Sends(1, person("Eva", "Schulz"), own(RecordKind::Person, 1));
        }) << QStringList{"conflict person 1 /c/1.vcf"};
        QTest::newRow("changed alike on both sides") << Setup([&](World& w) {
            linkedEva(w);
            w.At<Person>(1).LName = "Schulz";
            w.Sends(1, person("Eva", "Schulz"), own(RecordKind::Person, 1));
        }) << QStringList{"link person 1 /c/1.vcf"};
        QTest::newRow("touched there, same content") << Setup([&](World& w) {
            linkedEva(w);
            w.Sends(1, person("Eva", "Meier"), "another-uid", "e9");
        }) << QStringList{"link person 1 /c/1.vcf"};
        QTest::newRow("gone there") << Setup([&](World& w) {
            linkedEva(w);
            w.Gone(RecordKind::Person, 1);
        }) << QStringList{"remove-here person 1 /c/1.vcf"};
        QTest::newRow("gone there, changed here") << Setup([&](World& w) {
            linkedEva(w);
            w.At<Person>(1).City = "Bonn";
            w.Gone(RecordKind::Person, 1);
        }) << QStringList{"keep-here person 1 /c/1.vcf"};
        QTest::newRow("gone on both sides") << Setup([&](World& w) {
            linkedEva(w);
            w.Remove<Person>(1);
            w.Gone(RecordKind::Person, 1);
        }) << QStringList{"forget person 1 /c/1.vcf"};
        QTest::newRow("deleted here, changed there") << Setup([&](World& w) {
            linkedEva(w);
            w.Remove<Person>(1);
            w.Sends(1, person("Eva", "Schulz"), own(RecordKind::Person, 1));
        }) << QStringList{"download person 0 /c/1.vcf"};
        QTest::newRow("new there") << Setup([&](World& w) { w.Sends(7, person("Max", "Remote"), "phone-uid"); })
                                   << QStringList{"download person 0 /c/7.vcf"};
        QTest::newRow("new here") << Setup([&](World& w) { w.Add(person("Kim", "New")); })
                                  << QStringList{"create person 1"};
        QTest::newRow("not listed in a whole listing") << Setup([&](World& w) {
            linkedEva(w);
            w.contacts.complete = true;
        }) << QStringList{"remove-here person 1 /c/1.vcf"};
        QTest::newRow("not listed in a listing of changes") << Setup([&](World& w) {
            linkedEva(w);
            w.contacts.complete = false;
        }) << QStringList{};
        QTest::newRow("listed unchanged in a whole listing") << Setup([&](World& w) {
            linkedEva(w);
            w.contacts.complete = true;
            w.contacts.objects.push_back({World::Href(RecordKind::Person, 1), "e1", false});
        }) << QStringList{};

        // A first synchronisation, or a state that no longer counts: matched, never deleted.
        QTest::newRow("first: same UID, same content") << Setup([&](World& w) {
            w.Add(person("Eva", "Meier"));
            w.Sends(1, person("Eva", "Meier"), own(RecordKind::Person, 1));
            w.contacts.complete = true;
        }) << QStringList{"link person 1 /c/1.vcf"};
        QTest::newRow("first: same UID, other content") << Setup([&](World& w) {
            w.Add(person("Eva", "Meier"));
            w.Sends(1, person("Eva", "Schulz"), own(RecordKind::Person, 1));
        }) << QStringList{"conflict person 1 /c/1.vcf"};
        QTest::newRow("first: same content, other UID") << Setup([&](World& w) {
            w.Add(person("Eva", "Meier"));
            w.Sends(4, person("Eva", "Meier"), "phone-uid");
        }) << QStringList{"link person 1 /c/4.vcf"};
        QTest::newRow("first: the UID an older version gave") << Setup([&](World& w) {
            w.legacyKey = QStringLiteral("diary.pgr");
            w.Add(person("Eva", "Meier"));
            w.At<Person>(1).City = "Bonn";
            w.Sends(4, person("Eva", "Meier"), "urn:uuid:" + recorduidOf("diary.pgr", 1));
        }) << QStringList{"conflict person 1 /c/4.vcf"};
        QTest::newRow("first: nothing alike") << Setup([&](World& w) {
            w.Add(person("Eva", "Meier"));
            w.Sends(4, person("Max", "Remote"), "phone-uid");
        }) << QStringList{"download person 0 /c/4.vcf", "create person 1"};
        QTest::newRow("first: two alike here, one there") << Setup([&](World& w) {
            w.Add(person("Eva", "Meier"));
            w.Add(person("Eva", "Meier"));
            w.Sends(4, person("Eva", "Meier"), "phone-uid");
        }) << QStringList{"link person 1 /c/4.vcf", "create person 2"};

        // What must survive the way there and back to be found again.
        QTest::newRow("first: White and Yellow Pages") << Setup([&](World& w) {
            Person both = person("Eva", "Meier");
            both.YellowPages = 1;
            w.Add(both);
            w.Sends(4, both, "phone-uid");
        }) << QStringList{"link person 1 /c/4.vcf"};
        QTest::newRow("first: done at 15:30") << Setup([&](World& w) {
            Task done = task("File taxes");
            done.Priority = Task::Done;
            done.DoneDate = DateTime(2026, 3, 18, 15, 30, 0);
            w.Add(done);
            w.Sends(RecordKind::Task, 4,
                    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//"
                    "EN\r\nBEGIN:VTODO\r\nUID:t4\r\nDTSTAMP:20260318T143000Z\r\n"
                    "SUMMARY:File taxes\r\nDUE;VALUE=DATE:20260320\r\nPRIORITY:5\r\nSTATUS:COMPLETED\r\n"
                    "COMPLETED:20260318T143000Z\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
        }) << QStringList{"link task 1 /e/4.ics"};
        QTest::newRow("first: Windows-1252 text and CR CR LF") << Setup([&](World& w) {
            Person old = person("\xC7"
                                "agla",
                                "Thompson");
            old.City = "K\xF6ln";
            old.Notes = "first\r\r\nsecond";
            w.Add(old);
            Person sent = person("Çagla", "Thompson");
            sent.Notes = "first\nsecond";
            w.Sends(4, sent, "phone-uid");
        }) << QStringList{"link person 1 /c/4.vcf"};
        QTest::newRow("first: ours, past midnight") << Setup([&](World& w) {
            Appointment late = appointment("Night shift", 10, 22);
            late.EndTime = DateTime(2026, 3, 11, 2, 0, 0);
            w.Add(late);
            w.Sends(4, late, own(RecordKind::Appointment, 1));
        }) << QStringList{"link appointment 1 /e/4.ics"};
        QTest::newRow("first: another's, past midnight") << Setup([&](World& w) {
            Appointment late = appointment("Night shift", 10, 22);
            late.EndTime = DateTime(2026, 3, 11, 2, 0, 0);
            w.Add(late);
            w.Sends(4, late, "phone-uid");
        }) << QStringList{"link appointment 1 /e/4.ics"};
        QTest::newRow("recurring event") << Setup([&](World& w) {
            w.Sends(RecordKind::Appointment, 4,
                    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//"
                    "EN\r\nBEGIN:VEVENT\r\nUID:w\r\nDTSTAMP:20260301T000000Z\r\n"
                    "SUMMARY:Choir\r\nDTSTART:20260302T180000Z\r\nRRULE:FREQ=WEEKLY\r\nDTEND:20260302T193000Z\r\n"
                    "END:VEVENT\r\nEND:VCALENDAR\r\n");
        }) << QStringList{"download appointment 0 /e/4.ics"};
        QTest::newRow("journal entry") << Setup([&](World& w) {
            w.Sends(RecordKind::Appointment, 4,
                    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//"
                    "EN\r\nBEGIN:VJOURNAL\r\nUID:j\r\nDTSTAMP:20260301T000000Z\r\n"
                    "SUMMARY:Notes\r\nEND:VJOURNAL\r\nEND:VCALENDAR\r\n");
        }) << QStringList{"leave appointment 0 /e/4.ics"};
        QTest::newRow("series and its changed occurrence: one object") << Setup([&](World& w) {
            Appointment weekly = appointment("Choir", 2, 18);
            weekly.RRule = "FREQ=WEEKLY;COUNT=4";
            const int series = w.Add(weekly);
            Appointment moved = weekly;
            moved.RRule.clear();
            moved.SeriesID = series;
            moved.OriginalDate = CalendarDate::FromParts(2026, 3, 9);
            moved.StartTime = DateTime(2026, 3, 10, 19, 0, 0);
            moved.EndTime = DateTime(2026, 3, 10, 20, 0, 0);
            w.Add(moved);
        }) << QStringList{"create appointment 1"};
        QTest::newRow("changed occurrence edited here: its series goes up") << Setup([&](World& w) {
            Appointment weekly = appointment("Choir", 2, 18);
            weekly.RRule = "FREQ=WEEKLY;COUNT=4";
            const int series = w.Add(weekly);
            Appointment moved = weekly;
            moved.RRule.clear();
            moved.SeriesID = series;
            moved.OriginalDate = CalendarDate::FromParts(2026, 3, 9);
            const int id = w.Add(moved);
            w.LinkSeries(series, 4);
            w.listed = false;
            w.At<Appointment>(id).Description = "Choir (in the hall)";
        }) << QStringList{"update appointment 1 /e/4.ics"};
        QTest::newRow("changed occurrence unchanged: nothing") << Setup([&](World& w) {
            Appointment weekly = appointment("Choir", 2, 18);
            weekly.RRule = "FREQ=WEEKLY;COUNT=4";
            const int series = w.Add(weekly);
            Appointment moved = weekly;
            moved.RRule.clear();
            moved.SeriesID = series;
            moved.OriginalDate = CalendarDate::FromParts(2026, 3, 9);
            w.Add(moved);
            w.LinkSeries(series, 4);
            w.listed = false;
        }) << QStringList{};
        QTest::newRow("left on the server, then readable") << Setup([&](World& w) {
            w.links.insert(World::Href(RecordKind::Appointment, 4), RecordLink{RecordKind::Appointment,
                                                                               0,
                                                                               World::Href(RecordKind::Appointment, 4),
                                                                               "e1",
                                                                               "w",
                                                                               {},
                                                                               {},
                                                                               "Choir",
                                                                               "a recurring event"});
            w.Sends(4, appointment("Choir", 2, 18), "w");
        }) << QStringList{"download appointment 0 /e/4.ics"};

        // The upload step, after what came down is in the document.
        QTest::newRow("upload: made again where it was") << Setup([&](World& w) {
            linkedEva(w);
            w.links[World::Href(RecordKind::Person, 1)].etag.clear();
            w.listed = false;
        }) << QStringList{"create person 1 /c/1.vcf"};
        QTest::newRow("upload: every kind") << Setup([&](World& w) {
            w.Add(person("Eva", "Meier"));
            w.Add(task("Pay rent"));
            w.Add(appointment("Dentist", 10, 9));
            w.listed = false;
        }) << QStringList{"create person 1", "create task 1", "create appointment 1"};
    }
    void decisions() {
        QFETCH(Setup, setup);
        QFETCH(QStringList, actions);
        World world;
        setup(world);
        QCOMPARE(world.Decide(), actions);
    }

    // More than 10 deletions of a kind, and more than a tenth of it, need a yes.
    void deletionGuard_data() {
        QTest::addColumn<int>("deletions");
        QTest::addColumn<int>("linked");
        QTest::addColumn<bool>("asks");
        QTest::newRow("ten of ten") << 10 << 10 << false;
        QTest::newRow("eleven of eleven") << 11 << 11 << true;
        QTest::newRow("eleven of 110") << 11 << 110 << false;
        QTest::newRow("twelve of 110") << 12 << 110 << true;
        QTest::newRow("150 of 150") << 150 << 150 << true;
    }
    void deletionGuard() {
        QFETCH(int, deletions);
        QFETCH(int, linked);
        QFETCH(bool, asks);
        QCOMPARE(NeedsConsent(deletions, linked), asks);
    }

    // Counted per kind and side, against the records linked.
    void deletionsAreCounted() {
        World world;
        for (int i = 1; i <= 12; ++i) {
            world.Add(person("Person", std::to_string(i).c_str()));
            world.Link<Person>(i, i);
        }
        world.Add(task("Pay rent"));
        world.Link<Task>(1, 20);
        for (int i = 1; i <= 6; ++i)
            world.Remove<Person>(i);
        for (int i = 7; i <= 12; ++i)
            world.Gone(RecordKind::Person, i);
        SyncInput input;
        input.local = &world.local;
        input.links = &world.links;
        input.listings = {world.contacts, world.calendar};
        input.identity = kIdentity;
        const std::vector<DeletionCount> counts = CountDeletions(Decide(input), world.links);
        const auto persons = std::find_if(counts.begin(), counts.end(),
                                          [](const DeletionCount& c) { return c.kind == RecordKind::Person; });
        QCOMPARE(persons->here, 6);
        QCOMPARE(persons->there, 6);
        QCOMPARE(persons->linked, 12);
    }
};

TAVORO_TEST_MAIN(TestSyncDecision)
#include "TestSyncDecision.moc"
