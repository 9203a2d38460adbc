#pragma once

#include "TextFieldBinder.h"
#include "core/Task.h"

#include <QDialog>

class QButtonGroup;
class QDateEdit;
class QPushButton;

// "Add Task" / "Edit Task" over a copy of one task. "&Ok" is enabled only while "Task:" has text.
class TaskDialog : public QDialog {
    Q_OBJECT
public:
    TaskDialog(const Task& task, bool adding, QWidget* parent = nullptr);

    // The copy with the description, priority and due date as shown. "Done" here sets the
    // priority only; the completion date is "&Complete"'s business.
    Task Result() const;

private:
    void UpdateOk();
    void focusCheckedPriority();

    Task m_task;
    TextFieldBinder<Task> m_fields;
    QLineEdit* m_description;
    QButtonGroup* m_priority;
    QDateEdit* m_dueDate;
    QPushButton* m_ok;
    DateTime m_pickedDay; // the stored due date until the picker is changed, then that day at 00:00
};
