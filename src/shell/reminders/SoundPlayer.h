#pragma once

#include <QString>

// Plays one sound at a time, over and over, without waiting; starting a sound ends the one before.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void PlayLooping(const QString& fileName) = 0;
    virtual void Stop() = 0;
};
