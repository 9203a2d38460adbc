#pragma once

#include <QDialog>

// Shown at start-up: the program's name, version and logo. It closes by itself after a while, or
// at once on a mouse button, Enter, Escape or a key pressed with Alt.
class SplashWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int ShowMilliseconds = 3000;

    explicit SplashWindow(QWidget* parent = nullptr);

Q_SIGNALS:
    // Once, after the splash has first been painted on the screen.
    void shown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_painted = false;
};
