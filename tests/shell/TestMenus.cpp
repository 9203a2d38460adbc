#include "shell/CommandIds.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

namespace {

// Every item under `actions` that runs a command; popups are walked, not listed.
void commandItems(const QList<QAction*>& actions, QList<QAction*>& items) {
    for (QAction* action : actions) {
        if (action->menu())
            commandItems(action->menu()->actions(), items);
        else if (!action->isSeparator())
            items << action;
    }
}

QMenu* topMenu(QMenuBar* bar, const QString& title) {
    for (QAction* action : bar->actions())
        if (action->text() == title)
            return action->menu();
    return nullptr;
}

QStringList texts(const QList<QAction*>& actions) {
    QStringList list;
    for (const QAction* action : actions)
        if (!action->isSeparator())
            list << action->text();
    return list;
}

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QSettings().clear(); }
    void everyItemIsACommandWithAPrompt();
    void noTwoCommandsShareAKey();
    void everyItemHasItsOwnAccessKey();
    void deleteQuestionCanBeTurnedBackOn();
    void toolBars();
    void recordPopupsFollowTheirMenus_data();
    void recordPopupsFollowTheirMenus();

private:
    FakePromptService m_prompts;
};

// Each menu item carries the number of a command the window runs, stands in the menus once, and
// says in the status bar what it does; the recent-file items are the list's own.
void TestMenus::everyItemIsACommandWithAPrompt() {
    MainFrame frame(m_prompts, QString());
    QList<QAction*> items;
    commandItems(frame.menuBar()->actions(), items);
    QSet<int> seen;
    for (QAction* item : items) {
        const int id = item->data().toInt();
        if (cmd::isRecentFile(id))
            continue;
        QVERIFY2(frame.Action(id) == item, qPrintable(item->text()));
        QVERIFY2(!seen.contains(id), qPrintable(item->text()));
        seen.insert(id);
        QVERIFY2(!item->statusTip().isEmpty(), qPrintable(item->text()));
        QVERIFY2(!item->toolTip().isEmpty(), qPrintable(item->text()));
    }
    QVERIFY(seen.size() > 50);
    // A command without a tooltip of its own shows its name.
    QCOMPARE(frame.Action(cmd::ImportAppointments)->toolTip(), QStringLiteral("Appointments..."));
}

// A key that two commands share runs neither.
void TestMenus::noTwoCommandsShareAKey() {
    MainFrame frame(m_prompts, QString());
    QHash<QKeySequence, QString> owners;
    for (QAction* action : frame.findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            QVERIFY2(!owners.contains(key),
                     qPrintable(key.toString() + ": " + owners.value(key) + ", " + action->text()));
            owners.insert(key, action->text());
        }
    }
    for (const char* key : {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+P"})
        QVERIFY2(owners.contains(QKeySequence(QString::fromLatin1(key))), key);
}

// Alt and a letter reach every item: each menu's items have access keys, none used twice in one menu.
void TestMenus::everyItemHasItsOwnAccessKey() {
    MainFrame frame(m_prompts, QString());
    QList<QMenu*> menus;
    for (QAction* action : frame.menuBar()->actions())
        menus << action->menu();
    for (int i = 0; i < menus.size(); ++i) {
        if (menus[i] == frame.RecentFilesMenu()) // numbered by the list itself
            continue;
        QHash<QKeySequence, QString> owners;
        for (QAction* item : menus[i]->actions()) {
            if (item->isSeparator())
                continue;
            if (item->menu())
                menus << item->menu();
            const QKeySequence key = QKeySequence::mnemonic(item->text());
            QVERIFY2(!key.isEmpty(), qPrintable(item->text()));
            QVERIFY2(!owners.contains(key), qPrintable(owners.value(key) + " and " + item->text()));
            owners.insert(key, item->text());
        }
    }
    QCOMPARE(frame.Action(cmd::FileExportPdf)->text(), QStringLiteral("Export to P&DF..."));
}

// "Do not ask again" is not for ever: Options > Ask Before Deleting asks again.
void TestMenus::deleteQuestionCanBeTurnedBackOn() {
    MainFrame frame(m_prompts, QString());
    QAction* ask = frame.Action(cmd::ConfirmDelete);
    QVERIFY(ask->isCheckable());
    QVERIFY(ask->isChecked());
    QSettings().setValue(QStringLiteral("Options/ConfirmDelete"), 0); // as "Do not ask again" leaves it
    frame.UpdateCommandStates();
    QVERIFY(!ask->isChecked());
    ask->trigger();
    QVERIFY(ask->isChecked());
    QCOMPARE(QSettings().value(QStringLiteral("Options/ConfirmDelete")).toInt(), 1);
    ask->trigger();
    QCOMPARE(QSettings().value(QStringLiteral("Options/ConfirmDelete")).toInt(), 0);
}

void TestMenus::toolBars() {
    MainFrame frame(m_prompts, QString());
    QList<int> main;
    for (QAction* action : frame.MainToolBar()->actions())
        main.append(action->isSeparator() ? 0 : action->data().toInt());
    QCOMPARE(main, (QList<int>{cmd::FileNew, cmd::FileOpen, cmd::FileSave, 0, cmd::FilePrintPreview, cmd::FilePrint, 0,
                               cmd::HelpAbout, cmd::ContextHelp}));
    for (QAction* action : frame.MainToolBar()->actions())
        QVERIFY(action->isSeparator() || !action->icon().isNull());

    QList<int> preview;
    for (QAction* action : frame.PreviewToolBar()->actions())
        preview.append(action->data().toInt());
    QCOMPARE(preview, (QList<int>{cmd::PreviewPrevPage, cmd::PreviewNextPage, cmd::FilePrint, cmd::FileExportPdf,
                                  cmd::FilePageSetup, cmd::PreviewZoomIn, cmd::PreviewZoomOut, cmd::PreviewClose}));
}

// A list's right-click popup offers what its menu offers, in the same order and words.
void TestMenus::recordPopupsFollowTheirMenus_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("menu");
    QTest::newRow("phone book") << int(ActiveList::PhoneBook) << "&Phone Book";
    QTest::newRow("tasks") << int(ActiveList::Tasks) << "&Tasks";
    QTest::newRow("appointments") << int(ActiveList::Appointments) << "&Appointments";
}
void TestMenus::recordPopupsFollowTheirMenus() {
    QFETCH(int, list);
    QFETCH(QString, menu);
    MainFrame frame(m_prompts, QString());
    QMenu* popup = frame.View()->CreateContextMenu(ActiveList(list), 0, &frame);
    QVERIFY(topMenu(frame.menuBar(), menu));
    QCOMPARE(texts(popup->actions()), texts(topMenu(frame.menuBar(), menu)->actions()));
    delete popup;
}

TAVORO_TEST_MAIN(TestMenus)
#include "TestMenus.moc"
