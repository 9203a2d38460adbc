#pragma once

#include "AppointmentDraft.h"
#include "TextFieldBinder.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QWidget;
class RepeatSection;
class StepField;

// "Add Appointment" / "Edit Appointment" over a draft of one appointment: its day (or first and last
// day, all day), begin and end (typed in the locale's form, or stepped by the arrows), the end's day,
// the alarm's lead, the repeat and, under "More", the zone the times are meant in. "&Ok" is enabled
// only while "Appointment:" has text.
class AppointmentDialog : public QDialog {
    Q_OBJECT
public:
    AppointmentDialog(const AppointmentDraft& draft, bool adding, QWidget* parent = nullptr);

    Appointment Result() const;
    void accept() override;

private:
    QWidget* CreateTimes();
    QWidget* CreateAlarm();
    QWidget* CreateZone();
    void Connect();
    void ShowTimes();
    void ShowDays();
    void ShowRepeat();
    void UpdateOk();
    void TypedTime(StepField* field, const QString& text);

    AppointmentDraft m_draft;
    TextFieldBinder<Appointment> m_fields;
    QLineEdit* m_description;
    QLabel* m_dueLabel;
    QDateEdit* m_dueDate;
    QCheckBox* m_allDay;
    QWidget* m_timeRows;
    StepField* m_begin;
    StepField* m_end;
    QDateEdit* m_endDay;
    QWidget* m_lastDayRow;
    QDateEdit* m_lastDay;
    QCheckBox* m_setAlarm;
    StepField* m_minutes;
    QComboBox* m_leadUnit;
    QPushButton* m_more;
    QWidget* m_zoneRow;
    QComboBox* m_zone;
    RepeatSection* m_repeat;
    QPushButton* m_ok;
    bool m_showing = false;
};
