#pragma once

#include <QString>

// The program's sounds: the alert sound files and the beep.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;

    // Starts playing and returns at once; a new sound replaces one still playing. A sound that cannot
    // be found or played stays silent.
    virtual void PlaySoundFile(const QString& name) = 0;
    // A plain tone of the given pitch and length, also returning at once.
    virtual void Beep(int frequencyHz, int durationMs) = 0;
};
