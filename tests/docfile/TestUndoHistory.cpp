#include "docfile/DocumentBatch.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "support/TestMain.h"

#include <functional>

using Operation = std::function<void(PimDocument&)>;
Q_DECLARE_METATYPE(Operation)

namespace {

bool sameRecords(const PimRecords& a, const PimRecords& b) {
    return a.Persons.Items() == b.Persons.Items() && a.Tasks.Items() == b.Tasks.Items() &&
           a.Appointments.Items() == b.Appointments.Items() && a.User == b.User;
}

// A saved document with one record of each kind, an old done task and a reminder.
void fill(PimDocument& document) {
    Person person;
    person.LName = "Lind";
    document.Add(person);
    Task task;
    task.Description = "Call the bank";
    task.DueDate = DateTime(2024, 3, 1, 0, 0, 0);
    document.Add(task);
    task.Description = "Old and done";
    task.Priority = Task::Done;
    document.Add(task);
    Appointment appointment;
    appointment.Description = "Dentist";
    appointment.Alarm = 1;
    document.Add(appointment);
    document.SetModified(false);
}

} // namespace

class TestUndoHistory : public QObject {
    Q_OBJECT
private slots:
    void eachOperationIsOneStep_data();
    void eachOperationIsOneStep();
    void modifiedFollowsTheSavePoint();
    void historyIsBounded();
    void batchesOfTheProgram();
    void cancelledBatchLeavesNoStep();
    void newDocumentForgetsHistory();
};

void TestUndoHistory::eachOperationIsOneStep_data() {
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("name");
    QTest::newRow("add") << Operation([](PimDocument& d) { d.Add(Person()); }) << "Add Person";
    QTest::newRow("edit") << Operation([](PimDocument& d) {
        Task task = *d.Tasks().Find(1);
        task.Description = "Call the bank again";
        d.Change(task);
    }) << "Edit Task";
    QTest::newRow("delete") << Operation([](PimDocument& d) { d.RemoveAppointment(1); }) << "Delete Appointment";
    QTest::newRow("complete") << Operation([](PimDocument& d) { d.CompleteTask(1); }) << "Complete Task";
    QTest::newRow("turn off") << Operation([](PimDocument& d) { d.TurnOffReminder(1); }) << "Turn Off Reminder";
    QTest::newRow("user") << Operation([](PimDocument& d) {
        User user;
        user.City = "Oslo";
        d.ChangeUser(user);
    }) << "Edit User";
    QTest::newRow("compact") << Operation([](PimDocument& d) { d.RemoveOldTasks(DateTime::Today()); }) << "Compact";
    QTest::newRow("import") << Operation([](PimDocument& d) {
        DocumentBatch batch(d, QStringLiteral("Import"));
        for (int i = 0; i < 3; ++i) {
            d.Add(Person());
            d.Add(Task());
        }
        Person changed = *d.Persons().Find(2); // added and then changed in the same import
        changed.FName = "Ann";
        d.Change(changed);
    }) << "Import";
}

void TestUndoHistory::eachOperationIsOneStep() {
    QFETCH(Operation, operation);
    QFETCH(QString, name);
    PimDocument document;
    fill(document);
    const PimRecords before = document.Records();
    const QString previous = document.History().UndoName();
    operation(document);
    const PimRecords after = document.Records();
    QVERIFY(!sameRecords(before, after));
    QCOMPARE(document.History().UndoName(), name);

    QVERIFY(document.Undo());
    QVERIFY(sameRecords(document.Records(), before));
    QVERIFY(!document.IsModified());
    QCOMPARE(document.History().RedoName(), name);
    QCOMPARE(document.History().UndoName(), previous);

    QVERIFY(document.Redo());
    QVERIFY(sameRecords(document.Records(), after));
    QVERIFY(document.IsModified());
    // Taking back and making again any number of times keeps both states whole.
    document.Undo();
    document.Redo();
    QVERIFY(sameRecords(document.Records(), after));
}

void TestUndoHistory::modifiedFollowsTheSavePoint() {
    PimDocument document;
    document.Add(Person());
    document.SetModified(false); // saved here
    document.Add(Person());
    QVERIFY(document.IsModified());
    document.Undo();
    QVERIFY(!document.IsModified());
    document.Undo();
    QVERIFY(document.IsModified());
    document.Redo();
    QVERIFY(!document.IsModified());

    // A new step where a step was taken back: the saved state can no longer be reached.
    document.Undo();
    document.Add(Task());
    QVERIFY(!document.History().CanRedo());
    document.Undo();
    QVERIFY(document.IsModified());
    // An edit that changes nothing is no step.
    document.Redo();
    const Task same = *document.Tasks().Find(1);
    QVERIFY(document.Change(same));
    QCOMPARE(document.History().UndoName(), QStringLiteral("Add Task"));
}

void TestUndoHistory::historyIsBounded() {
    PimDocument document;
    for (std::size_t i = 0; i < UndoHistory::kLimit + 1; ++i)
        document.Add(Person());
    QCOMPARE(document.History().Count(), UndoHistory::kLimit);
    while (document.Undo()) {
    }
    QCOMPARE(document.Persons().Count(), std::size_t(1));
    QVERIFY(document.IsModified()); // the empty saved state went with the oldest step
}

void TestUndoHistory::batchesOfTheProgram() {
    PimDocument document;
    fill(document);
    const std::size_t steps = document.History().Count();
    {
        DocumentBatch upkeep(document, QStringLiteral("Snooze"), DocumentBatch::Kind::Upkeep);
        Appointment snoozed = *document.Appointments().Find(1);
        snoozed.AlarmTime = DateTime(2030, 1, 1, 9, 0, 0);
        document.Change(snoozed);
    }
    QVERIFY(!document.IsModified());
    QCOMPARE(document.History().Count(), steps);

    document.Add(Person());
    {
        DocumentBatch download(document, QStringLiteral("Synchronize"), DocumentBatch::Kind::Synchronize);
        document.Add(Task());
    }
    QVERIFY(document.IsModified());
    QVERIFY(!document.History().CanUndo());
    QVERIFY(!document.Undo());
}

void TestUndoHistory::cancelledBatchLeavesNoStep() {
    PimDocument document;
    fill(document);
    const PimRecords before = document.Records();
    const std::size_t steps = document.History().Count();
    {
        DocumentBatch batch(document, QStringLiteral("Import"));
        document.Add(Person());
        document.Add(Appointment());
        batch.Cancel();
    }
    QVERIFY(sameRecords(document.Records(), before));
    QCOMPARE(document.Persons().LastID(), before.Persons.LastID());
    QVERIFY(!document.IsModified());
    QCOMPARE(document.History().Count(), steps);
}

void TestUndoHistory::newDocumentForgetsHistory() {
    PimDocument document;
    fill(document);
    document.RemovePerson(1);
    DocumentStorage(document).New();
    QVERIFY(!document.History().CanUndo());
    QVERIFY(!document.IsModified());
}

TAVORO_TEST_MAIN(TestUndoHistory)
#include "TestUndoHistory.moc"
