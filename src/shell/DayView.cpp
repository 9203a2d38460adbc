#include "DayView.h"

#include "CalendarLook.h"
#include "CommandIds.h"
#include "CommandRegistry.h"
#include "DayListView.h"
#include "DeleteConfirmation.h"
#include "DetailPane.h"
#include "HelpTopics.h"
#include "ListImages.h"
#include "MenuLayout.h"
#include "QuickAddField.h"
#include "docfile/PimDocument.h"
#include "editors/OccurrenceEditing.h"
#include "reminders/DayReminders.h"
#include "reports/DailyGathering.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {

using HelpTopics::kHelpTopicProperty;

QDate toQDate(const DateTime& day) {
    return QDate(day.Year(), day.Month(), day.Day());
}

DateTime fromQDate(const QDate& date) {
    return DateTime(date.year(), date.month(), date.day(), 0, 0, 0);
}

const char* menuOf(ActiveList list) {
    switch (list) {
    case ActiveList::PhoneBook:
        return "&Phone Book";
    case ActiveList::Tasks:
        return "&Tasks";
    case ActiveList::Appointments:
        return "&Appointments";
    default:
        return nullptr;
    }
}

// The rows of a list as the daily reports read them.
std::vector<ListedRow> listedRows(const RecordListModel& model) {
    std::vector<ListedRow> rows;
    rows.reserve(static_cast<std::size_t>(model.Count()));
    for (int row = 0; row < model.Count(); ++row)
        rows.push_back(ListedRow{model.Row(row).id, model.Row(row).columns[1]});
    return rows;
}

// Without a prompt service (a form on its own) nothing is asked.
template <class Record> bool deleteConfirmed(platform::PromptService* prompts, const Record* record) {
    return !record || !prompts || DeleteConfirmation::Confirm(*prompts, DeleteConfirmation::QuestionFor(*record));
}

bool isAddCommand(int id) {
    return id == cmd::TaskAdd || id == cmd::PersonAdd || id == cmd::AppointmentAdd || id == cmd::AppointmentQuickAdd;
}

// The menu commands that a list's Enter and Del run.
struct KeyCommands {
    int edit;
    int remove;
};

KeyCommands keyCommandsOf(ActiveList list) {
    switch (list) {
    case ActiveList::PhoneBook:
        return {cmd::PersonEdit, cmd::PersonDelete};
    case ActiveList::Tasks:
        return {cmd::TaskEdit, cmd::TaskDelete};
    default:
        return {cmd::AppointmentEdit, cmd::AppointmentDelete};
    }
}

} // namespace

// The day view's commands: what the menus show of each, and the handler that runs it.
const DayView::Command DayView::kCommands[] = {
    {{cmd::TaskAdd, "&Add...", nullptr, "Add a new task", " Add task"}, &DayView::OnTaskAdd},
    {{cmd::TaskDelete, "&Delete", nullptr, "Delete selected task", "Delete task"}, &DayView::OnTaskDelete},
    {{cmd::TaskEdit, "&Edit...", nullptr, "Edit selected task", "Edit task"}, &DayView::OnTaskEdit},
    {{cmd::TaskComplete, "&Complete", nullptr, "Mark selected task completed", "Mark complete"},
     &DayView::OnTaskComplete},
    {{cmd::PersonAdd, "&Add...", nullptr, "Add a name to the phone book", "Add name"}, &DayView::OnPersonAdd},
    {{cmd::PersonDelete, "&Delete", nullptr, "Delete a name from the phone book", "Delete name"},
     &DayView::OnPersonDelete},
    {{cmd::PersonEdit, "&Edit...", nullptr, "Edit the selected name", "Edit name"}, &DayView::OnPersonEdit},
    {{cmd::AppointmentAdd, "&Add...", nullptr, "Add an appointment", " Add appointment"}, &DayView::OnAppointmentAdd},
    {{cmd::AppointmentDelete, "&Delete", nullptr, "Delete selected appointment", "Delete appointment"},
     &DayView::OnAppointmentDelete},
    {{cmd::AppointmentEdit, "&Edit...", nullptr, "Edit selected appointment", "Edit appointment"},
     &DayView::OnAppointmentEdit},
    {{cmd::AppointmentQuickAdd, "&Quick Add...", "Ctrl+Shift+A", "Type an appointment in one line", "Quick add"},
     &DayView::OnAppointmentQuickAdd},
    // The main window adds the step's name to the text and prompt of Undo and Redo.
    {{cmd::EditUndo, "&Undo", "Ctrl+Z", "Undo the last action", "Undo"}, &DayView::OnEditUndo},
    {{cmd::EditRedo, "&Redo", "Ctrl+Y; Ctrl+Shift+Z", "Redo the previously undone action", "Redo"},
     &DayView::OnEditRedo},
    {{cmd::EditFind, "&Find...", "Ctrl+F", "Find persons, tasks and appointments", "Find"}, &DayView::OnEditFind},
    {{cmd::EditUser, "U&ser...", nullptr, "Edit user information", "User"}, &DayView::OnEditUser},
    {{cmd::ViewGoToToday, "&Go to Today", "Ctrl+T", "Show today's tasks and appointments", "Go to Today"},
     &DayView::OnGoToToday},
    {{cmd::AlarmSound, "&Alarm Sound...", nullptr, "Change alarm sound", "Change alarm"}, &DayView::OnAlarmSound},
    {{cmd::AudibleAlarm, "A&udible Alarm", nullptr, "Use sound with reminders", "Use audible alarm", true},
     &DayView::OnAudibleAlarm},
    {{cmd::ReportDailyPlan, "&Daily Tasks and Appointments", nullptr,
      "Print out the selected date's tasks and appointments", "Print tasks and appointments", true},
     &DayView::OnReportDailyPlan},
    {{cmd::ReportDailyTasks, "Daily &Tasks", nullptr, "Print out the selected date's tasks", "Print tasks", true},
     &DayView::OnReportDailyTasks},
    {{cmd::ReportDailyAppointments, "Daily &Appointments", nullptr, "Print out the selected date's appointments",
      "Print appointments", true},
     &DayView::OnReportDailyAppointments},
    {{cmd::ReportWeeklyPlan, "&Weekly Plan", nullptr, "Print out the current week's calendar", "Print weekly calendar",
      true},
     &DayView::OnReportWeeklyPlan},
    {{cmd::ReportMonthlyPlan, "&Monthly Plan", nullptr, "Print out the current month's calendar",
      "Print monthly calendar", true},
     &DayView::OnReportMonthlyPlan},
    {{cmd::ReportEnvelopes, "&Envelopes...", nullptr, "Print out envelopes for the selected persons", "Envelopes",
      true},
     &DayView::OnReportEnvelopes},
    {{cmd::ReportAddressBook, "&Phone Book...", nullptr, "Print out an address book for the selected people",
      "Address Book", true},
     &DayView::OnReportAddressBook},
    // A toolbar button without a menu item.
    {{cmd::ContextHelp, "Help", nullptr, "Display help for clicked on buttons, menus and windows", "Help"},
     &DayView::OnContextHelp},
};

DayView::DayView(PimDocument& document, QWidget* parent) : QWidget(parent), m_controller(document) {
    setObjectName(QStringLiteral("dayView"));
    buildForm();
    buildSearch();

    connect(&m_controller, &DayViewController::selectionChanged, this, &DayView::showSelection);
    connect(&m_controller, &DayViewController::detailPersonChanged, this, &DayView::showDetail);
    connect(&m_controller, &DayViewController::dateChanged, this, &DayView::showDate);
    connect(&m_controller, &DayViewController::commandRequested, this, &DayView::HandleCommand);
    connect(&m_controller, &DayViewController::appointmentsRefilled, this, &DayView::markOccurrenceDays);
    connect(&m_controller, &DayViewController::appointmentsRefilled, this, &DayView::showBirthdays);

    // Focus that arrives in a list by the keyboard makes it the active list, as a click does.
    connect(qApp, &QApplication::focusChanged, this, &DayView::focusMoved);

    showDate();
    m_controller.RefillAll();
    StartReminders();
}

DayView::~DayView() {
    // The widgets going away move the focus; this view is no longer there to follow it.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

QSize DayView::dialogUnits(int width, int height) const {
    const QFontMetrics metrics(font());
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    const int baseY = metrics.height();
    return QSize(width * baseX / 4, height * baseY / 8);
}

QSize DayView::DialogSize() const {
    return dialogUnits(429, 215).expandedTo(minimumSizeHint());
}

void DayView::buildForm() {
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    m_calendar->setFirstDayOfWeek(QLocale().firstDayOfWeek());
    m_calendar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_calendar->setFixedSize(m_calendar->sizeHint().expandedTo(dialogUnits(140, 115)));
    if (auto* title = m_calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar"))) {
        // The month's title in the button-face colour, as the rest of the form.
        title->setStyleSheet(QStringLiteral("QWidget#qt_calendar_navigationbar { background-color: palette(button); }"
                                            "QToolButton { color: palette(button-text); }"));
    }
    m_calendar->setProperty(kHelpTopicProperty, QString::fromLatin1(HelpTopics::Calendar));
    NameCalendarParts(m_calendar);
    UseReadableWeekendColours(m_calendar);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &DayView::calendarSelectionChanged);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this] { m_controller.ClickCalendar(); });
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this, &DayView::markOccurrenceDays);
    m_todayButton = new QPushButton(QStringLiteral("To&day"), this);
    m_todayButton->setObjectName(QStringLiteral("todayButton"));
    m_todayButton->setToolTip(QStringLiteral("Show today's tasks and appointments (Ctrl+T)"));
    m_todayButton->setAccessibleName(QStringLiteral("Today"));
    m_todayButton->setAccessibleDescription(QStringLiteral("Show today's tasks and appointments"));
    m_todayButton->setProperty(kHelpTopicProperty, QString::fromLatin1(HelpTopics::Calendar));
    connect(m_todayButton, &QPushButton::clicked, this, &DayView::OnGoToToday);

    // Phone book: filter, list and the selected person's details.
    m_phoneGroup = new QGroupBox(QStringLiteral("Phone Book"), this);
    m_phoneGroup->setProperty(kHelpTopicProperty, QString::fromLatin1(HelpTopics::PhoneBook));
    m_phoneGroup->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_filterGroup = new QGroupBox(m_phoneGroup);
    m_whitePages = new QRadioButton(QStringLiteral("&White Pages"), m_filterGroup);
    m_whitePages->setObjectName(QStringLiteral("whitePages"));
    m_yellowPages = new QRadioButton(QStringLiteral("&Yellow Pages"), m_filterGroup);
    m_yellowPages->setObjectName(QStringLiteral("yellowPages"));
    m_whitePages->setChecked(true);
    auto* filterLayout = new QHBoxLayout(m_filterGroup);
    filterLayout->setContentsMargins(6, 2, 6, 2);
    filterLayout->addWidget(m_whitePages);
    filterLayout->addWidget(m_yellowPages);
    filterLayout->addStretch(1);
    connect(m_whitePages, &QRadioButton::clicked, this, [this] { m_controller.ShowWhitePages(); });
    connect(m_yellowPages, &QRadioButton::clicked, this, [this] { m_controller.ShowYellowPages(); });

    m_phoneList = new DayListView(m_phoneGroup);
    m_phoneList->setObjectName(QStringLiteral("phoneBookList"));
    m_phoneList->SetPreferredSize(dialogUnits(126, 93));
    m_phoneList->setModel(&m_controller.PhoneBook());
    m_phoneList->setAccessibleName(QStringLiteral("Phone book"));
    m_details = new DetailPane(m_phoneGroup);
    m_details->setMinimumWidth(dialogUnits(44 + 97, 0).width());
    connect(m_details, &DetailPane::valueClicked, this, &DayView::OnDetailValueClicked);

    auto* phoneBody = new QHBoxLayout;
    phoneBody->addWidget(m_phoneList, 1);
    phoneBody->addWidget(m_details, 1);
    auto* phoneLayout = new QVBoxLayout(m_phoneGroup);
    phoneLayout->setContentsMargins(4, 2, 4, 4);
    phoneLayout->setSpacing(3);
    phoneLayout->addWidget(m_filterGroup);
    phoneLayout->addLayout(phoneBody, 1);

    // Appointments of the selected date.
    m_appointmentGroup = new QGroupBox(QStringLiteral("Appointments"), this);
    m_appointmentGroup->setProperty(kHelpTopicProperty, QString::fromLatin1(HelpTopics::AppointmentBook));
    m_appointmentGroup->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_dateLine = new QLabel(m_appointmentGroup);
    m_dateLine->setObjectName(QStringLiteral("dateLine"));
    m_dateLine->setAlignment(Qt::AlignCenter);
    // Not a list of records: a birthday is no appointment to select, edit or delete.
    m_birthdayLine = new QLabel(m_appointmentGroup);
    m_birthdayLine->setObjectName(QStringLiteral("birthdayLine"));
    m_birthdayLine->setAlignment(Qt::AlignCenter);
    // One line whose room is kept while no one has a birthday: the form never grows or jumps when
    // the date changes, and a long text never widens it (the tip and the description hold it all).
    m_birthdayLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QSizePolicy kept = m_birthdayLine->sizePolicy();
    kept.setRetainSizeWhenHidden(true);
    m_birthdayLine->setSizePolicy(kept);
    m_birthdayLine->setTextFormat(Qt::PlainText);
    m_birthdayLine->setFocusPolicy(Qt::TabFocus);
    m_birthdayLine->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_birthdayLine->setAccessibleName(QStringLiteral("Birthdays"));
    m_birthdayLine->hide();
    m_appointmentList = new DayListView(m_appointmentGroup);
    m_appointmentList->setObjectName(QStringLiteral("appointmentList"));
    m_appointmentList->SetPreferredSize(dialogUnits(199, 69));
    m_controller.Appointments().SetImages(ListImages::AppointmentAlarms());
    m_appointmentList->setModel(&m_controller.Appointments());
    m_appointmentList->setAccessibleName(QStringLiteral("Appointments"));
    m_appointmentList->setAccessibleDescription(
        QStringLiteral("The appointments of the date selected in the calendar"));
    auto* appointmentLayout = new QVBoxLayout(m_appointmentGroup);
    appointmentLayout->setContentsMargins(4, 2, 4, 4);
    appointmentLayout->setSpacing(2);
    m_quickAdd = new QuickAddField(m_controller.Document(), m_appointmentGroup);
    connect(m_quickAdd, &QuickAddField::appointmentAdded, this, [this](int id) { m_controller.GoToAppointment(id); });
    appointmentLayout->addWidget(m_quickAdd);
    appointmentLayout->addWidget(m_dateLine);
    appointmentLayout->addWidget(m_birthdayLine);
    appointmentLayout->addWidget(m_appointmentList, 1);

    // Tasks of the selected date.
    m_taskGroup = new QGroupBox(QStringLiteral("Tasks"), this);
    m_taskGroup->setProperty(kHelpTopicProperty, QString::fromLatin1(HelpTopics::TaskList));
    m_taskGroup->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_taskList = new DayListView(m_taskGroup);
    m_taskList->setObjectName(QStringLiteral("taskList"));
    m_taskList->SetPreferredSize(dialogUnits(198, 80));
    m_controller.Tasks().SetImages(ListImages::TaskPriorities());
    m_taskList->setModel(&m_controller.Tasks());
    m_taskList->setAccessibleName(QStringLiteral("Tasks"));
    m_taskList->setAccessibleDescription(QStringLiteral("The tasks of the date selected in the calendar"));
    auto* taskLayout = new QVBoxLayout(m_taskGroup);
    taskLayout->setContentsMargins(4, 2, 4, 4);
    taskLayout->addWidget(m_taskList, 1);

    auto* top = new QHBoxLayout;
    auto* calendarColumn = new QVBoxLayout;
    calendarColumn->addWidget(m_calendar);
    calendarColumn->addWidget(m_todayButton, 0, Qt::AlignLeft);
    calendarColumn->addStretch(1);
    top->addLayout(calendarColumn, 0);
    top->addWidget(m_phoneGroup, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_appointmentGroup, 0);
    bottom->addWidget(m_taskGroup, 1);
    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(4, 4, 4, 4);
    form->addLayout(top, 1); // the phone book and the lists below share the height the window gives
    form->addLayout(bottom, 1);

    for (ActiveList list : {ActiveList::PhoneBook, ActiveList::Tasks, ActiveList::Appointments}) {
        DayListView* view = listOf(list);
        view->viewport()->installEventFilter(this);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint& pos) { showContextMenu(list, pos); });
        connect(view, &DayListView::contextMenuRequested, this,
                [this, list](int row, const QPoint& pos) { popupContextMenu(list, row, pos); });
        connect(view, &DayListView::editRequested, this,
                [this, list] { emit commandRequested(keyCommandsOf(list).edit); });
        connect(view, &DayListView::deleteRequested, this,
                [this, list] { emit commandRequested(keyCommandsOf(list).remove); });
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, list, view] {
            if (!m_showingSelection)
                m_controller.SelectionMoved(list, view->SelectedRow());
        });
    }

    // Initial columns: the phone book's name at half the list, the appointments' time as wide as
    // the longest time range; the last column of each list takes the rest.
    const int phoneWidth = m_phoneList->sizeHint().width() - 2 * m_phoneList->frameWidth();
    m_phoneList->header()->resizeSection(0, phoneWidth / 2);
    // The time column holds the longest time range, the alarm image and the cell's margins.
    const int cellMargins = 2 * (m_appointmentList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 4;
    m_appointmentList->header()->resizeSection(
        0,
        m_appointmentList->fontMetrics().horizontalAdvance(QStringLiteral("00:00 AM-00:00 AM  ")) + 16 + cellMargins);
    fitColumns(ActiveList::Tasks);
}

DayListView* DayView::listOf(ActiveList list) const {
    switch (list) {
    case ActiveList::PhoneBook:
        return m_phoneList;
    case ActiveList::Tasks:
        return m_taskList;
    case ActiveList::Appointments:
        return m_appointmentList;
    default:
        return nullptr;
    }
}

ActiveList DayView::listOf(const QObject* viewport) const {
    for (ActiveList list : {ActiveList::PhoneBook, ActiveList::Tasks, ActiveList::Appointments})
        if (listOf(list)->viewport() == viewport)
            return list;
    return ActiveList::None;
}

void DayView::fitColumns(ActiveList list) {
    // The task list keeps two thirds for the description at every size, the phone book half for
    // the name.
    if (list == ActiveList::Tasks)
        m_taskList->header()->resizeSection(0, m_taskList->viewport()->width() * 2 / 3);
    else if (list == ActiveList::PhoneBook)
        m_phoneList->header()->resizeSection(0, m_phoneList->viewport()->width() / 2);
}

void DayView::showSelection(ActiveList list) {
    DayListView* view = listOf(list);
    if (!view)
        return;
    DayViewController::Selection selection;
    if (list == ActiveList::PhoneBook)
        selection = m_controller.SelectedPerson();
    else if (list == ActiveList::Tasks)
        selection = m_controller.SelectedTask();
    else
        selection = m_controller.SelectedAppointment();
    QScopedValueRollback guard(m_showingSelection, true);
    if (selection.row >= 0) {
        const QModelIndex index = view->model()->index(selection.row, 0);
        view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        view->selectionModel()->clearSelection();
        view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void DayView::showDate() {
    const DateTime day = m_controller.CurrentDate();
    m_dateLine->setText(QString::fromStdString(day.FormatDate(DateTime::DateFormat::Long)));
    const QSignalBlocker blocker(m_calendar);
    m_calendar->setSelectedDate(toQDate(day));
}

void DayView::showDetail(const Person* person) {
    m_details->Show(PersonDetails::Of(person));
}

void DayView::calendarSelectionChanged() {
    m_controller.SelectDate(fromQDate(m_calendar->selectedDate()));
}

void DayView::listClicked(ActiveList list, int row) {
    if (list == ActiveList::PhoneBook)
        m_controller.ClickPhoneBook(row);
    else if (list == ActiveList::Tasks)
        m_controller.ClickTasks(row);
    else if (list == ActiveList::Appointments)
        m_controller.ClickAppointments(row);
}

void DayView::listDoubleClicked(ActiveList list, int row) {
    if (list == ActiveList::PhoneBook)
        m_controller.DoubleClickPhoneBook(row);
    else if (list == ActiveList::Tasks)
        m_controller.DoubleClickTasks(row);
    else if (list == ActiveList::Appointments)
        m_controller.DoubleClickAppointments(row);
}

bool DayView::eventFilter(QObject* watched, QEvent* event) {
    const ActiveList list = listOf(watched);
    DayListView* view = listOf(list);
    if (!view)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // A press beside the rows clears the selection, as in any list of the desktop.
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!view->indexAt(mouse->position().toPoint()).isValid()) {
            view->selectionModel()->clearSelection();
            view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            listClicked(list, view->SelectedRow());
        break;
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            listDoubleClicked(list, view->SelectedRow());
        break;
    case QEvent::Resize:
        fitColumns(list);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

QMenu* DayView::CreateContextMenu(ActiveList list, int row, QWidget* parent) {
    const char* menuTitle = menuOf(list);
    auto* menu = new QMenu(parent);
    for (const MenuItem& item : MenuLayout::Items()) {
        const Command* command = FindCommand(item.id);
        if (!menuTitle || !command || qstrcmp(item.menu, menuTitle) != 0)
            continue;
        QAction* action = menu->addAction(QString::fromLatin1(command->text.text));
        action->setData(item.id);
        action->setStatusTip(QString::fromLatin1(command->text.prompt));
        action->setEnabled(isAddCommand(item.id) || row >= 0);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { HandleCommand(id); });
    }
    return menu;
}

void DayView::showContextMenu(ActiveList list, const QPoint& viewportPos) {
    const QModelIndex index = listOf(list)->indexAt(viewportPos);
    popupContextMenu(list, index.isValid() ? index.row() : -1, viewportPos);
}

void DayView::popupContextMenu(ActiveList list, int row, const QPoint& viewportPos) {
    DayListView* view = listOf(list);
    if (row >= 0)
        view->selectionModel()->setCurrentIndex(view->model()->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    listClicked(list, row);
    QMenu* menu = CreateContextMenu(list, row, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(view->viewport()->mapToGlobal(viewportPos));
}

// ---- Command routing ----

const DayView::Command* DayView::FindCommand(int id) {
    for (const Command& command : kCommands)
        if (command.text.id == id)
            return &command;
    return nullptr;
}

bool DayView::HasCommand(int id) const {
    return FindCommand(id) != nullptr;
}

bool DayView::HandleCommand(int id) {
    const Command* command = FindCommand(id);
    if (!command)
        return false;
    (this->*command->handler)();
    return true;
}

void DayView::RegisterCommands(CommandRegistry& registry) {
    for (const Command& command : kCommands) {
        const auto handler = command.handler;
        registry.Add(
            command.text, [this, handler] { (this->*handler)(); }, this);
    }
}

void DayView::OnPersonDelete() {
    const DayViewController& c = m_controller;
    if (c.Active() == ActiveList::PhoneBook &&
        deleteConfirmed(m_prompts, c.Document().Persons().Find(c.SelectedPerson().id)))
        m_controller.DeletePerson();
}

void DayView::OnTaskDelete() {
    const DayViewController& c = m_controller;
    if (c.Active() == ActiveList::Tasks && deleteConfirmed(m_prompts, c.Document().Tasks().Find(c.SelectedTask().id)))
        m_controller.DeleteTask();
}

void DayView::OnTaskComplete() {
    m_controller.CompleteTask();
}

void DayView::OnAppointmentDelete() {
    const DayViewController& c = m_controller;
    // An occurrence of a series asks which occurrences are meant instead.
    if (c.Active() == ActiveList::Appointments &&
        OccurrenceEditing::Delete(m_controller.Document(), c.SelectedAppointment().id, c.CurrentDate(), m_prompts))
        return;
    if (c.Active() == ActiveList::Appointments &&
        deleteConfirmed(m_prompts, c.Document().Appointments().Find(c.SelectedAppointment().id)))
        m_controller.DeleteAppointment();
}

void DayView::OnEditUndo() {
    if (m_controller.Undo())
        if (DayListView* view = listOf(m_controller.Active()))
            view->setFocus();
}

void DayView::OnEditRedo() {
    if (m_controller.Redo())
        if (DayListView* view = listOf(m_controller.Active()))
            view->setFocus();
}

void DayView::chooseDailyReport(::ReportKind kind) {
    DailyGathering::Choose(m_reportSelection, kind, m_controller.Document().Records(), m_controller.CurrentDate(),
                           listedRows(m_controller.Tasks()), listedRows(m_controller.Appointments()));
    chooseBirthdays();
}

void DayView::OnReportDailyPlan() {
    chooseDailyReport(ReportKind::DailyPlan);
}

void DayView::OnReportDailyTasks() {
    chooseDailyReport(ReportKind::DailyTasks);
}

void DayView::OnReportDailyAppointments() {
    chooseDailyReport(ReportKind::DailyAppointments);
}

// ---- Help ----

void DayView::OnContextHelp() {
    EnterContextHelp();
}

void DayView::EnterContextHelp() {
    m_contextHelp = true;
    grabMouse(Qt::WhatsThisCursor);
}

void DayView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_contextHelp) {
        m_contextHelp = false;
        releaseMouse();
        const QPoint local = mapFromGlobal(event->globalPosition().toPoint());
        if (rect().contains(local)) {
            const QString topic = HelpTopicFor(childAt(local));
            if (!topic.isEmpty())
                emit helpRequested(topic);
        }
    }
    if (event->button() == Qt::LeftButton)
        unsetCursor();
    QWidget::mouseReleaseEvent(event);
}

QString DayView::HelpTopicFor(const QWidget* widget) const {
    for (const QWidget* w = widget; w && w != this; w = w->parentWidget()) {
        const QVariant topic = w->property(kHelpTopicProperty);
        if (topic.isValid())
            return topic.toString();
    }
    return {};
}

void DayView::focusMoved(QWidget* /*old*/, QWidget* now) {
    if (!now)
        return;
    for (ActiveList list : {ActiveList::PhoneBook, ActiveList::Tasks, ActiveList::Appointments}) {
        DayListView* view = listOf(list);
        if (now == view || view->isAncestorOf(now))
            listClicked(list, view->SelectedRow());
    }
}
