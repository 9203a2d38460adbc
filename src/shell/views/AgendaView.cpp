#include "AgendaView.h"

#include "AgendaDelegate.h"
#include "AgendaList.h"
#include "AgendaSetting.h"
#include "core/RepeatWords.h"
#include "docfile/PimDocument.h"
#include "platform/TextCodec.h"
#include "shell/BirthdaySetting.h"
#include "shell/CommandIds.h"
#include "shell/DayView.h"
#include "shell/HelpTopics.h"
#include "shell/ListImages.h"
#include "shell/reminders/DayReminders.h"
#include "shell/reminders/ReminderCenter.h"

#include <QBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSpinBox>

AgendaView::AgendaView(DayView& dayView, QWidget* parent) : QWidget(parent), m_dayView(dayView) {
    setObjectName(QStringLiteral("agendaView"));
    // F1 here opens the appointment book's page, which tells of the agenda too.
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::AppointmentBook));
    DayViewController& controller = m_dayView.Controller();
    m_model.SetImages(ListImages::AppointmentAlarms(), ListImages::TaskPriorities());
    m_model.SetSeriesNote([&controller](int seriesId) {
        const Appointment* series = controller.Document().Appointments().Find(seriesId);
        return series ? platform::toQString(RepeatInWords(*series)) : QString();
    });

    auto* daysLabel = new QLabel(QStringLiteral("&Days:"), this);
    m_days = new QSpinBox(this);
    m_days->setObjectName(QStringLiteral("agendaDays"));
    m_days->setRange(AgendaSetting::kMinDays, AgendaSetting::kMaxDays);
    m_days->setValue(AgendaSetting::Days());
    m_days->setAccessibleName(QStringLiteral("Days"));
    m_days->setAccessibleDescription(QStringLiteral("How many days the agenda shows, from today on"));
    daysLabel->setBuddy(m_days);
    m_nothing = new QLabel(this);
    m_nothing->setObjectName(QStringLiteral("agendaNothing"));
    m_nothing->hide();
    m_list = new AgendaList(this);
    m_list->setObjectName(QStringLiteral("agendaList"));
    m_list->setItemDelegate(new AgendaDelegate(m_list));
    m_list->setModel(&m_model);
    m_list->setAccessibleName(QStringLiteral("Agenda"));
    m_list->setAccessibleDescription(QStringLiteral("The appointments and tasks of the coming days, by day"));
    setFocusProxy(m_list);

    auto* header = new QHBoxLayout;
    header->addWidget(daysLabel);
    header->addWidget(m_days);
    header->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(header);
    layout->addWidget(m_nothing);
    layout->addWidget(m_list, 1);

    connect(m_days, &QSpinBox::valueChanged, this, &AgendaView::daysChanged);
    connect(m_list, &DayListView::editRequested, this, [this] { act(m_list->SelectedRow(), false); });
    connect(m_list, &DayListView::deleteRequested, this, [this] { act(m_list->SelectedRow(), true); });
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { act(index.row(), false); });
    // The day view refills after every change of the document, and today moves at midnight.
    connect(&controller, &DayViewController::appointmentsRefilled, this, &AgendaView::refreshIfStale);
    connect(&m_dayView.Reminders().Center(), &ReminderCenter::todayChanged, this, &AgendaView::refreshIfStale);
}

void AgendaView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshIfStale();
}

void AgendaView::refreshIfStale() {
    if (!isVisible())
        return;
    const DayViewController& controller = m_dayView.Controller();
    if (m_builtGeneration != controller.Generation() || m_builtToday != CalendarDate::Of(DateTime::Today()) ||
        m_builtDays != m_days->value() || m_builtBirthdays != BirthdaySetting::Shown())
        Refresh();
}

void AgendaView::Refresh() {
    DayViewController& controller = m_dayView.Controller();
    const CalendarDate today = CalendarDate::Of(DateTime::Today());
    const int days = m_days->value();
    const int selectedRow = m_list->SelectedRow();
    const std::optional<AgendaRow> selected =
        m_model.IsEntry(selectedRow) ? std::optional(m_model.Row(selectedRow)) : std::nullopt;

    const bool birthdays = BirthdaySetting::Shown();
    m_model.SetRows(AgendaRows::Build(controller.Document().Records(), controller.Lists(), today, days, birthdays));
    m_builtBirthdays = birthdays;
    m_builtGeneration = controller.Generation();
    m_builtToday = today;
    m_builtDays = days;
    m_nothing->setText(platform::toQString(AgendaRows::NothingText(days)));
    m_nothing->setVisible(m_model.Count() == 0);

    if (!selected)
        return;
    int row = m_model.RowOf(*selected);
    // Gone (deleted, or no longer due): the entry that took its place, or the one before at the end.
    for (int step : {1, -1})
        for (int r = std::min(selectedRow, m_model.Count() - 1); row < 0 && r >= 0 && r < m_model.Count(); r += step)
            if (m_model.IsEntry(r))
                row = r;
    if (row >= 0)
        m_list->selectionModel()->setCurrentIndex(m_model.index(row, 0), QItemSelectionModel::ClearAndSelect);
}

void AgendaView::daysChanged(int days) {
    AgendaSetting::SetDays(days);
    refreshIfStale();
}

void AgendaView::act(int row, bool remove) {
    if (!m_model.IsEntry(row))
        return;
    const AgendaRow entry = m_model.Row(row);
    DayViewController& controller = m_dayView.Controller();
    switch (entry.kind) {
    case AgendaRow::Kind::Appointment:
        if (controller.SelectListed(ActiveList::Appointments, entry.id, entry.day))
            emit commandRequested(remove ? cmd::AppointmentDelete : cmd::AppointmentEdit);
        break;
    case AgendaRow::Kind::Task:
        if (controller.SelectListed(ActiveList::Tasks, entry.id, entry.day))
            emit commandRequested(remove ? cmd::TaskDelete : cmd::TaskEdit);
        break;
    case AgendaRow::Kind::Birthday:
        // Not a record of its own: Enter opens the person it comes from, Del does nothing.
        if (!remove && controller.GoToPerson(entry.id))
            emit commandRequested(cmd::PersonEdit);
        break;
    case AgendaRow::Kind::Heading:
        break;
    }
}
