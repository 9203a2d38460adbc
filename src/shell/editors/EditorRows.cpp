#include "EditorRows.h"

#include <QHBoxLayout>
#include <QLabel>

QWidget* EditorRow(QWidget* parent, std::initializer_list<QWidget*> widgets) {
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets) {
        widget->setParent(holder);
        layout->addWidget(widget);
    }
    layout->addStretch();
    return holder;
}

QLabel* EditorLabel(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    return label;
}
