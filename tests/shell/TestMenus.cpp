#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

namespace {

struct Item {
    const char* path; // "Menu/Item" or "Menu/Popup/Item"; "Menu/-" is a separator
    int id;           // 0 for an item without a command
    const char* key;
    const char* prompt;
    const char* tooltip; // a command without a tooltip of its own shows its name
};

// The menu bar from left to right, each menu from top to bottom.
const Item items[] = {
    {"&File/&New", 57600, "Ctrl+N", "Create a new document", "New"},
    {"&File/&Open...", 57601, "Ctrl+O", "Open an existing document", "Open"},
    {"&File/&Save", 57603, "Ctrl+S", "Save the active document", "Save"},
    {"&File/Save &As...", 57604, "", "Save the active document with a new name", "Save As"},
    {"&File/-", 0, "", "", ""},
    {"&File/&Backup...", 32786, "", "Back up current file", "Back up"},
    {"&File/&Compact", 32787, "", "Remove empty space and old tasks from file", "Compact"},
    {"&File/&Restore Backup...", 32860, "", "Open a copy of an earlier version of the current file", "Restore backup"},
    {"&File/-", 0, "", "", ""},
    {"&File/&Import/&Tasks...", 32813, "", "Import tasks from a text file", "Import tasks"},
    {"&File/&Import/&Phone Book...", 32814, "", "Import phone book from a text file", "Import phone book"},
    {"&File/&Import/&Appointments...", 32815, "", "Import appointments from a text file", "Appointments..."},
    {"&File/&Import/-", 0, "", "", ""},
    {"&File/&Import/&Contacts (vCard)...", 32840, "", "Import contacts from a vCard file", "Import contacts"},
    {"&File/&Import/Ca&lendar (iCalendar)...", 32841, "", "Import appointments and tasks from an iCalendar file",
     "Import calendar"},
    {"&File/&Export/&Tasks...", 32801, "", "Export tasks to a text file", "Export tasks"},
    {"&File/&Export/&Phone Book...", 32781, "", "Export phone book to a text file", "Export phone book"},
    {"&File/&Export/&Appointments...", 32783, "", "Export appointments to a text file", "Export appointments"},
    {"&File/&Export/-", 0, "", "", ""},
    {"&File/&Export/&Contacts (vCard)...", 32842, "", "Export the phone book to a vCard file", "Export contacts"},
    {"&File/&Export/Ca&lendar (iCalendar)...", 32843, "", "Export appointments and tasks to an iCalendar file",
     "Export calendar"},
    {"&File/Synchroni&ze", 32870, "Ctrl+Shift+S", "Exchange changes with the calendar and contacts server",
     "Synchronize"},
    {"&File/-", 0, "", "", ""},
    {"&File/&Print...", 57607, "Ctrl+P", "Print the active document", "Print"},
    {"&File/Page Set&up...", 57605, "", "Change the printing options", "Page Setup"},
    {"&File/Print Pre&view...", 57609, "", "Display full pages", "Print Preview"},
    {"&File/Export to PDF...", 32861, "", "Write the chosen report to a PDF file", "Export to PDF"},
    {"&File/-", 0, "", "", ""},
    {"&File/Recent &Files/(Empty)", 0, "", "", ""},
    {"&File/-", 0, "", "", ""},
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
    {"&Edit/&Undo", 57643, "Ctrl+Z", "Undo the last action", "Undo"},
    {"&Edit/&Redo", 57644, "Ctrl+Y", "Redo the previously undone action", "Redo"},
    {"&Edit/-", 0, "", "", ""},
    {"&Edit/&Find...", 32872, "Ctrl+F", "Find persons, tasks and appointments", "Find"},
    {"&Edit/-", 0, "", "", ""},
    {"&Edit/&User...", 32771, "", "Edit user information", "User"},
    {"&Edit/&Options/&Alarm Sound...", 32789, "", "Change alarm sound", "Change alarm"},
    {"&Edit/&Options/&Open Last File On Start", 32831, "", "Open last file used when starting program",
     "Open last file"},
    {"&Edit/&Options/A&udible Alarm", 32832, "", "Use sound with reminders", "Use audible alarm"},
    {"&Edit/&Options/&Synchronization Settings...", 32871, "",
     "Choose the calendar and contacts server to synchronize with", "Synchronization settings"},
    {"&Report/&Daily Tasks and Appointments", 32778, "", "Print out the selected date's tasks and appointments",
     "Print tasks and appointments"},
    {"&Report/Daily &Tasks", 32780, "", "Print out the selected date's tasks", "Print tasks"},
    {"&Report/Daily &Appointments", 32779, "", "Print out the selected date's appointments", "Print appointments"},
    {"&Report/&Weekly Plan", 32830, "", "Print out the current week's calendar", "Print weekly calendar"},
    {"&Report/&Monthly Plan", 32829, "", "Print out the current month's calendar", "Print monthly calendar"},
    {"&Report/-", 0, "", "", ""},
    {"&Report/&Envelopes...", 32782, "", "Print out envelopes for the selected persons", "Envelopes"},
    {"&Report/&Phone Book...", 32784, "", "Print out an address book for the selected people", "Address Book"},
    {"&Report/-", 0, "", "", ""},
    {"&Report/Report &Font...", 32785, "", "Select font to use in reports", "Select reports font"},
    {"&View/&Toolbar", 59392, "", "Show or hide the toolbar", "Toggle ToolBar"},
    {"&View/&Status Bar", 59393, "", "Show or hide the status bar", "Toggle StatusBar"},
    {"&Help/&Help Topics", 57667, "", "Display help file", "Help"},
    {"&Help/-", 0, "", "", ""},
    {"&Help/&About Tavoro!...", 57664, "", "Display program information, version number and copyright", "About"},
};

// The path of every item under `actions`, in order; popups are walked, not listed.
void walk(const QList<QAction*>& actions, const QString& prefix, QStringList& paths) {
    for (QAction* action : actions) {
        if (action->isSeparator())
            paths << prefix + QLatin1Char('-');
        else if (action->menu())
            walk(action->menu()->actions(), prefix + action->text() + QLatin1Char('/'), paths);
        else
            paths << prefix + action->text();
    }
}

QAction* findItem(QMenuBar* bar, const QString& path) {
    QList<QAction*> actions = bar->actions();
    QAction* found = nullptr;
    for (const QString& text : path.split(QLatin1Char('/'))) {
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

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QSettings().clear(); }
    void menuBarInOrder();
    void everyItem_data();
    void everyItem();
    void toolBars();

private:
    FakePromptService m_prompts;
};

void TestMenus::menuBarInOrder() {
    MainFrame frame(m_prompts, QString());
    QStringList paths;
    walk(frame.menuBar()->actions(), QString(), paths);
    QStringList expected;
    for (const Item& item : items)
        expected << QString::fromLatin1(item.path);
    QCOMPARE(paths, expected);
}

void TestMenus::everyItem_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("tooltip");
    for (const Item& item : items)
        if (item.id != 0)
            QTest::newRow(item.path) << QString::fromLatin1(item.path) << item.id << QString::fromLatin1(item.key)
                                     << QString::fromLatin1(item.prompt) << QString::fromLatin1(item.tooltip);
}

void TestMenus::everyItem() {
    QFETCH(QString, path);
    QFETCH(int, id);
    QFETCH(QString, key);
    QFETCH(QString, prompt);
    QFETCH(QString, tooltip);
    MainFrame frame(m_prompts, QString());
    QAction* item = findItem(frame.menuBar(), path);
    QVERIFY(item);
    QCOMPARE(item->data().toInt(), id);
    QCOMPARE(frame.Action(id), item);
    QCOMPARE(item->shortcut(), QKeySequence(key));
    QCOMPARE(item->statusTip(), prompt);
    QCOMPARE(item->toolTip(), tooltip);
}

void TestMenus::toolBars() {
    MainFrame frame(m_prompts, QString());
    QList<int> main;
    for (QAction* action : frame.MainToolBar()->actions())
        main.append(action->isSeparator() ? 0 : action->data().toInt());
    QCOMPARE(main, (QList<int>{57600, 57601, 57603, 0, 57609, 57607, 0, 57664, 57669}));
    for (QAction* action : frame.MainToolBar()->actions())
        QVERIFY(action->isSeparator() || !action->icon().isNull());

    QList<int> preview;
    for (QAction* action : frame.PreviewToolBar()->actions())
        preview.append(action->data().toInt());
    QCOMPARE(preview, (QList<int>{58115, 58114, 57607, 32861, 57605, 32819, 32820, 58112}));
}

TAVORO_TEST_MAIN(TestMenus)
#include "TestMenus.moc"
