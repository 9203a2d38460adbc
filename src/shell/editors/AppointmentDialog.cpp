#include "AppointmentDialog.h"
#include "shell/HelpTopics.h"

#include "EditorButtons.h"
#include "EditorDates.h"
#include "StepField.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString timeText(const DateTime& time) {
    return platform::toQString(time.Format("%I:%M %p"));
}

StepField* createStepField(const char* name, QWidget* parent) {
    auto* field = new StepField(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

QLabel* createLabel(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

AppointmentDialog::AppointmentDialog(const AppointmentDraft& draft, bool adding, QWidget* parent)
    : QDialog(parent), m_draft(draft), m_description(new QLineEdit(this)), m_dueDate(CreateEditorDatePicker(this)) {
    setWindowTitle(adding ? QStringLiteral("Add Appointment") : QStringLiteral("Edit Appointment"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::AppointmentEditor));
    m_description->setObjectName(QStringLiteral("Description"));
    m_dueDate->setObjectName(QStringLiteral("DueDate"));

    auto* times = new QGroupBox(QStringLiteral("Times"), this);
    m_begin = createStepField("Begin", times);
    m_end = createStepField("End", times);
    m_begin->SetWidestText(QStringLiteral("00:00 AM"));
    m_end->SetWidestText(QStringLiteral("00:00 AM"));
    auto* timesForm = new QFormLayout(times);
    timesForm->addRow(createLabel("Begin:", m_begin, times), m_begin);
    timesForm->addRow(createLabel("End:", m_end, times), m_end);

    auto* alarm = new QGroupBox(QStringLiteral("Alarm Options"), this);
    m_setAlarm = new QCheckBox(QStringLiteral("&Set Alarm"), alarm);
    m_setAlarm->setObjectName(QStringLiteral("SetAlarm"));
    m_minutes = createStepField("Minutes", alarm);
    m_minutes->SetWidestText(QStringLiteral("000"));
    auto* alarmForm = new QFormLayout(alarm);
    alarmForm->addRow(m_setAlarm);
    alarmForm->addRow(createLabel("Minutes Before Appointment:", m_minutes, alarm), m_minutes);

    auto* form = new QFormLayout;
    form->addRow(createLabel("Appointment:", m_description, this), m_description);
    form->addRow(createLabel("Date Due:", m_dueDate, this), m_dueDate);
    form->addRow(times);
    form->addRow(alarm);

    QDialogButtonBox* buttons = CreateEditorButtons(this);
    m_ok = EditorOkButton(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    m_description->setWhatsThis(QStringLiteral("What the appointment is. It cannot be stored without it."));
    m_dueDate->setWhatsThis(QStringLiteral("The day of the appointment. Its begin, end and alarm times move to the "
                                           "day chosen here."));
    m_begin->setWhatsThis(QStringLiteral("The time the appointment begins. The arrows, or the Up and Down keys, "
                                         "move it by 15 minutes between 05:00 AM and 10:45 PM; the end follows "
                                         "when it would come first."));
    m_end->setWhatsThis(QStringLiteral("The time the appointment ends. The arrows, or the Up and Down keys, move it "
                                       "by 15 minutes between 05:15 AM and 11:00 PM; the beginning follows when it "
                                       "would come later."));
    m_setAlarm->setWhatsThis(QStringLiteral("Tick to be reminded of the appointment: at the alarm time a reminder "
                                            "window opens, with the alarm sound if it is turned on."));
    m_minutes->setWhatsThis(QStringLiteral("How many minutes before the beginning the reminder comes. The arrows, "
                                           "or the Up and Down keys, change it by 5 from 0 to 60."));
    m_description->setFocus(Qt::OtherFocusReason);

    const Appointment& original = m_draft.Original();
    m_fields.Bind(m_description, &Appointment::Description);
    m_fields.Show(original);
    ShowEditorDate(m_dueDate, original.DueDate);
    m_setAlarm->setChecked(m_draft.AlarmOn());
    ShowTimes();

    connect(m_dueDate, &QDateEdit::dateChanged, this, [this](QDate date) {
        m_draft.MoveToDay(date.year(), date.month(), date.day());
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
    connect(m_minutes, &StepField::stepped, this, [this](int steps) {
        m_draft.Minutes().StepBy(steps);
        ShowTimes();
    });
    connect(m_setAlarm, &QCheckBox::toggled, this, [this](bool on) { m_draft.SetAlarmOn(on); });
    connect(m_description, &QLineEdit::textChanged, this, &AppointmentDialog::UpdateOk);
    UpdateOk();
}

void AppointmentDialog::ShowTimes() {
    m_begin->setText(timeText(m_draft.Times().Start()));
    m_end->setText(timeText(m_draft.Times().End()));
    m_minutes->setText(QString::number(m_draft.Minutes().Value()));
}

void AppointmentDialog::UpdateOk() {
    m_ok->setEnabled(!m_description->text().isEmpty());
}

Appointment AppointmentDialog::Result() const {
    Appointment result = m_draft.Result();
    m_fields.Store(result);
    return result;
}
