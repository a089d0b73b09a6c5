#pragma once

#include "SoundPlayer.h"

#include <QByteArray>

#include <memory>

class QAudioSink;
class QBuffer;
class QSoundEffect;

// Sounds through Qt Multimedia: WAV files with QSoundEffect, the beep as a generated tone. Nothing is
// set up until the first sound, so a program that never sounds never opens the audio system.
class QtSoundPlayer final : public SoundPlayer
{
public:
    // A name without a folder is looked for in soundFolder (where the default sounds are installed),
    // then in the current folder.
    explicit QtSoundPlayer(QString soundFolder);
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    void PlaySoundFile(const QString& name) override;
    void Beep(int frequencyHz, int durationMs) override;

    // The file that PlaySoundFile would play, or empty when there is none.
    [[nodiscard]] QString ResolveSoundFile(const QString& name) const;
    // 16-bit signed mono samples of a sine tone, faded in and out over 5 ms so that it does not click.
    [[nodiscard]] static QByteArray MakeTone(int frequencyHz, int durationMs, int sampleRate);

private:
    QString m_soundFolder;
    std::unique_ptr<QSoundEffect> m_effect;
    // The buffer outlives the sink that reads it (members are destroyed in reverse order).
    std::unique_ptr<QBuffer> m_toneBuffer;
    std::unique_ptr<QAudioSink> m_sink;
};
