#include "systemsounds.h"

#include <cmath>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPointer>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QtEndian>
#include <QUrl>

namespace {

constexpr int sampleRate = 22050;

// Plays each sound from a WAV file written once into the cache folder.
class DeviceSounds : public SystemSounds {
public:
    void playSystemSound(int id) override { play(id); }
    void playAlertSound(int id) override { play(id); }

private:
    void play(int id) {
        QSoundEffect *effect = m_effects.value(id);
        if (!effect) {
            const QString file = writeSound(id);
            if (file.isEmpty())
                return;
            // Owned by the application, so that they go with it.
            effect = new QSoundEffect(QCoreApplication::instance());
            effect->setSource(QUrl::fromLocalFile(file));
            effect->setVolume(0.8f);
            m_effects.insert(id, effect);
        }
        effect->play();
    }
    static QString writeSound(int id) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        if (folder.isEmpty() || !QDir().mkpath(folder))
            return {};
        const QString path = folder + QStringLiteral("/sound-%1.wav").arg(id);
        if (QFile::exists(path))
            return path;
        // Acceptance: a short high note; rejection: a longer low buzz. Qt has no vibration, so
        // here the acceptance is heard only.
        const QByteArray wav = id == SystemSounds::acceptance ? SystemSounds::beep(1320, 90)
                                                              : SystemSounds::beep(220, 220);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(wav) != wav.size())
            return {};
        return path;
    }
    QHash<int, QPointer<QSoundEffect>> m_effects; // live as long as the application
};

std::unique_ptr<SystemSounds> &current() {
    static std::unique_ptr<SystemSounds> sounds;
    return sounds;
}

void appendLE(QByteArray &bytes, quint32 value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xff));
}

} // namespace

SystemSounds &SystemSounds::shared() {
    auto &sounds = current();
    if (!sounds)
        sounds = std::make_unique<DeviceSounds>();
    return *sounds;
}

void SystemSounds::install(std::unique_ptr<SystemSounds> sounds) {
    current() = std::move(sounds);
}

QByteArray SystemSounds::beep(int hz, int ms) {
    const int samples = sampleRate * ms / 1000;
    const int fade = std::max(1, samples / 10);
    QByteArray pcm;
    pcm.reserve(samples * 2);
    for (int i = 0; i < samples; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(samples - i) / fade});
        const double value = std::sin(2 * M_PI * hz * i / sampleRate) * envelope * 0.6;
        appendLE(pcm, quint32(qint16(value * 32767)) & 0xffff, 2);
    }
    QByteArray wav("RIFF");
    appendLE(wav, 36 + pcm.size(), 4);
    wav.append("WAVEfmt ");
    appendLE(wav, 16, 4);
    appendLE(wav, 1, 2); // PCM
    appendLE(wav, 1, 2); // mono
    appendLE(wav, sampleRate, 4);
    appendLE(wav, sampleRate * 2, 4);
    appendLE(wav, 2, 2);
    appendLE(wav, 16, 2);
    wav.append("data");
    appendLE(wav, pcm.size(), 4);
    wav.append(pcm);
    return wav;
}
