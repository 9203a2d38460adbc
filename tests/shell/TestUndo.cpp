#include "DayRecords.h"
#include "docfile/DocumentBatch.h"
#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/DayListView.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QSettings>
#include <QTemporaryDir>

using platform::PromptAnswer;

namespace {

QString writeDocument(const QString& path) {
    PimDocument document;
    document.Add(dayrecords::person("Lind, Ann", "Acme"));
    document.Add(dayrecords::task("Call the bank", dayrecords::today()));
    document.Add(dayrecords::appointment("Dentist", 9));
    if (!DocumentStorage(document).WriteToFile(path))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A shown main window over a file with one person, task and appointment today.
struct Frame {
    Frame() : path(writeDocument(folder.filePath(QStringLiteral("day.pgr")))), frame(prompts, QString()) {
        frame.FileCommands().OpenStartupFile(path);
        frame.UpdateCommandStates();
        frame.show();
        frame.activateWindow();
        if (!QTest::qWaitForWindowActive(&frame))
            qWarning("the main window did not become active: its shortcuts will not answer");
    }
    DayListView* list(int deleteCommand) {
        DayView* view = frame.View();
        return deleteCommand == cmd::PersonDelete ? view->PhoneBookList()
               : deleteCommand == cmd::TaskDelete ? view->TaskList()
                                                  : view->AppointmentList();
    }
    // The row of the record with ID 1 (the appointment list has rows for free hours too).
    int firstRow(int deleteCommand) {
        DayViewController& c = frame.View()->Controller();
        const RecordListModel& model = deleteCommand == cmd::PersonDelete ? c.PhoneBook()
                                       : deleteCommand == cmd::TaskDelete ? c.Tasks()
                                                                          : c.Appointments();
        return model.RowOf(1);
    }
    void clickFirstRow(int deleteCommand) {
        DayListView* view = list(deleteCommand);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(firstRow(deleteCommand), 0)).center());
    }
    std::size_t count() const {
        const PimDocument& d = const_cast<MainFrame&>(frame).Document();
        return d.Persons().Count() + d.Tasks().Count() + d.Appointments().Count();
    }
    QString text(int id) {
        frame.UpdateCommandStates();
        return frame.Action(id)->text();
    }
    bool enabled(int id) {
        frame.UpdateCommandStates();
        return frame.Action(id)->isEnabled();
    }
    void keys(QKeyCombination combination) {
        QTest::keyClick(&frame, combination.key(), combination.keyboardModifiers());
        frame.UpdateCommandStates();
    }

    QTemporaryDir folder;
    QString path;
    FakePromptService prompts;
    MainFrame frame;
};

} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void init();
    void deleteAsksThenUndoAndRedo_data();
    void deleteAsksThenUndoAndRedo();
    void declinedOrSilencedConfirmation();
    void importIsOneStep();
    void titleMarksUnsavedChanges();
};

void TestUndo::init() {
    QSettings().clear();
    QSettings().sync();
    platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 10, 30, 0});
}

void TestUndo::deleteAsksThenUndoAndRedo_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("step");
    QTest::newRow("person") << int(cmd::PersonDelete) << "Delete Lind, Ann from the phone book?"
                            << "Delete Person";
    QTest::newRow("task") << int(cmd::TaskDelete) << "Delete the task \"Call the bank\" due 5/15/24?"
                          << "Delete Task";
    QTest::newRow("appointment") << int(cmd::AppointmentDelete)
                                 << "Delete the appointment \"Dentist\" on 5/15/24 at 9:00"
                                 << "Delete Appointment";
}

void TestUndo::deleteAsksThenUndoAndRedo() {
    QFETCH(int, command);
    QFETCH(QString, question);
    QFETCH(QString, step);
    Frame f;
    QVERIFY(!f.enabled(cmd::EditUndo));
    f.clickFirstRow(command);
    f.prompts.queueAnswer(PromptAnswer::Yes);
    f.frame.Route(command);
    QCOMPARE(f.prompts.messages.size(), 1);
    QVERIFY2(f.prompts.messages[0].text.startsWith(question), qPrintable(f.prompts.messages[0].text));
    QCOMPARE(f.prompts.checkBoxes, QStringList{QStringLiteral("Do not ask again")});
    QCOMPARE(f.count(), std::size_t(2));
    QCOMPARE(f.text(cmd::EditUndo), QStringLiteral("&Undo ") + step);
    QCOMPARE(f.frame.Action(cmd::EditUndo)->statusTip(), QStringLiteral("Undo ") + step);
    QVERIFY(!f.enabled(cmd::EditRedo));

    f.keys(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(f.count(), std::size_t(3));
    QVERIFY(!f.frame.Document().IsModified());
    QCOMPARE(f.text(cmd::EditRedo), QStringLiteral("&Redo ") + step);
    QVERIFY(!f.enabled(cmd::EditUndo));
    // The record is back and selected, so that Delete can take it again at once.
    QVERIFY(f.enabled(command));
    QCOMPARE(f.list(command)->currentIndex().row(), f.firstRow(command));

    f.keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QCOMPARE(f.count(), std::size_t(2));
    QVERIFY(f.frame.Document().IsModified());
    f.keys(Qt::CTRL | Qt::Key_Z);
    f.keys(Qt::CTRL | Qt::Key_Y);
    QCOMPARE(f.count(), std::size_t(2));
}

void TestUndo::declinedOrSilencedConfirmation() {
    Frame f;
    f.clickFirstRow(cmd::TaskDelete);
    f.prompts.queueAnswer(PromptAnswer::No);
    f.frame.Route(cmd::TaskDelete);
    QCOMPARE(f.count(), std::size_t(3));
    QVERIFY(!f.enabled(cmd::EditUndo));

    // Ticked with No, the box changes nothing; ticked with Yes, deleting asks no more.
    f.prompts.tickCheckBox = true;
    f.prompts.queueAnswer(PromptAnswer::No);
    f.frame.Route(cmd::TaskDelete);
    QVERIFY(!platform::SettingsStore().contains(QStringLiteral("Options"), QStringLiteral("ConfirmDelete")));
    f.prompts.queueAnswer(PromptAnswer::Yes);
    f.frame.Route(cmd::TaskDelete);
    QCOMPARE(f.count(), std::size_t(2));
    QCOMPARE(platform::SettingsStore().readNumber(QStringLiteral("Options"), QStringLiteral("ConfirmDelete")), 0);

    f.clickFirstRow(cmd::PersonDelete);
    f.frame.Route(cmd::PersonDelete);
    QCOMPARE(f.prompts.messages.size(), 3);
    QCOMPARE(f.count(), std::size_t(1));
}

void TestUndo::importIsOneStep() {
    Frame f;
    {
        DocumentBatch batch(f.frame.Document(), QStringLiteral("Import"));
        for (int i = 0; i < 50; ++i) {
            f.frame.Document().Add(dayrecords::person("Imported", ""));
            f.frame.Document().Add(dayrecords::task("Imported", dayrecords::today()));
        }
    }
    QCOMPARE(f.text(cmd::EditUndo), QStringLiteral("&Undo Import"));
    f.frame.Route(cmd::EditUndo);
    QCOMPARE(f.count(), std::size_t(3));
    QCOMPARE(f.text(cmd::EditRedo), QStringLiteral("&Redo Import"));
    f.frame.Route(cmd::EditRedo);
    QCOMPARE(f.count(), std::size_t(103));
}

void TestUndo::titleMarksUnsavedChanges() {
    Frame f;
    const QString path = f.path;
    QCOMPARE(f.frame.windowTitle(), QStringLiteral("Tavoro! [%1]").arg(path));
    f.frame.Document().CompleteTask(1);
    f.frame.UpdateCommandStates();
    QCOMPARE(f.frame.windowTitle(), QStringLiteral("Tavoro! [%1*]").arg(path));
    f.keys(Qt::CTRL | Qt::Key_S);
    QCOMPARE(f.frame.windowTitle(), QStringLiteral("Tavoro! [%1]").arg(path));
    f.frame.Route(cmd::EditUndo);
    f.frame.UpdateCommandStates();
    QCOMPARE(f.frame.windowTitle(), QStringLiteral("Tavoro! [%1*]").arg(path));
}

TAVORO_TEST_MAIN(TestUndo)
#include "TestUndo.moc"
