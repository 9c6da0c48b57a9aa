#pragma once

#include <QString>

// The player's sound: a level in percent and a mute that keeps the level. Both live in a section of
// their own ("[Player]") of the settings file, so that the options and every reader of them stay as
// they are.
struct SoundLevel {
    static constexpr int Default = 100;
    static constexpr int Step = 5; // one key press or one wheel notch

    int volume = Default; // 0 to 100
    bool muted = false;

    bool operator==(const SoundLevel&) const = default;

    // The level `steps` steps up (or down, when negative), kept within 0 to 100. Changing the level
    // also ends a mute: whoever turns it up wants to hear it.
    SoundLevel Stepped(int steps) const;
    // What the engine plays at, 0 to 1.
    double Gain() const { return muted ? 0.0 : volume / 100.0; }
    // The control's tooltip: "音量 70%", or with "（静音）" after it while muted.
    QString ToolTip() const;
};

namespace SoundLevelKeys {
inline constexpr QStringView Section = u"Player";
inline constexpr QStringView Volume = u"Volume";
inline constexpr QStringView Muted = u"Muted";
} // namespace SoundLevelKeys

// An absent file, a missing key, text that is not a whole number from 0 to 100, or a mute flag that is
// neither "True" nor "False" read as the default for that key.
SoundLevel ReadSoundLevel(const QString& iniFile);
// Writes both keys; silent on failure like the options.
void WriteSoundLevel(const QString& iniFile, const SoundLevel& level);
