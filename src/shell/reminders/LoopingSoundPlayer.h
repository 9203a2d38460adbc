#pragma once

#include "SoundPlayer.h"

#include <QSoundEffect>

// The alarm sound through Qt Multimedia. A name without folder, such as "beep.wav", is looked for
// beside the program. A file that cannot be played stays silent.
class LoopingSoundPlayer : public SoundPlayer {
public:
    void PlayLooping(const QString& fileName) override;
    void Stop() override;

    // Where a sound file name leads: as given when it names an existing file, else beside the program.
    static QString Locate(const QString& fileName);

    const QSoundEffect& Effect() const { return m_effect; }

private:
    QSoundEffect m_effect;
};
