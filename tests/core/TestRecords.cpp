#include "core/PimRecords.h"
#include "platform/Clock.h"
#include "support/RecordBuilders.h"
#include "support/TestMain.h"

#include <QObject>

#include <limits>
#include <vector>

class TestRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { platform::Clock::setFixed(platform::LocalTime{2003, 5, 10, 9, 41, 3}); }
    void cleanup() { platform::Clock::setFixed(std::nullopt); }
    void displayName();
    void defaults();
    void idsAreIssuedAndNeverReused();
    void idsAtTheTopOfTheRange_data();
    void idsAtTheTopOfTheRange();
    void clearKeepsLastIdOfEmptyCollection();
    void insertLoadedKeepsFirst();
    void iterationInIdOrder();
    void completeAndTurnOff();
    void findMissingChangesNothing();
};

void TestRecords::displayName() {
    const auto name = [](const char* last, const char* first) { return DisplayName(APerson(first, last)); };
    QCOMPARE(name("Smith", "Ann"), std::string("Smith, Ann"));
    QCOMPARE(name("", "Ann"), std::string("Ann"));
    QCOMPARE(name("Smith", ""), std::string("Smith"));
    QCOMPARE(name("", ""), std::string());
    // Each name reads as it reads alone: Windows-1252 bytes of an older file stay as they are, and
    // only meeting UTF-8 makes the whole UTF-8.
    QCOMPARE(name("M\xfcller", "Jos\xe9"), std::string("M\xfcller, Jos\xe9"));
    QCOMPARE(name("Zo\xc3\xab", "Jos\xe9"), std::string("Zo\xc3\xab, Jos\xc3\xa9"));
}

// New records start at the clock's present moment; only the priority says whether a task is done.
void TestRecords::defaults() {
    QCOMPARE(Task().DueDate, DateTime(2003, 5, 10, 9, 41, 3));
    QCOMPARE(Appointment().StartTime, DateTime(2003, 5, 10, 9, 41, 3));
    Task low;
    low.Priority = Task::Low;
    low.DoneDate = DateTime::Today();
    QVERIFY(!low.IsDone());
}

void TestRecords::idsAreIssuedAndNeverReused() {
    PimRecords doc;
    const auto add = [&doc] { return doc.Persons.Add(Person()).value_or(0); };
    for (int id = 1; id <= 3; ++id)
        QCOMPARE(add(), id);
    QVERIFY(doc.Persons.Remove(3));
    QCOMPARE(add(), 4);
    QCOMPARE(doc.Persons.Find(4)->ID, 4);
    QCOMPARE(add(), 5);
    QCOMPARE(doc.Persons.LastID(), 5);
    // A LastID below the stored IDs (a file without it, or edited by hand) never lets a new
    // record replace a stored one.
    doc.Persons.SetLastID(1);
    doc.Persons.Find(2)->FName = "old";
    QCOMPARE(add(), 6);
    QCOMPARE(add(), 7);
    QCOMPARE(doc.Persons.Find(2)->FName, std::string("old"));
    QCOMPARE(doc.Persons.Count(), size_t(6));
    // The three collections issue IDs independently.
    QCOMPARE(doc.Tasks.Add(Task()).value_or(0), 1);
    QCOMPARE(doc.Appointments.Add(Appointment()).value_or(0), 1);
}

// A new record never takes a stored record's ID nor steps past the largest int: after the top it
// takes the lowest free ID above the highest stored one, and when none is left it is refused.
void TestRecords::idsAtTheTopOfTheRange_data() {
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<int>("lastId");
    QTest::addColumn<QList<int>>("issued"); // 0: refused
    constexpr int top = std::numeric_limits<int>::max();
    QTest::newRow("last two") << QList<int>{top - 2} << 0 << QList<int>{top - 1, top, 0};
    QTest::newRow("stored at the top") << QList<int>{1, top} << 0 << QList<int>{0};
    QTest::newRow("LastID at the top") << QList<int>{5} << top << QList<int>{6, 7};
    QTest::newRow("LastID at the top, none stored") << QList<int>{} << top << QList<int>{1};
}

void TestRecords::idsAtTheTopOfTheRange() {
    QFETCH(QList<int>, stored);
    QFETCH(int, lastId);
    QFETCH(QList<int>, issued);
    PimRecords doc;
    for (int id : stored)
        doc.Persons.InsertLoaded(APerson("stored").Id(id));
    doc.Persons.SetLastID(lastId);
    for (int expected : issued) {
        const auto mark = doc.Persons.Position();
        QCOMPARE(doc.Persons.CanAdd(), expected != 0);
        QCOMPARE(doc.Persons.Add(Person()).value_or(0), expected);
        if (expected == 0) {
            QCOMPARE(doc.Persons.Position().lastId, mark.lastId);
        }
    }
    for (int id : stored)
        QCOMPARE(doc.Persons.Find(id)->FName, std::string("stored"));
    // Taking back everything added restores the collection as it was.
    doc.Persons.RollBack({lastId, stored.isEmpty() ? 0 : stored.back(), stored.isEmpty()});
    QCOMPARE(doc.Persons.Count(), std::size_t(stored.size()));
    QCOMPARE(doc.Persons.LastID(), lastId);
}

void TestRecords::clearKeepsLastIdOfEmptyCollection() {
    PimRecords doc;
    doc.Tasks.Add(Task());
    doc.Tasks.Remove(1);
    QCOMPARE(doc.Tasks.LastID(), 1);
    doc.Persons.Add(Person());
    doc.User.City = "Springfield";
    doc.ClearRecords();
    QCOMPARE(doc.Tasks.LastID(), 1);
    QCOMPARE(doc.Persons.LastID(), 0);
    QCOMPARE(doc.Persons.Count(), size_t(0));
    QVERIFY(doc.User.City.empty());
}

void TestRecords::insertLoadedKeepsFirst() {
    PimRecords doc;
    QVERIFY(doc.Persons.InsertLoaded(APerson("First").Id(4)));
    QVERIFY(!doc.Persons.InsertLoaded(APerson("Second").Id(4)));
    QCOMPARE(doc.Persons.Find(4)->FName, std::string("First"));
    QCOMPARE(doc.Persons.LastID(), 0);
}

void TestRecords::iterationInIdOrder() {
    PimRecords doc;
    for (int id : {11, 2, 5})
        doc.Tasks.InsertLoaded(ATask().Id(id));
    std::vector<int> seen;
    for (const auto& [id, task] : doc.Tasks)
        seen.push_back(task.ID);
    QCOMPARE(seen, (std::vector<int>{2, 5, 11}));
}

void TestRecords::completeAndTurnOff() {
    PimRecords doc;
    const int id = doc.Tasks.Add(Task()).value_or(0);
    QVERIFY(doc.CompleteTask(id));
    QCOMPARE(doc.Tasks.Find(id)->Priority, 3);
    QCOMPARE(doc.Tasks.Find(id)->DoneDate, DateTime(2003, 5, 10, 0, 0, 0));
    platform::Clock::setFixed(platform::LocalTime{2003, 5, 12, 8, 0, 0});
    QVERIFY(doc.CompleteTask(id));
    QCOMPARE(doc.Tasks.Find(id)->DoneDate, DateTime(2003, 5, 12, 0, 0, 0));

    Appointment a;
    a.Alarm = 1;
    a.AlarmTime = DateTime(2003, 5, 12, 8, 45, 0);
    const int aid = doc.Appointments.Add(a).value_or(0);
    QVERIFY(doc.TurnOffReminder(aid));
    QCOMPARE(int(doc.Appointments.Find(aid)->Alarm), 0);
    QCOMPARE(doc.Appointments.Find(aid)->AlarmTime, DateTime(2003, 5, 12, 8, 45, 0));
}

void TestRecords::findMissingChangesNothing() {
    PimRecords doc;
    QVERIFY(!doc.Persons.Find(7));
    QVERIFY(!doc.Persons.Remove(7));
    QVERIFY(!doc.CompleteTask(7));
    QVERIFY(!doc.TurnOffReminder(7));
}

TAVORO_TEST_MAIN(TestRecords)
#include "TestRecords.moc"
