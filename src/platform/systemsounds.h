#pragma once

#include <functional>
#include <memory>
#include <QString>

// The device's short sounds by number: a system sound (1016, a rejection) and an alert sound
// (1315, an acceptance, which also vibrates where the device can). Played through QtMultimedia
// from sounds of our own; a device without audio plays nothing and that is no error.
class SystemSounds {
public:
    virtual ~SystemSounds() = default;
    virtual void playSystemSound(int id) = 0;
    virtual void playAlertSound(int id) = 0;

    static SystemSounds &shared();
    // Tests install their own (null restores the device's).
    static void install(std::unique_ptr<SystemSounds> sounds);

    static constexpr int rejection = 1016;
    static constexpr int acceptance = 1315;

    // The WAV bytes of a short beep: `hz` for `ms` milliseconds, faded in and out.
    static QByteArray beep(int hz, int ms);
};
