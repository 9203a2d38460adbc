#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

namespace {

// "Menu/Item" or "Menu/Popup/Item" in the menu bar; nullptr when there is no such item.
QAction* findItem(QMenuBar* bar, const QStringList& path) {
    QList<QAction*> actions = bar->actions();
    QAction* found = nullptr;
    for (const QString& text : path) {
        found = nullptr;
        for (QAction* action : actions)
            if (action->text() == text)
                found = action;
        if (!found)
            return nullptr;
        actions = found->menu() ? found->menu()->actions() : QList<QAction*>{};
    }
    return found;
}

QStringList itemTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QSettings().clear(); }
    void menuBarTitles();
    void menuItemsInOrder_data();
    void menuItemsInOrder();
    void everyItem_data();
    void everyItem();
    void onlyFourAccelerators();
    void toolBars();

private:
    FakePromptService m_prompts;
};

void TestMenus::menuBarTitles() {
    MainFrame frame(m_prompts, QString());
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        titles.append(action->text());
    QCOMPARE(titles,
             (QStringList{"&File", "&Tasks", "&Phone Book", "&Appointments", "&Edit", "&Report", "&View", "&Help"}));
}

void TestMenus::menuItemsInOrder_data() {
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("File")
        << QStringList{"&File"}
        << QStringList{
               "&New", "&Open...",      "&Save",   "Save &As...", "-",         "&Backup...",     "&Compact",
               "-",    "&Import",       "&Export", "-",           "&Print...", "Page Set&up...", "Print Pre&view...",
               "-",    "Recent &Files", "-",       "E&xit"};
    QTest::newRow("Import") << QStringList{"&File", "&Import"}
                            << QStringList{"&Tasks...", "&Phone Book...", "&Appointments..."};
    QTest::newRow("Export") << QStringList{"&File", "&Export"}
                            << QStringList{"&Tasks...", "&Phone Book...", "&Appointments..."};
    QTest::newRow("Recent Files") << QStringList{"&File", "Recent &Files"} << QStringList{"(Empty)"};
    QTest::newRow("Tasks") << QStringList{"&Tasks"} << QStringList{"&Add...", "&Delete", "&Edit...", "&Complete"};
    QTest::newRow("Phone Book") << QStringList{"&Phone Book"} << QStringList{"&Add...", "&Delete", "&Edit..."};
    QTest::newRow("Appointments") << QStringList{"&Appointments"} << QStringList{"&Add...", "&Delete", "&Edit..."};
    QTest::newRow("Edit") << QStringList{"&Edit"} << QStringList{"&User...", "&Options"};
    QTest::newRow("Options") << QStringList{"&Edit", "&Options"}
                             << QStringList{"&Alarm Sound...", "&Open Last File On Start", "A&udible Alarm"};
    QTest::newRow("Report") << QStringList{"&Report"}
                            << QStringList{"&Daily Tasks and Appointments",
                                           "Daily &Tasks",
                                           "Daily &Appointments",
                                           "&Weekly Plan",
                                           "&Monthly Plan",
                                           "-",
                                           "&Envelopes...",
                                           "&Phone Book...",
                                           "-",
                                           "Report &Font..."};
    QTest::newRow("View") << QStringList{"&View"} << QStringList{"&Toolbar", "&Status Bar"};
    QTest::newRow("Help") << QStringList{"&Help"} << QStringList{"&Help Topics", "-", "&About Tavoro!..."};
}

void TestMenus::menuItemsInOrder() {
    QFETCH(QStringList, path);
    QFETCH(QStringList, items);
    MainFrame frame(m_prompts, QString());
    QAction* menu = findItem(frame.menuBar(), path);
    QVERIFY(menu && menu->menu());
    QCOMPARE(itemTexts(menu->menu()), items);
}

void TestMenus::everyItem_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("tooltip");
    struct Row {
        const char* path;
        int id;
        const char* key;
        const char* prompt;
        const char* tooltip;
    };
    const Row rows[] = {
        {"&File/&New", 57600, "Ctrl+N", "Create a new document", "New"},
        {"&File/&Open...", 57601, "Ctrl+O", "Open an existing document", "Open"},
        {"&File/&Save", 57603, "Ctrl+S", "Save the active document", "Save"},
        {"&File/Save &As...", 57604, "", "Save the active document with a new name", "Save As"},
        {"&File/&Backup...", 32786, "", "Back up current file", "Back up"},
        {"&File/&Compact", 32787, "", "Remove empty space and old tasks from file", "Compact"},
        {"&File/&Import/&Tasks...", 32813, "", "Import tasks from a text file", "Import tasks"},
        {"&File/&Import/&Phone Book...", 32814, "", "Import phone book from a text file", "Import phone book"},
        {"&File/&Import/&Appointments...", 32815, "", "Import appointments from a text file", "Appointments..."},
        {"&File/&Export/&Tasks...", 32801, "", "Export tasks to a text file", "Export tasks"},
        {"&File/&Export/&Phone Book...", 32781, "", "Export phone book to a text file", "Export phone book"},
        {"&File/&Export/&Appointments...", 32783, "", "Export appointments to a text file", "Export appointments"},
        {"&File/&Print...", 57607, "Ctrl+P", "Print the active document", "Print"},
        {"&File/Page Set&up...", 57605, "", "Change the printing options", "Page Setup"},
        {"&File/Print Pre&view...", 57609, "", "Display full pages", "Print Preview"},
        {"&File/E&xit", 57665, "", "Quit the application; prompts to save documents", "Exit"},
        {"&Tasks/&Add...", 32790, "", "Add a new task", " Add task"},
        {"&Tasks/&Delete", 32791, "", "Delete selected task", "Delete task"},
        {"&Tasks/&Edit...", 32792, "", "Edit selected task", "Edit task"},
        {"&Tasks/&Complete", 32793, "", "Mark selected task completed", "Mark complete"},
        {"&Phone Book/&Add...", 32775, "", "Add a name to the phone book", "Add name"},
        {"&Phone Book/&Delete", 32776, "", "Delete a name from the phone book", "Delete name"},
        {"&Phone Book/&Edit...", 32777, "", "Edit the selected name", "Edit name"},
        {"&Appointments/&Add...", 32797, "", "Add an appointment", " Add appointment"},
        {"&Appointments/&Delete", 32798, "", "Delete selected appointment", "Delete appointment"},
        {"&Appointments/&Edit...", 32799, "", "Edit selected appointment", "Edit appointment"},
        {"&Edit/&User...", 32771, "", "Edit user information", "User"},
        {"&Edit/&Options/&Alarm Sound...", 32789, "", "Change alarm sound", "Change alarm"},
        {"&Edit/&Options/&Open Last File On Start", 32831, "", "Open last file used when starting program",
         "Open last file"},
        {"&Edit/&Options/A&udible Alarm", 32832, "", "Use sound with reminders", "Use audible alarm"},
        {"&Report/&Daily Tasks and Appointments", 32778, "", "Print out the selected date's tasks and appointments",
         "Print tasks and appointments"},
        {"&Report/Daily &Tasks", 32780, "", "Print out the selected date's tasks", "Print tasks"},
        {"&Report/Daily &Appointments", 32779, "", "Print out the selected date's appointments", "Print appointments"},
        {"&Report/&Weekly Plan", 32830, "", "Print out the current week's calendar", "Print weekly calendar"},
        {"&Report/&Monthly Plan", 32829, "", "Print out the current month's calendar", "Print monthly calendar"},
        {"&Report/&Envelopes...", 32782, "", "Print out envelopes for the selected persons", "Envelopes"},
        {"&Report/&Phone Book...", 32784, "", "Print out an address book for the selected people", "Address Book"},
        {"&Report/Report &Font...", 32785, "", "Select font to use in reports", "Select reports font"},
        {"&View/&Toolbar", 59392, "", "Show or hide the toolbar", "Toggle ToolBar"},
        {"&View/&Status Bar", 59393, "", "Show or hide the status bar", "Toggle StatusBar"},
        {"&Help/&Help Topics", 57667, "", "Display help file", "Help"},
        {"&Help/&About Tavoro!...", 57664, "", "Display program information, version number and copyright", "About"},
    };
    for (const Row& row : rows)
        QTest::newRow(row.path) << QString::fromLatin1(row.path) << row.id << QString::fromLatin1(row.key)
                                << QString::fromLatin1(row.prompt) << QString::fromLatin1(row.tooltip);
}

void TestMenus::everyItem() {
    QFETCH(QString, path);
    QFETCH(int, id);
    QFETCH(QString, key);
    QFETCH(QString, prompt);
    QFETCH(QString, tooltip);
    MainFrame frame(m_prompts, QString());
    QAction* item = findItem(frame.menuBar(), path.split('/'));
    QVERIFY(item);
    QCOMPARE(item->data().toInt(), id);
    QCOMPARE(frame.Action(id), item);
    QCOMPARE(item->shortcut(), QKeySequence(key));
    QCOMPARE(item->statusTip(), prompt);
    // A command without a tooltip of its own shows its name.
    QCOMPARE(item->toolTip(), tooltip);
}

void TestMenus::onlyFourAccelerators() {
    MainFrame frame(m_prompts, QString());
    QStringList keys;
    for (QAction* action : frame.findChildren<QAction*>())
        if (!action->shortcut().isEmpty())
            keys.append(action->shortcut().toString());
    keys.sort();
    QCOMPARE(keys, (QStringList{"Ctrl+N", "Ctrl+O", "Ctrl+P", "Ctrl+S"}));
}

void TestMenus::toolBars() {
    MainFrame frame(m_prompts, QString());
    QList<int> main;
    for (QAction* action : frame.MainToolBar()->actions())
        main.append(action->isSeparator() ? 0 : action->data().toInt());
    QCOMPARE(main, (QList<int>{57600, 57601, 57603, 0, 57609, 57607, 0, 57664, 57669}));
    QCOMPARE(frame.Action(cmd::ContextHelp)->statusTip(),
             QStringLiteral("Display help for clicked on buttons, menus and windows"));
    QCOMPARE(frame.Action(cmd::ContextHelp)->toolTip(), QStringLiteral("Help"));
    for (QAction* action : frame.MainToolBar()->actions())
        QVERIFY(action->isSeparator() || !action->icon().isNull());

    QList<int> preview;
    for (QAction* action : frame.PreviewToolBar()->actions())
        preview.append(action->data().toInt());
    QCOMPARE(preview, (QList<int>{58115, 58114, 57607, 57605, 32819, 32820, 58112}));
    QCOMPARE(frame.Action(cmd::PreviewPrevPage)->statusTip(), QStringLiteral("Go to previouse page"));
    QCOMPARE(frame.Action(cmd::PreviewClose)->statusTip(), QStringLiteral("Close Print Preview window"));
}

TAVORO_TEST_MAIN(TestMenus)
#include "TestMenus.moc"
