#include "DayRecords.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "shell/CommandIds.h"
#include "shell/DayListView.h"
#include "shell/DayView.h"
#include "shell/DetailPane.h"
#include "shell/FocusHelp.h"
#include "shell/HelpTopics.h"
#include "support/TestMain.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

using namespace dayrecords;

QPoint rowCentre(QTreeView* view, int row) {
    return view->visualRect(view->model()->index(row, 0)).center();
}

void click(QTreeView* view, int row) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, row));
}

void doubleClick(QTreeView* view, int row) {
    const QPoint at = rowCentre(view, row);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

QString cell(QTreeView* view, int row, int column = 0) {
    return view->model()->index(row, column).data().toString();
}

// A document with a few records of today and the day view over it, shown offscreen.
struct Fixture {
    Fixture() {
        document.Add(task("first", today()));
        document.Add(task("second", today()));
        document.Add(task("third", today()));
        document.Add(person("Cole, Ann", "Zebra", 1, 1));
        document.Add(person("Avery, Bo", "apple", 1, 1));
        document.Add(person("Bell, Cy", "Acme", 1, 0));
        document.Add(appointment("late", 14));
        document.Add(appointment("early", 9));
        document.SetModified(false);
        view = std::make_unique<DayView>(document);
        view->resize(view->DialogSize());
        view->show();
        (void)QTest::qWaitForWindowExposed(view.get());
    }
    DayViewController& controller() { return view->Controller(); }

    PimDocument document;
    std::unique_ptr<DayView> view;
};

} // namespace

class TestDayView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 10, 30, 0}); }
    void cleanup() { platform::Clock::setFixed(std::nullopt); }

    void startsOnTodayWithNothingSelected();
    void deleteMovesTheSelectionToTheRowBefore();
    void deleteNeedsTheActiveList();
    void deletingFromTheOtherLists();
    void doubleClickCompletesATask();
    void choosingADateActivatesTheCalendarAndRefills();
    void phoneBookClickShowsDetailsThatStayBesideTheRows();
    void keysMoveTheSelectedRecord();
    void filterRadiosRefillThePhoneBook();
    void refillsAreCoalesced();
    void refillKeepsTheSelectedTask();
    void contextMenuGraysRecordCommandsWithoutARow_data();
    void contextMenuGraysRecordCommandsWithoutARow();
    void contextHelpModeShowsHelpForTheClickedControl();
    void f1ShowsHelpForTheFocusedControl();
    void keyboardSelectionAndFocusActivateTheList();
    void keysAskForTheRecordCommands_data();
    void keysAskForTheRecordCommands();
    void shiftF10OpensTheMenuAtTheSelectedRow();
    void taskColumnsFollowTheWidth();
};

void TestDayView::startsOnTodayWithNothingSelected() {
    Fixture f;
    QCOMPARE(f.view->Calendar()->selectedDate(), QDate(2024, 5, 15));
    QCOMPARE(f.view->DateLine()->text(), QStringLiteral("Wednesday, May 15, 2024"));
    QCOMPARE(f.controller().Active(), ActiveList::None);
    QCOMPARE(f.controller().SelectedTask().id, -1);
    QCOMPARE(f.controller().SelectedPerson().id, -1);
    QVERIFY(f.view->WhitePagesButton()->isChecked());
    QCOMPARE(f.view->TaskList()->model()->rowCount(), 3);
    QCOMPARE(f.view->Details()->ValueText(PersonDetails::HomePhone), QStringLiteral("Not Available"));
    QVERIFY(!f.view->Details()->ValueWidget(PersonDetails::HomePhone)->isEnabled());
}

void TestDayView::deleteMovesTheSelectionToTheRowBefore() {
    Fixture f;
    click(f.view->TaskList(), 2);
    QCOMPARE(f.controller().Active(), ActiveList::Tasks);
    QVERIFY(f.view->HandleCommand(cmd::TaskDelete));
    QVERIFY(!f.document.Tasks().Find(3));
    QVERIFY(f.document.IsModified());
    QCOMPARE(f.controller().SelectedTask().id, 2);
    QCOMPARE(f.view->TaskList()->SelectedRow(), 1);
    // The refill that follows keeps the new selection.
    f.controller().RefillIfPending();
    QCOMPARE(f.view->TaskList()->model()->rowCount(), 2);
    QCOMPARE(f.controller().SelectedTask().id, 2);
    QCOMPARE(f.view->TaskList()->SelectedRow(), 1);

    // The first row has none before it: the row that takes its place is selected.
    click(f.view->TaskList(), 0);
    f.view->HandleCommand(cmd::TaskDelete);
    QCOMPARE(f.controller().SelectedTask().row, 0);
    QCOMPARE(f.controller().SelectedTask().id, 2);
    QCOMPARE(cell(f.view->TaskList(), f.view->TaskList()->SelectedRow()), QStringLiteral("second"));
    // Deleting the only task left leaves nothing selected.
    f.view->HandleCommand(cmd::TaskDelete);
    QCOMPARE(f.document.Tasks().Count(), 0u);
    QCOMPARE(f.controller().SelectedTask().id, -1);
    QCOMPARE(f.view->TaskList()->SelectedRow(), -1);
}

void TestDayView::deleteNeedsTheActiveList() {
    Fixture f;
    click(f.view->TaskList(), 0);
    click(f.view->PhoneBookList(), 0);
    // The task list is no longer active: Tasks > Delete does nothing.
    f.view->HandleCommand(cmd::TaskDelete);
    QCOMPARE(f.document.Tasks().Count(), 3u);
    QVERIFY(!f.document.IsModified());
    // A record that left the document meanwhile is not found; nothing else changes.
    click(f.view->TaskList(), 0);
    f.document.RemoveTask(1);
    f.document.SetModified(false);
    QVERIFY(!f.controller().DeleteTask());
    QVERIFY(!f.controller().CompleteTask());
    QCOMPARE(f.document.Tasks().Count(), 2u);
    QVERIFY(!f.document.IsModified());
}

void TestDayView::deletingFromTheOtherLists() {
    Fixture f;
    click(f.view->AppointmentList(), 1);
    QCOMPARE(f.controller().SelectedAppointment().id, 1); // "late" at 14:00
    f.view->HandleCommand(cmd::AppointmentDelete);
    QVERIFY(!f.document.Appointments().Find(1));
    QCOMPARE(f.controller().SelectedAppointment().id, -1);
    QCOMPARE(f.view->AppointmentList()->model()->rowCount(), 1);

    click(f.view->PhoneBookList(), 1); // Bell, Cy
    QCOMPARE(f.controller().SelectedPerson().id, 3);
    f.view->HandleCommand(cmd::PersonDelete);
    QVERIFY(!f.document.Persons().Find(3));
    QCOMPARE(f.controller().SelectedPerson().id, 2); // moved to the row before
    // The refill after the change keeps it.
    f.controller().RefillIfPending();
    QCOMPARE(f.controller().SelectedPerson().id, 2);
    QCOMPARE(f.view->PhoneBookList()->SelectedRow(), 0);
    QCOMPARE(f.view->PhoneBookList()->model()->rowCount(), 2);
}

void TestDayView::doubleClickCompletesATask() {
    Fixture f;
    doubleClick(f.view->TaskList(), 1);
    const Task* done = f.document.Tasks().Find(2);
    QCOMPARE(done->Priority, 3);
    QCOMPARE(done->DoneDate, today());
    QVERIFY(f.document.IsModified());
    f.controller().RefillIfPending();
    // Still listed today (due today), still showing its due date.
    QCOMPARE(cell(f.view->TaskList(), 1), QStringLiteral("second"));
    QCOMPARE(cell(f.view->TaskList(), 1, 1), QStringLiteral("5/15/24"));
    QCOMPARE(f.controller().Tasks().Row(1).image, 3);
}

void TestDayView::choosingADateActivatesTheCalendarAndRefills() {
    Fixture f;
    f.document.Add(task("tomorrow's", today() + DateTimeSpan(1.0)));
    f.controller().RefillAll();
    click(f.view->TaskList(), 0);
    f.view->Calendar()->setSelectedDate(QDate(2024, 5, 16));
    QCOMPARE(f.controller().Active(), ActiveList::Calendar);
    QCOMPARE(f.controller().CurrentDate(), DateTime(2024, 5, 16, 0, 0, 0));
    QCOMPARE(f.view->DateLine()->text(), QStringLiteral("Thursday, May 16, 2024"));
    QCOMPARE(f.view->TaskList()->model()->rowCount(), 1);
    QCOMPARE(cell(f.view->TaskList(), 0), QStringLiteral("tomorrow's"));
    QCOMPARE(f.view->AppointmentList()->model()->rowCount(), 0);
    QCOMPARE(f.view->PhoneBookList()->model()->rowCount(), 3);
}

void TestDayView::phoneBookClickShowsDetailsThatStayBesideTheRows() {
    Fixture f;
    Person person = *f.document.Persons().Find(2);
    person.WkPhone = "555-0100";
    f.document.Change(person);
    click(f.view->PhoneBookList(), 0);
    QCOMPARE(f.controller().Active(), ActiveList::PhoneBook);
    QCOMPARE(f.controller().SelectedPerson().id, 2);
    QCOMPARE(f.view->Details()->ValueText(PersonDetails::WorkPhone), QStringLiteral("555-0100"));
    QVERIFY(f.view->Details()->ValueWidget(PersonDetails::WorkPhone)->isEnabled());

    // A click below the rows clears the selection but leaves the pane as it was.
    QTest::mouseClick(f.view->PhoneBookList()->viewport(), Qt::LeftButton, {},
                      QPoint(5, f.view->PhoneBookList()->viewport()->height() - 3));
    QCOMPARE(f.controller().SelectedPerson().id, -1);
    QCOMPARE(f.view->PhoneBookList()->SelectedRow(), -1);
    QCOMPARE(f.view->Details()->ValueText(PersonDetails::WorkPhone), QStringLiteral("555-0100"));
}

void TestDayView::keysMoveTheSelectedRecord() {
    Fixture f;
    click(f.view->TaskList(), 0);
    QTest::keyClick(f.view->TaskList(), Qt::Key_Down);
    QCOMPARE(f.view->TaskList()->SelectedRow(), 1);
    // Delete removes the task the user sees selected.
    QCOMPARE(f.controller().SelectedTask().id, 2);
    f.view->HandleCommand(cmd::TaskDelete);
    QVERIFY(!f.document.Tasks().Find(2));
    QVERIFY(f.document.Tasks().Find(1));
}

void TestDayView::filterRadiosRefillThePhoneBook() {
    Fixture f;
    click(f.view->PhoneBookList(), 0);
    QSignalSpy resets(&f.controller().PhoneBook(), &QAbstractItemModel::modelReset);
    QTest::mouseClick(f.view->WhitePagesButton(), Qt::LeftButton);
    QCOMPARE(resets.count(), 0); // already showing
    QCOMPARE(f.controller().SelectedPerson().id, 2);

    QTest::mouseClick(f.view->YellowPagesButton(), Qt::LeftButton);
    QCOMPARE(resets.count(), 1);
    QVERIFY(f.controller().YellowPages());
    QCOMPARE(f.controller().SelectedPerson().id, 2); // in both books: still selected
    QCOMPARE(f.view->PhoneBookList()->model()->rowCount(), 2);
    QCOMPARE(cell(f.view->PhoneBookList(), 0, 1), QStringLiteral("Zebra"));

    QTest::mouseClick(f.view->WhitePagesButton(), Qt::LeftButton);
    QCOMPARE(resets.count(), 2);
    QCOMPARE(f.view->PhoneBookList()->model()->rowCount(), 3);
}

void TestDayView::keyboardSelectionAndFocusActivateTheList() {
    Fixture f;
    click(f.view->TaskList(), 0);
    // Tab into the phone book and arrow down: it becomes active, with its first row and details.
    f.view->PhoneBookList()->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.controller().Active(), ActiveList::PhoneBook);
    QTest::keyClick(f.view->PhoneBookList(), Qt::Key_Down);
    QCOMPARE(f.view->PhoneBookList()->SelectedRow(), 0);
    QCOMPARE(f.controller().SelectedPerson().id, 2);
    QCOMPARE(f.view->Details()->ValueText(PersonDetails::WorkPhone), QStringLiteral("Not Available"));

    // An edit refills the phone book: the person stays selected and shown.
    Person person = *f.document.Persons().Find(2);
    person.WkPhone = "555-0100";
    f.document.Change(person);
    f.controller().RefillIfPending();
    QCOMPARE(f.view->PhoneBookList()->SelectedRow(), 0);
    QCOMPARE(f.controller().SelectedPerson().id, 2);
    QCOMPARE(f.view->Details()->ValueText(PersonDetails::WorkPhone), QStringLiteral("555-0100"));

    // Focus back in the task list makes it active again with its own selection.
    f.view->TaskList()->setFocus(Qt::BacktabFocusReason);
    QCOMPARE(f.controller().Active(), ActiveList::Tasks);
    QCOMPARE(f.controller().SelectedTask().id, 1);

    // In a new document the same IDs are other records: nothing stays selected.
    f.document.ClearContents();
    f.document.Add(task("new", today()));
    f.document.Add(dayrecords::person("Dee, Al", "", 1, 0));
    f.document.Add(dayrecords::person("Eve, Bo", "", 1, 0));
    f.controller().RefillIfPending();
    QCOMPARE(f.controller().SelectedPerson().id, -1);
    QCOMPARE(f.controller().SelectedTask().id, -1);
    QCOMPARE(f.view->PhoneBookList()->SelectedRow(), -1);
}

void TestDayView::keysAskForTheRecordCommands_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("command");
    QTest::newRow("Enter on a task") << int(ActiveList::Tasks) << int(Qt::Key_Return) << int(cmd::TaskEdit);
    QTest::newRow("F2 on a person") << int(ActiveList::PhoneBook) << int(Qt::Key_F2) << int(cmd::PersonEdit);
    QTest::newRow("keypad Enter on an appointment")
        << int(ActiveList::Appointments) << int(Qt::Key_Enter) << int(cmd::AppointmentEdit);
    QTest::newRow("Del on a person") << int(ActiveList::PhoneBook) << int(Qt::Key_Delete) << int(cmd::PersonDelete);
    QTest::newRow("Del on an appointment")
        << int(ActiveList::Appointments) << int(Qt::Key_Delete) << int(cmd::AppointmentDelete);
}

void TestDayView::keysAskForTheRecordCommands() {
    QFETCH(int, list);
    QFETCH(int, key);
    QFETCH(int, command);
    Fixture f;
    DayListView* view = list == int(ActiveList::Tasks)       ? f.view->TaskList()
                        : list == int(ActiveList::PhoneBook) ? f.view->PhoneBookList()
                                                             : f.view->AppointmentList();
    QSignalSpy requests(f.view.get(), &DayView::commandRequested);
    view->setFocus(Qt::TabFocusReason);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key(key));
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.at(0).at(0).toInt(), command);
    QCOMPARE(int(f.controller().Active()), list);
}

void TestDayView::shiftF10OpensTheMenuAtTheSelectedRow() {
    Fixture f;
    DayListView* tasks = f.view->TaskList();
    tasks->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tasks, Qt::Key_Down);
    QTest::keyClick(tasks, Qt::Key_Down);
    for (const auto& [key, modifier] : {std::pair{Qt::Key_F10, Qt::ShiftModifier}, {Qt::Key_Menu, Qt::NoModifier}}) {
        QTest::keyClick(tasks, key, modifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QVERIFY(menu->actions().at(1)->isEnabled()); // Delete: there is a row
        const QRect row = tasks->visualRect(tasks->model()->index(1, 0));
        QVERIFY(qAbs(menu->pos().y() - tasks->viewport()->mapToGlobal(row.center()).y()) <= row.height());
        menu->close();
        QCOMPARE(tasks->SelectedRow(), 1);
    }
}

void TestDayView::refillsAreCoalesced() {
    Fixture f;
    QSignalSpy taskResets(&f.controller().Tasks(), &QAbstractItemModel::modelReset);
    for (int i = 0; i < 500; ++i) {
        f.document.Add(task("imported", today()));
        f.document.NotifyChanged();
    }
    QCOMPARE(taskResets.count(), 0);
    QVERIFY(f.controller().RefillPending());
    QTest::qWait(0);
    QTRY_COMPARE(taskResets.count(), 1);
    QCOMPARE(f.view->TaskList()->model()->rowCount(), 503);
    QVERIFY(!f.controller().RefillPending());
}

void TestDayView::refillKeepsTheSelectedTask() {
    Fixture f;
    click(f.view->TaskList(), 2);
    f.document.Add(task("added", today()));
    f.document.NotifyChanged();
    f.controller().RefillIfPending();
    QCOMPARE(f.controller().SelectedTask().id, 3);
    QCOMPARE(f.view->TaskList()->SelectedRow(), 2);
    QCOMPARE(f.controller().Active(), ActiveList::Tasks);
}

void TestDayView::contextMenuGraysRecordCommandsWithoutARow_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("items");
    const QStringList taskItems{"&Add...", "&Delete", "&Edit...", "&Complete"};
    const QStringList recordItems{"&Add...", "&Delete", "&Edit..."};
    QTest::newRow("task row") << int(ActiveList::Tasks) << 0 << taskItems;
    QTest::newRow("no task row") << int(ActiveList::Tasks) << -1 << taskItems;
    QTest::newRow("person row") << int(ActiveList::PhoneBook) << 1 << recordItems;
    QTest::newRow("no appointment row") << int(ActiveList::Appointments) << -1
                                        << QStringList{"&Add...", "&Delete", "&Edit...", "&Quick Add..."};
}

// Without a row under the mouse only Add (and Quick Add) can be chosen.
void TestDayView::contextMenuGraysRecordCommandsWithoutARow() {
    QFETCH(int, list);
    QFETCH(int, row);
    QFETCH(QStringList, items);
    Fixture f;
    std::unique_ptr<QMenu> menu(f.view->CreateContextMenu(static_cast<ActiveList>(list), row, nullptr));
    QStringList texts;
    for (QAction* action : menu->actions())
        texts.append(action->text());
    QCOMPARE(texts, items);
    for (int i = 0; i < menu->actions().size(); ++i)
        QCOMPARE(menu->actions()[i]->isEnabled(), i == 0 || texts[i] == "&Quick Add..." || row >= 0);
}

void TestDayView::contextHelpModeShowsHelpForTheClickedControl() {
    Fixture f;
    QSignalSpy help(f.view.get(), &DayView::helpRequested);
    QVERIFY(f.view->HandleCommand(cmd::ContextHelp));
    QVERIFY(f.view->InContextHelpMode());
    const QPoint inTasks = f.view->TaskList()->viewport()->mapTo(f.view.get(), QPoint(10, 10));
    QTest::mouseRelease(f.view.get(), Qt::LeftButton, {}, inTasks);
    QVERIFY(!f.view->InContextHelpMode());
    QCOMPARE(help.count(), 1);
    QCOMPARE(help.at(0).at(0).toString(), QString::fromLatin1(HelpTopics::TaskList));
    // Outside the mode a release shows nothing.
    QTest::mouseRelease(f.view.get(), Qt::LeftButton, {}, inTasks);
    QCOMPARE(help.count(), 1);
}

void TestDayView::f1ShowsHelpForTheFocusedControl() {
    Fixture f;
    // Every control inside a group, down to a list's viewport and the pane's labels, has its group's topic.
    DayView& v = *f.view;
    QCOMPARE(v.HelpTopicFor(v.AppointmentList()->viewport()), QString::fromLatin1(HelpTopics::AppointmentBook));
    QCOMPARE(v.HelpTopicFor(v.DateLine()), QString::fromLatin1(HelpTopics::AppointmentBook));
    QCOMPARE(v.HelpTopicFor(v.Details()->Labels().constFirst()), QString::fromLatin1(HelpTopics::PhoneBook));
    QCOMPARE(v.HelpTopicFor(&v), QString());

    FocusHelp help;
    qApp->installEventFilter(&help);
    QSignalSpy topics(&help, &FocusHelp::topicRequested);
    QApplication::setActiveWindow(&v);
    // The pointer rests over the calendar; the focus decides.
    QTest::mouseMove(v.Calendar());
    for (QWidget* focus : {static_cast<QWidget*>(v.TaskList()), static_cast<QWidget*>(v.WhitePagesButton())}) {
        focus->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    }
    QCOMPARE(topics.count(), 2);
    QCOMPARE(topics.at(0).at(0).toString(), QString::fromLatin1(HelpTopics::TaskList));
    QCOMPARE(topics.at(1).at(0).toString(), QString::fromLatin1(HelpTopics::PhoneBook));
}

void TestDayView::taskColumnsFollowTheWidth() {
    Fixture f;
    f.view->resize(f.view->width() + 300, f.view->height() + 100);
    QTest::qWait(0);
    const int width = f.view->TaskList()->viewport()->width();
    QCOMPARE(f.view->TaskList()->columnWidth(0), width * 2 / 3);
    QCOMPARE(f.view->PhoneBookList()->columnWidth(0), f.view->PhoneBookList()->viewport()->width() / 2);
    QCOMPARE(f.view->Calendar()->size(), f.view->Calendar()->minimumSize());
}

TAVORO_TEST_MAIN(TestDayView)
#include "TestDayView.moc"
