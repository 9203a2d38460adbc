#include "StepField.h"

#include <QLineEdit>

StepField::StepField(QWidget* parent) : QAbstractSpinBox(parent) {
    // The text is only shown; the spin box itself stays writable so that its arrows work.
    lineEdit()->setReadOnly(true);
    setAccelerated(false);
}

void StepField::setText(const QString& text) {
    lineEdit()->setText(text);
}

QString StepField::text() const {
    return lineEdit()->text();
}

void StepField::stepBy(int steps) {
    if (steps != 0)
        emit stepped(steps);
}
