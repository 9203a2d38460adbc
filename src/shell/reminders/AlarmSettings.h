#pragma once

#include <QString>

// The two alarm settings: whether reminders play a sound, and which sound file. Stored under the
// key "Alarm" of the program's settings as "UseAlarmSound" (1 or 0) and "AlarmSound" (a file name).
class AlarmSettings {
public:
    static constexpr const char* DefaultSound = "beep.wav";

    bool Audible() const { return m_audible; }
    const QString& SoundFile() const { return m_soundFile; }

    // Reads both values; what is missing is created with its default, as on a first start.
    void Read();
    // Each change is written at once.
    void SetAudible(bool audible);
    void SetSoundFile(const QString& fileName);
    void WriteAudible() const;

private:
    bool m_audible = true;
    QString m_soundFile = QString::fromLatin1(DefaultSound);
};
