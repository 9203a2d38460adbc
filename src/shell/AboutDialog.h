#pragma once

#include <QDialog>

// Help > About: the program's name, version and logo.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
