#include "AppointmentDialog.h"
#include "shell/HelpTopics.h"

#include "EditorButtons.h"
#include "EditorDates.h"
#include "EditorRows.h"
#include "RepeatSection.h"
#include "StepField.h"
#include "platform/LocaleFormat.h"
#include "platform/TextCodec.h"
#include "platform/TimeZones.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

namespace {

QString timeText(const DateTime& time) {
    return platform::toQString(platform::formatTime(time.Hour(), time.Minute(), 0, platform::TimeStyle::NoSeconds));
}

StepField* createStepField(const char* name, QWidget* parent) {
    auto* field = new StepField(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

} // namespace

AppointmentDialog::AppointmentDialog(const AppointmentDraft& draft, bool adding, QWidget* parent)
    : QDialog(parent), m_draft(draft), m_description(new QLineEdit(this)), m_dueDate(CreateEditorDatePicker(this)),
      m_allDay(new QCheckBox(QStringLiteral("All Da&y"), this)), m_repeat(new RepeatSection(this)) {
    setWindowTitle(adding ? QStringLiteral("Add Appointment") : QStringLiteral("Edit Appointment"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::AppointmentEditor));
    m_description->setObjectName(QStringLiteral("Description"));
    m_dueDate->setObjectName(QStringLiteral("DueDate"));
    m_allDay->setObjectName(QStringLiteral("AllDay"));
    m_dueLabel = EditorLabel("Date D&ue:", m_dueDate, this);

    auto* form = new QFormLayout;
    form->addRow(EditorLabel("&Appointment:", m_description, this), m_description);
    form->addRow(m_dueLabel, EditorRow(this, {m_dueDate, m_allDay}));
    form->addRow(CreateTimes());
    form->addRow(CreateAlarm());
    form->addRow(CreateZone());

    QDialogButtonBox* buttons = CreateEditorButtons(this);
    m_ok = EditorOkButton(buttons);
    auto* columns = new QHBoxLayout;
    columns->addLayout(form, 3);
    columns->addWidget(m_repeat, 2, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    m_description->setWhatsThis(QStringLiteral("What the appointment is. It cannot be stored without it."));
    m_dueDate->setWhatsThis(QStringLiteral("The day of the appointment (its first day, all day). Its begin, end and "
                                           "alarm times move to the day chosen here."));
    m_allDay->setWhatsThis(QStringLiteral("Tick for an appointment that takes whole days, from the first day to the "
                                          "last, without a begin and end."));
    m_description->setFocus(Qt::OtherFocusReason);

    const Appointment& original = m_draft.Original();
    m_fields.Bind(m_description, &Appointment::Description);
    m_fields.Show(original);
    m_showing = true;
    ShowEditorDate(m_dueDate, original.DueDate);
    m_allDay->setChecked(m_draft.AllDay());
    m_setAlarm->setChecked(m_draft.AlarmOn());
    m_repeat->Show(m_draft.Repeat(), m_draft.FirstDay());
    m_repeat->setEnabled(m_draft.CanRepeat());
    const int zone = m_zone->findData(QString::fromStdString(m_draft.Zone()));
    if (zone < 0)
        m_zone->addItem(QString::fromStdString(m_draft.Zone()), QString::fromStdString(m_draft.Zone()));
    m_zone->setCurrentIndex(zone < 0 ? m_zone->count() - 1 : zone);
    m_zoneRow->setVisible(!m_draft.Zone().empty());
    m_showing = false;
    ShowDays();
    ShowTimes();
    ShowRepeat();
    Connect();
    UpdateOk();
}

QWidget* AppointmentDialog::CreateTimes() {
    auto* times = new QGroupBox(QStringLiteral("Times"), this);
    m_begin = createStepField("Begin", times);
    m_end = createStepField("End", times);
    m_endDay = CreateEditorDatePicker(times);
    m_endDay->setObjectName(QStringLiteral("EndDay"));
    m_lastDay = CreateEditorDatePicker(times);
    m_lastDay->setObjectName(QStringLiteral("LastDay"));
    for (StepField* field : {m_begin, m_end}) {
        field->SetTypable(true);
        field->SetWidestText(QStringLiteral("00:00 AM"));
    }
    m_begin->setAccessibleName(QStringLiteral("Begin"));
    m_end->setAccessibleName(QStringLiteral("End"));
    m_endDay->setAccessibleName(QStringLiteral("End day"));
    m_lastDay->setAccessibleName(QStringLiteral("Last day"));

    m_timeRows = new QWidget(times);
    auto* timeForm = new QFormLayout(m_timeRows);
    timeForm->setContentsMargins(0, 0, 0, 0);
    timeForm->addRow(EditorLabel("&Begin:", m_begin, m_timeRows), EditorRow(m_timeRows, {m_begin}));
    timeForm->addRow(EditorLabel("&End:", m_end, m_timeRows),
                     EditorRow(m_timeRows, {m_end, EditorLabel("En&d Day:", m_endDay, m_timeRows), m_endDay}));
    m_lastDayRow = new QWidget(times);
    auto* dayForm = new QFormLayout(m_lastDayRow);
    dayForm->setContentsMargins(0, 0, 0, 0);
    dayForm->addRow(EditorLabel("&Last Day:", m_lastDay, m_lastDayRow), m_lastDay);
    auto* layout = new QVBoxLayout(times);
    layout->addWidget(m_timeRows);
    layout->addWidget(m_lastDayRow);

    m_begin->setWhatsThis(QStringLiteral("The time the appointment begins: type it, or let the arrows, or the Up and "
                                         "Down keys, move it by 15 minutes between 05:00 AM and 10:45 PM; the end "
                                         "follows when it would come first."));
    m_end->setWhatsThis(QStringLiteral("The time the appointment ends: type it, or let the arrows, or the Up and Down "
                                       "keys, move it by 15 minutes between 05:15 AM and 11:00 PM. An end typed "
                                       "before the begin is on the next day."));
    m_endDay->setWhatsThis(QStringLiteral("The day the appointment ends, for one that runs past midnight."));
    m_lastDay->setWhatsThis(QStringLiteral("The last whole day of an all-day appointment."));
    return times;
}

QWidget* AppointmentDialog::CreateAlarm() {
    auto* alarm = new QGroupBox(QStringLiteral("Alarm Options"), this);
    m_setAlarm = new QCheckBox(QStringLiteral("&Set Alarm"), alarm);
    m_setAlarm->setObjectName(QStringLiteral("SetAlarm"));
    m_minutes = createStepField("Minutes", alarm);
    m_minutes->SetWidestText(QStringLiteral("000"));
    m_minutes->setAccessibleName(QStringLiteral("Lead time"));
    m_leadUnit = new QComboBox(alarm);
    m_leadUnit->setObjectName(QStringLiteral("LeadUnit"));
    m_leadUnit->addItems({QStringLiteral("minutes before"), QStringLiteral("hours before"),
                          QStringLiteral("days before"), QStringLiteral("weeks before")});
    m_leadUnit->setAccessibleName(QStringLiteral("Lead time unit"));
    auto* alarmForm = new QFormLayout(alarm);
    alarmForm->addRow(m_setAlarm);
    alarmForm->addRow(EditorLabel("Lead &Time:", m_minutes, alarm), EditorRow(alarm, {m_minutes, m_leadUnit}));
    m_setAlarm->setWhatsThis(QStringLiteral("Tick to be reminded of the appointment: at the alarm time a reminder "
                                            "window opens, with the alarm sound if it is turned on."));
    m_leadUnit->setWhatsThis(QStringLiteral("Whether the lead time counts minutes, hours, days or weeks."));
    m_minutes->setWhatsThis(QStringLiteral("How long before the beginning the reminder comes. The arrows, or the Up "
                                           "and Down keys, change minutes by 5 from 0 to 60, and hours, days or "
                                           "weeks by 1, up to four weeks."));
    return alarm;
}

QWidget* AppointmentDialog::CreateZone() {
    auto* holder = new QWidget(this);
    m_more = new QPushButton(QStringLiteral("&More"), holder);
    m_more->setObjectName(QStringLiteral("More"));
    m_more->setCheckable(true);
    m_more->setAutoDefault(false);
    m_zone = new QComboBox(holder);
    m_zone->setObjectName(QStringLiteral("TimeZone"));
    m_zone->setAccessibleName(QStringLiteral("Time zone"));
    m_zone->addItem(QStringLiteral("The computer's zone (%1)").arg(QString::fromUtf8(QTimeZone::systemTimeZoneId())),
                    QString());
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
        if (platform::IsKnownTimeZone(id.toStdString()))
            m_zone->addItem(QString::fromUtf8(id), QString::fromUtf8(id));
    m_more->setWhatsThis(QStringLiteral("Shows or hides the time zone the times are meant in."));
    m_zone->setWhatsThis(QStringLiteral("The time zone the begin and end are meant in. A series repeats at the same "
                                        "time of day there, wherever the computer is."));
    m_zoneRow = EditorRow(holder, {EditorLabel("&Zone:", m_zone, holder), m_zone});
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(EditorRow(holder, {m_more}));
    layout->addWidget(m_zoneRow);
    return holder;
}

void AppointmentDialog::Connect() {
    connect(m_dueDate, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (m_showing)
            return;
        m_draft.MoveToDay(date.year(), date.month(), date.day());
        m_repeat->SetStart(m_draft.FirstDay());
        ShowDays();
        ShowTimes();
        ShowRepeat();
    });
    connect(m_allDay, &QCheckBox::toggled, this, [this](bool on) {
        m_draft.SetAllDay(on);
        ShowDays();
        ShowRepeat();
    });
    connect(m_lastDay, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (m_showing)
            return;
        m_draft.SetLastDay(ToCalendarDate(date));
        ShowDays();
    });
    connect(m_endDay, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (m_showing)
            return;
        m_draft.Times().SetEndDays(ToCalendarDate(date) - m_draft.FirstDay());
        ShowTimes();
    });
    connect(m_begin, &StepField::stepped, this, [this](int steps) {
        m_draft.Times().StepBegin(steps);
        ShowTimes();
    });
    connect(m_end, &StepField::stepped, this, [this](int steps) {
        m_draft.Times().StepEnd(steps);
        ShowTimes();
    });
    connect(m_begin, &StepField::typed, this, [this](const QString& text) { TypedTime(m_begin, text); });
    connect(m_end, &StepField::typed, this, [this](const QString& text) { TypedTime(m_end, text); });
    connect(m_minutes, &StepField::stepped, this, [this](int steps) {
        m_draft.Minutes().StepBy(steps);
        ShowTimes();
    });
    connect(m_leadUnit, &QComboBox::currentIndexChanged, this, [this](int unit) {
        if (m_showing)
            return;
        m_draft.Minutes().SetUnit(static_cast<AlarmMinutes::Unit>(unit));
        ShowTimes();
    });
    connect(m_setAlarm, &QCheckBox::toggled, this, [this](bool on) { m_draft.SetAlarmOn(on); });
    connect(m_more, &QPushButton::toggled, this, [this](bool on) {
        m_zoneRow->setVisible(on || !m_draft.Zone().empty());
        if (on)
            m_zone->setFocus(Qt::TabFocusReason);
    });
    connect(m_zone, &QComboBox::currentIndexChanged, this, [this] {
        m_draft.SetZone(m_zone->currentData().toString().toStdString());
        ShowRepeat();
    });
    connect(m_repeat, &RepeatSection::changed, this, [this] {
        m_draft.SetRepeat(m_repeat->Pattern());
        ShowRepeat();
    });
    connect(m_description, &QLineEdit::textChanged, this, &AppointmentDialog::UpdateOk);
}

void AppointmentDialog::TypedTime(StepField* field, const QString& text) {
    platform::ParsedTime time;
    if (platform::parseTime(text.trimmed().toStdString(), time)) {
        if (field == m_begin)
            m_draft.Times().SetBegin(time.hour, time.minute);
        else
            m_draft.Times().SetEnd(time.hour, time.minute);
    } else {
        QApplication::beep();
    }
    ShowTimes();
}

void AppointmentDialog::ShowDays() {
    const bool allDay = m_draft.AllDay();
    m_dueLabel->setText(allDay ? QStringLiteral("&First Day:") : QStringLiteral("Date D&ue:"));
    m_timeRows->setVisible(!allDay);
    m_lastDayRow->setVisible(allDay);
    m_showing = true;
    m_lastDay->setMinimumDate(ToQDate(m_draft.FirstDay().Midnight()));
    ShowEditorDate(m_lastDay, m_draft.LastDay().Midnight());
    m_showing = false;
}

void AppointmentDialog::ShowTimes() {
    const AppointmentTimes& times = m_draft.Times();
    m_begin->setText(timeText(times.Start()));
    m_end->setText(timeText(times.End()));
    m_showing = true;
    m_endDay->setMinimumDate(ToQDate(m_draft.FirstDay().Midnight()));
    ShowEditorDate(m_endDay, (m_draft.FirstDay() + times.EndDays()).Midnight());
    m_leadUnit->setCurrentIndex(static_cast<int>(m_draft.Minutes().LeadUnit()));
    m_showing = false;
    m_minutes->setText(QString::number(m_draft.Minutes().Amount()));
}

void AppointmentDialog::ShowRepeat() {
    if (!m_draft.CanRepeat()) {
        m_repeat->ShowSummary(QStringLiteral("One occurrence of a series; it does not repeat itself"));
        return;
    }
    m_repeat->ShowSummary(QString::fromStdString(m_draft.RuleInWords()));
}

void AppointmentDialog::UpdateOk() {
    m_ok->setEnabled(!m_description->text().isEmpty());
}

void AppointmentDialog::accept() {
    // A time typed and not yet confirmed counts as the user sees it.
    m_begin->CommitTyped();
    m_end->CommitTyped();
    QDialog::accept();
}

Appointment AppointmentDialog::Result() const {
    Appointment result = m_draft.Result();
    m_fields.Store(result);
    return result;
}
