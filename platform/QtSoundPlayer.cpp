#include "QtSoundPlayer.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr int ToneSampleRate = 22050;

} // namespace

QtSoundPlayer::QtSoundPlayer(QString soundFolder) : m_soundFolder(std::move(soundFolder)) {}

QtSoundPlayer::~QtSoundPlayer()
{
    if (m_sink) {
        m_sink->stop();
    }
}

QString QtSoundPlayer::ResolveSoundFile(const QString& name) const
{
    if (name.isEmpty()) {
        return {};
    }
    const QFileInfo given(name);
    if (given.isAbsolute()) {
        return given.isFile() ? given.absoluteFilePath() : QString();
    }
    const QFileInfo beside(QDir(m_soundFolder).filePath(name));
    if (!m_soundFolder.isEmpty() && beside.isFile()) {
        return beside.absoluteFilePath();
    }
    return given.isFile() ? given.absoluteFilePath() : QString();
}

void QtSoundPlayer::PlaySoundFile(const QString& name)
{
    const QString file = ResolveSoundFile(name);
    if (file.isEmpty()) {
        return;
    }
    if (!m_effect) {
        m_effect = std::make_unique<QSoundEffect>();
    }
    m_effect->stop();
    m_effect->setSource(QUrl::fromLocalFile(file));
    m_effect->play();
}

void QtSoundPlayer::Beep(int frequencyHz, int durationMs)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(ToneSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || !device.isFormatSupported(format)) {
        // No sound card to play the tone on: the desktop's bell is the nearest thing.
        QApplication::beep();
        return;
    }
    m_sink.reset();
    m_toneBuffer = std::make_unique<QBuffer>();
    m_toneBuffer->setData(MakeTone(frequencyHz, durationMs, ToneSampleRate));
    m_toneBuffer->open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(device, format);
    m_sink->start(m_toneBuffer.get());
}

QByteArray QtSoundPlayer::MakeTone(int frequencyHz, int durationMs, int sampleRate)
{
    const int count = std::max(0, static_cast<int>(static_cast<long long>(durationMs) * sampleRate / 1000));
    const int fade = std::max(1, sampleRate / 200);
    QByteArray samples(static_cast<qsizetype>(count) * 2, Qt::Uninitialized);
    for (int i = 0; i < count; ++i) {
        const double envelope =
            std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(count - 1 - i) / fade});
        const double value = 0.5 * envelope * std::sin(2.0 * std::numbers::pi * frequencyHz * i / sampleRate);
        const auto sample = static_cast<qint16>(std::lround(value * 32767.0));
        const qsizetype at = 2 * static_cast<qsizetype>(i);
        samples[at] = static_cast<char>(sample & 0xff);
        samples[at + 1] = static_cast<char>((sample >> 8) & 0xff);
    }
    return samples;
}
