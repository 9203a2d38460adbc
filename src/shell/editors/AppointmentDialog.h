#pragma once

#include "AppointmentDraft.h"
#include "TextFieldBinder.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QPushButton;
class StepField;

// "Add Appointment" / "Edit Appointment" over a draft of one appointment. The times and the alarm
// minutes change only through their arrows; "&Ok" is enabled only while "Appointment:" has text.
class AppointmentDialog : public QDialog {
    Q_OBJECT
public:
    AppointmentDialog(const AppointmentDraft& draft, bool adding, QWidget* parent = nullptr);

    Appointment Result() const;

private:
    void ShowTimes();
    void UpdateOk();

    AppointmentDraft m_draft;
    TextFieldBinder<Appointment> m_fields;
    QLineEdit* m_description;
    QDateEdit* m_dueDate;
    StepField* m_begin;
    StepField* m_end;
    QCheckBox* m_setAlarm;
    StepField* m_minutes;
    QPushButton* m_ok;
};
