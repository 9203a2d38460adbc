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
    // Compared with the text shown rather than by the modified flag, which Enter clears.
    if (lineEdit()->isReadOnly() || text() == m_shown)
        return;
    m_shown = text();
    emit typed(m_shown);
}

void StepField::setText(const QString& text) {
    m_shown = text;
    lineEdit()->setText(text);
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
