#include "SeriesReminderQuestion.h"

#include <QMessageBox>
#include <QPushButton>

std::optional<ReminderScope> AskSeriesReminderScope(const QString& description, QWidget* over) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Turn off reminder"),
                    QStringLiteral("\"%1\" repeats. Turn off the reminder of only this occurrence, or of all "
                                   "occurrences of the series?")
                        .arg(description),
                    QMessageBox::NoButton, over);
    QPushButton* only = box.addButton(QStringLiteral("&Only this occurrence"), QMessageBox::AcceptRole);
    QPushButton* all = box.addButton(QStringLiteral("&All occurrences"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(only);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == only)
        return ReminderScope::ThisOccurrence;
    if (box.clickedButton() == all)
        return ReminderScope::AllOccurrences;
    return std::nullopt;
}
