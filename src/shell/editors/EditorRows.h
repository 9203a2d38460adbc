#pragma once

#include <QString>

#include <initializer_list>

class QLabel;
class QWidget;

// Pieces the editors' forms are laid out with.
// The widgets side by side, left-aligned, without margins of their own.
QWidget* EditorRow(QWidget* parent, std::initializer_list<QWidget*> widgets);
// A label whose access key moves the focus to `buddy`.
QLabel* EditorLabel(const char* text, QWidget* buddy, QWidget* parent);
