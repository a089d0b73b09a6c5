#pragma once

#include "SoundPlayer.h"

#include <QString>

#include <vector>

// Remembers the sounds and beeps asked for, and stays silent.
class RecordingSoundPlayer final : public SoundPlayer
{
public:
    struct Tone
    {
        int frequencyHz;
        int durationMs;
    };

    void PlaySoundFile(const QString& name) override { played.push_back(name); }
    void Beep(int frequencyHz, int durationMs) override { beeps.push_back({frequencyHz, durationMs}); }

    std::vector<QString> played;
    std::vector<Tone> beeps;
};
