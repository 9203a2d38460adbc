#include "StepField.h"

#include <QLineEdit>

#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>

StepField::StepField(QWidget* parent) : QAbstractSpinBox(parent) {
    // The text is only shown; the spin box itself stays writable so that its arrows work.
    lineEdit()->setReadOnly(true);
    setAccelerated(false);
    connect(this, &QAbstractSpinBox::editingFinished, this, &StepField::CommitTyped);
}

void StepField::SetTypable(bool typable) {
    lineEdit()->setReadOnly(!typable);
}

void StepField::CommitTyped() {
    if (lineEdit()->isReadOnly() || !lineEdit()->isModified())
        return;
    lineEdit()->setModified(false);
    emit typed(text());
}

void StepField::setText(const QString& text) {
    lineEdit()->setText(text);
    lineEdit()->setModified(false);
    updateGeometry();
}

QString StepField::text() const {
    return lineEdit()->text();
}

void StepField::stepBy(int steps) {
    CommitTyped();
    if (steps != 0)
        emit stepped(steps);
}

QSize StepField::sizeHint() const {
    QSize hint = QAbstractSpinBox::sizeHint();
    // What the base measures from its own (empty) range, widened to the widest text and the one
    // shown now, with the frame and the arrows around it.
    const int textWidth = std::max(fontMetrics().horizontalAdvance(m_widest), fontMetrics().horizontalAdvance(text()));
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize needed = style()->sizeFromContents(QStyle::CT_SpinBox, &option,
                                                   QSize(textWidth + 8, lineEdit()->sizeHint().height()), this);
    hint.setWidth(std::max(hint.width(), needed.width()));
    return hint;
}
