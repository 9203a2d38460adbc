#pragma once

#include "CommandRegistry.h"
#include "DayViewController.h"
#include "PersonDetails.h"
#include "reports/ReportSelection.h"

#include <QDate>
#include <QList>
#include <QTextCharFormat>
#include <QWidget>

#include <memory>
#include <optional>

namespace platform {
class PromptService;
}

class ContactActions;
class DayListView;
class DayReminders;
class DetailPane;
class PimDocument;
class QCalendarWidget;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QuickAddField;
class QTreeView;
class SearchPanel;
struct SearchHit;

// The form that fills the main window: the month calendar, the appointments and tasks of the
// selected date, the phone book with its white/yellow pages filter, and the selected person's
// details. It shows the state of its DayViewController and carries out the commands the main
// window passes on to it.
class DayView : public QWidget {
    Q_OBJECT
public:
    explicit DayView(PimDocument& document, QWidget* parent = nullptr);
    ~DayView() override;

    DayViewController& Controller() { return m_controller; }
    const DayViewController& Controller() const { return m_controller; }

    // Commands: whether a number is one of the day view's, and running it. HandleCommand answers
    // false for a number that is not the day view's.
    bool HasCommand(int id) const;
    bool HandleCommand(int id);
    // Adds the day view's commands to the main window's, their handlers with them.
    void RegisterCommands(CommandRegistry& registry);

    // The report the Report menu last selected.
    ::ReportKind ReportKind() const { return m_reportSelection.Kind; }
    // The records gathered for the chosen report.
    const ReportSelection& SelectedReport() const { return m_reportSelection; }
    bool AudibleAlarm() const;
    // The reminder center, the alarm sound and their settings.
    DayReminders& Reminders() { return *m_reminders; }
    // Who answers the "&Alarm Sound..." file dialog and the reminders' questions; without one, the
    // real dialogs are shown.
    void SetPromptService(platform::PromptService* prompts);
    platform::PromptService* Prompts() const { return m_prompts; }
    // The next Appointments > Add starts at this time instead of the calendar's day and the clock's
    // quarter hour (a slot chosen in the week view); that Add uses it up.
    void SetNextAddStart(std::optional<DateTime> start) { m_nextAddStart = start; }

    // The size the form is laid out for; the main window never gets smaller than this.
    QSize DialogSize() const;

    // Context help: the next left-button release over a control shows that control's help.
    void EnterContextHelp();
    bool InContextHelpMode() const { return m_contextHelp; }
    // The help topic of a control of the form (or of its group); empty when it has none.
    QString HelpTopicFor(const QWidget* widget) const;

    // The popup of a list's record commands, as a right-click over `row` (-1: no row) opens it.
    QMenu* CreateContextMenu(ActiveList list, int row, QWidget* parent);

    QCalendarWidget* Calendar() const { return m_calendar; }
    QPushButton* TodayButton() const { return m_todayButton; }
    DayListView* PhoneBookList() const { return m_phoneList; }
    DayListView* TaskList() const { return m_taskList; }
    DayListView* AppointmentList() const { return m_appointmentList; }
    DetailPane* Details() const { return m_details; }
    // What the detail pane's buttons do; without it a click does nothing.
    void SetContactActions(ContactActions* actions) { m_contacts = actions; }
    QLabel* DateLine() const { return m_dateLine; }
    // The birthdays and anniversaries of the selected date, under the date; hidden when none.
    QLabel* BirthdayLine() const { return m_birthdayLine; }
    // Shows or hides the birthdays in the calendar and under the date as the setting now says.
    void RefreshBirthdays();
    QRadioButton* WhitePagesButton() const { return m_whitePages; }
    QRadioButton* YellowPagesButton() const { return m_yellowPages; }
    SearchPanel* Search() const { return m_search; }
    QuickAddField* QuickAdd() const { return m_quickAdd; }

signals:
    void helpRequested(const QString& topic);
    // "Persons To Include" was left with Preview or Print: the main window produces the report.
    void previewRequested();
    void printRequested();
    // A list's key asks for a record command (Enter: edit, Del: delete), to be run as the menu
    // item would run it.
    void commandRequested(int id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Command {
        CommandText text;
        void (DayView::*handler)();
    };
    static const Command kCommands[];
    static const Command* FindCommand(int id);

    void buildForm();
    QSize dialogUnits(int width, int height) const;
    DayListView* listOf(ActiveList list) const;
    ActiveList listOf(const QObject* viewport) const;
    void showSelection(ActiveList list);
    void showDate();
    void showDetail(const Person* person);
    void fitColumns(ActiveList list);
    void listClicked(ActiveList list, int row);
    void listDoubleClicked(ActiveList list, int row);
    void showContextMenu(ActiveList list, const QPoint& viewportPos);
    void popupContextMenu(ActiveList list, int row, const QPoint& viewportPos);
    void focusMoved(QWidget* old, QWidget* now);
    void calendarSelectionChanged();

    // Record commands that need no dialog.
    void OnPersonDelete();
    void OnTaskDelete();
    void OnTaskComplete();
    void OnAppointmentDelete();
    void OnEditUndo();
    void OnEditRedo();
    void OnContextHelp();
    // Report menu selections.
    void OnReportDailyPlan();
    void OnReportDailyTasks();
    void OnReportDailyAppointments();
    void chooseDailyReport(::ReportKind kind);
    // Weekly and monthly plans, address book and envelopes (DayViewReports.cpp).
    void OnReportWeeklyPlan();
    void OnReportMonthlyPlan();
    void OnReportAddressBook();
    void OnReportEnvelopes();
    void ChoosePersonsFor(::ReportKind kind);
    void chooseBirthdays();

    // Record editors and Edit > User (DayViewEditing.cpp).
    void OnTaskAdd();
    void OnTaskEdit();
    void OnPersonAdd();
    void OnPersonEdit();
    void OnAppointmentAdd();
    void OnAppointmentEdit();
    void OnAppointmentQuickAdd();
    void OnEditUser();
    void selectAdded(RecordKind kind, int id);
    // The alarm options and the reminder timer (DayViewReminders.cpp).
    void StartReminders();
    void markToday(const DateTime& today);
    // The calendar's marks (DayViewMarks.cpp): today, and the days of the shown month that list
    // occurrences or birthdays; the selected date's birthdays.
    void markOccurrenceDays();
    QTextCharFormat dayFormat(const QDate& date) const;
    void showBirthdays();
    void OnGoToToday();
    void OnAlarmSound();
    void OnAudibleAlarm();
    // Edit > Find and going to a record found (DayViewSearch.cpp).
    void buildSearch();
    void OnEditFind();
    void goToFound(const SearchHit& hit);
    void makeRoomForSearch(bool open);
    // The detail pane's buttons (DayViewContacts.cpp).
    void OnDetailValueClicked(PersonDetails::Field field);

    DayViewController m_controller;
    ReportSelection m_reportSelection;
    bool m_contextHelp = false;
    bool m_showingSelection = false;

    QCalendarWidget* m_calendar = nullptr;
    QGroupBox* m_phoneGroup = nullptr;
    QGroupBox* m_filterGroup = nullptr;
    QRadioButton* m_whitePages = nullptr;
    QRadioButton* m_yellowPages = nullptr;
    DayListView* m_phoneList = nullptr;
    DetailPane* m_details = nullptr;
    ContactActions* m_contacts = nullptr;
    QGroupBox* m_appointmentGroup = nullptr;
    QLabel* m_dateLine = nullptr;
    QLabel* m_birthdayLine = nullptr;
    QuickAddField* m_quickAdd = nullptr;
    DayListView* m_appointmentList = nullptr;
    QGroupBox* m_taskGroup = nullptr;
    DayListView* m_taskList = nullptr;
    SearchPanel* m_search = nullptr;
    int m_searchRoom = 0; // what the window grew by to show the search
    std::unique_ptr<DayReminders> m_reminders;
    QDate m_markedToday;
    QPushButton* m_todayButton = nullptr;
    QList<QDate> m_occurrenceDays; // marked in the calendar, in order
    QDate m_markedPage;            // the month they were worked out for...
    int m_markedGeneration = -1;   // ...and the document's state
    platform::PromptService* m_prompts = nullptr;
    std::optional<DateTime> m_nextAddStart;
};
