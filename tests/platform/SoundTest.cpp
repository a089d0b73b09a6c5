// The sounds: which file a name means, the beep's tone, and the default sounds that ship.
#include "QtSoundPlayer.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

TEST(QtSoundPlayer, LooksForANameBesideTheProgramThenTakesItAsAFileName)
{
    QTemporaryDir program;
    QTemporaryDir elsewhere;
    const QString beside = program.filePath(QStringLiteral("s1.wav"));
    const QString own = elsewhere.filePath(QStringLiteral("gong.wav"));
    for (const QString& name : {beside, own}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QtSoundPlayer player(program.path());
    EXPECT_EQ(player.ResolveSoundFile(QStringLiteral("s1.wav")), beside);
    EXPECT_EQ(player.ResolveSoundFile(own), own);
    EXPECT_TRUE(player.ResolveSoundFile(QStringLiteral("s2.wav")).isEmpty());
    EXPECT_TRUE(player.ResolveSoundFile(elsewhere.filePath(QStringLiteral("none.wav"))).isEmpty());
    EXPECT_TRUE(player.ResolveSoundFile(QString()).isEmpty());

    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    EXPECT_EQ(player.ResolveSoundFile(QStringLiteral("gong.wav")), own);
    QDir::setCurrent(current);
}

TEST(QtSoundPlayer, TheBeepIsAClickFreeToneOfTheAskedPitchAndLength)
{
    const int rate = 22050;
    const QByteArray tone = QtSoundPlayer::MakeTone(1000, 300, rate);
    ASSERT_EQ(tone.size(), 2 * rate * 300 / 1000);
    const auto sample = [&](int i) {
        return static_cast<qint16>(static_cast<quint8>(tone[2 * i]) | (static_cast<quint8>(tone[2 * i + 1]) << 8));
    };
    const int count = static_cast<int>(tone.size() / 2);
    int crossings = 0;
    int peak = 0;
    for (int i = 1; i < count; ++i) {
        crossings += (sample(i - 1) < 0) != (sample(i) < 0) ? 1 : 0;
        peak = std::max(peak, std::abs(static_cast<int>(sample(i))));
    }
    // 1000 Hz for 0.3 s crosses zero about 600 times.
    EXPECT_NEAR(crossings, 600, 4);
    EXPECT_GT(peak, 8000);
    EXPECT_LT(std::abs(static_cast<int>(sample(0))), 200);
    EXPECT_LT(std::abs(static_cast<int>(sample(count - 1))), 200);
}

TEST(DefaultSounds, NineShortPcmWaveFilesShipWithTheProgram)
{
    for (int n = 1; n <= 9; ++n) {
        QFile file(QStringLiteral(BW_SOURCE_DIR "/resources/sounds/s%1.wav").arg(n));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        QDataStream in(&file);
        in.setByteOrder(QDataStream::LittleEndian);
        char riff[4];
        quint32 riffSize = 0;
        char wave[4];
        char fmt[4];
        quint32 fmtSize = 0;
        quint16 format = 0;
        quint16 channels = 0;
        quint32 rate = 0;
        in.readRawData(riff, 4);
        in >> riffSize;
        in.readRawData(wave, 4);
        in.readRawData(fmt, 4);
        in >> fmtSize >> format >> channels >> rate;
        EXPECT_EQ(QByteArray(riff, 4), "RIFF");
        EXPECT_EQ(QByteArray(wave, 4), "WAVE");
        EXPECT_EQ(format, 1) << "PCM";
        const double seconds = static_cast<double>(file.size() - 44) / (2.0 * channels * rate);
        EXPECT_GT(seconds, 0.2) << n;
        EXPECT_LT(seconds, 3.0) << n;
    }
}
