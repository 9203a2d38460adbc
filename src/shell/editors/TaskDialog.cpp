#include "TaskDialog.h"
#include "shell/HelpTopics.h"

#include "EditorButtons.h"
#include "EditorDates.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TaskDialog::TaskDialog(const Task& task, bool adding, QWidget* parent)
    : QDialog(parent), m_task(task), m_description(new QLineEdit(this)), m_priority(new QButtonGroup(this)),
      m_dueDate(CreateEditorDatePicker(this)), m_pickedDay(task.DueDate) {
    setWindowTitle(adding ? QStringLiteral("Add Task") : QStringLiteral("Edit Task"));
    setProperty(HelpTopics::kHelpTopicProperty, QString::fromLatin1(HelpTopics::TaskEditor));
    m_description->setObjectName(QStringLiteral("Description"));
    m_dueDate->setObjectName(QStringLiteral("DueDate"));

    auto* group = new QGroupBox(QStringLiteral("&Priority"), this);
    group->setObjectName(QStringLiteral("Priority"));
    auto* choices = new QHBoxLayout(group);
    const QString names[] = {QStringLiteral("High"), QStringLiteral("Medium"), QStringLiteral("Low"),
                             QStringLiteral("Done")};
    for (int priority = Task::High; priority <= Task::Done; ++priority) {
        auto* choice = new QRadioButton(names[priority], group);
        choice->setObjectName(names[priority]);
        m_priority->addButton(choice, priority);
        choices->addWidget(choice);
    }
    if (QAbstractButton* checked = m_priority->button(task.Priority))
        checked->setChecked(true);
    focusCheckedPriority();
    connect(m_priority, &QButtonGroup::buttonToggled, this, &TaskDialog::focusCheckedPriority);

    auto* taskLabel = new QLabel(QStringLiteral("&Task:"), this);
    taskLabel->setBuddy(m_description);
    auto* dueLabel = new QLabel(QStringLiteral("&Due Date:"), this);
    dueLabel->setBuddy(m_dueDate);
    auto* form = new QFormLayout;
    form->addRow(taskLabel, m_description);
    form->addRow(group);
    form->addRow(dueLabel, m_dueDate);

    QDialogButtonBox* buttons = CreateEditorButtons(this);
    m_ok = EditorOkButton(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // Tab goes down the dialog as it is laid out: text, priority, due date, buttons.
    QWidget* previous = m_description;
    for (QAbstractButton* choice : m_priority->buttons()) {
        setTabOrder(previous, choice);
        previous = choice;
    }
    setTabOrder(previous, m_dueDate);

    m_description->setWhatsThis(QStringLiteral("What the task is. A task cannot be stored without it."));
    group->setWhatsThis(QStringLiteral("The task's priority, shown by its image in the task list. Done marks it "
                                       "finished; the day it was completed is set only by Complete in the Tasks "
                                       "menu."));
    m_dueDate->setWhatsThis(QStringLiteral("The day the task is due. A task that is not done yet stays in the task "
                                           "list after this day, which the list shows as its original due date."));
    m_description->setFocus(Qt::OtherFocusReason);

    m_fields.Bind(m_description, &Task::Description);
    m_fields.Show(m_task);
    ShowEditorDate(m_dueDate, task.DueDate);
    connect(m_dueDate, &QDateEdit::dateChanged, this,
            [this](QDate date) { m_pickedDay = DateTime(date.year(), date.month(), date.day(), 0, 0, 0); });
    connect(m_description, &QLineEdit::textChanged, this, &TaskDialog::UpdateOk);
    UpdateOk();
}

// The priorities are one radio group: Tab stops at the checked one (the first when none is), and
// the arrows move the choice.
void TaskDialog::focusCheckedPriority() {
    QAbstractButton* stop = m_priority->checkedButton() ? m_priority->checkedButton() : m_priority->buttons().first();
    for (QAbstractButton* choice : m_priority->buttons())
        choice->setFocusPolicy(choice == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TaskDialog::UpdateOk() {
    m_ok->setEnabled(!m_description->text().isEmpty());
}

Task TaskDialog::Result() const {
    Task result = m_task;
    m_fields.Store(result);
    if (m_priority->checkedId() >= 0)
        result.Priority = m_priority->checkedId();
    result.DueDate = m_pickedDay;
    return result;
}
