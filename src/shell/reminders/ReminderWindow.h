#pragma once

#include <QDialog>
#include <QTimer>

class QCheckBox;
class SoundPlayer;

// "Appointment Reminder": the message, the "&Turn off reminder" check box and "&OK", which is the
// only way to close it. While open it plays its sound (when audible) and comes to the front again
// once a minute.
class ReminderWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int RepeatMs = 60000;

    ReminderWindow(const QString& caption, const QString& message, const QString& soundFile, bool audible,
                   SoundPlayer& sound, QWidget* parent = nullptr);

    // Whether "&OK" was pressed with "&Turn off reminder" ticked.
    bool TurnOff() const { return m_turnOff; }

    // The minute tick: to the front, and the sound started again.
    void Repeat();

    void accept() override;
    // Escape and the window manager's close request do not close a reminder.
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PlaceOverParent();

    QString m_soundFile;
    bool m_audible;
    SoundPlayer& m_sound;
    QCheckBox* m_turnOffBox;
    QTimer m_repeat;
    bool m_turnOff = false;
    bool m_closing = false;
};
