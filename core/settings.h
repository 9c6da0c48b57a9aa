#pragma once

#include <QString>
#include <cstdint>

// The user's settings: section "Options" of the settings file, one field per key. Read once at
// start-up by LoadSettings and written back key by key whenever a setting changes.
struct Settings {
    int32_t FastFrames = 0;
    bool AutoPlay = false;
    bool SaveList = false;
    int32_t ListFileIndex = 0;
    bool NotAllowNetworking = false;
    bool NotAllowScript = false;
    float LoopTimeOut = 0.0f;
    QString ListFontName;
    int32_t ListFontSize = 0;
    bool ListFontBold = false;
    bool ListFontItalic = false;
    int32_t ListFontColor = 0; // 0x00BBGGRR

    QString IniFile; // full path of the settings file
};

namespace SettingsKeys {
inline constexpr QStringView Section = u"Options";
inline constexpr QStringView FastFrames = u"FastFrames";
inline constexpr QStringView AutoPlay = u"AutoPlay";
inline constexpr QStringView SaveList = u"SaveList";
inline constexpr QStringView ListFileIndex = u"ListFileIndex";
inline constexpr QStringView NotAllowNetworking = u"NotAllowNetworking";
inline constexpr QStringView NotAllowScript = u"NotAllowScript";
inline constexpr QStringView LoopTimeOut = u"LoopTimeOut";
inline constexpr QStringView ListFontName = u"ListFontName";
inline constexpr QStringView ListFontSize = u"ListFontSize";
inline constexpr QStringView ListFontBold = u"ListFontBold";
inline constexpr QStringView ListFontItalic = u"ListFontItalic";
inline constexpr QStringView ListFontColor = u"ListFontColor";
} // namespace SettingsKeys

inline constexpr int32_t DefaultFastFrames = 20;
inline constexpr float DefaultLoopTimeOut = 1.0f;
inline constexpr int32_t DefaultListFontColor = 10849876; // 0xA58E54
inline constexpr int IniValueBuffer = 255;

// Fills every field from iniFile (which need not exist), applying each key's read rule and default.
// Nothing is written.
void LoadSettings(Settings& settings, const QString& iniFile);

// Writes one key of section "Options" of settings.IniFile. Failures stay silent by design: the
// in-memory value has already changed and the program goes on.
void WriteSetting(const Settings& settings, QStringView key, const QString& value);

QString FlagText(bool value);
// Rounds a time-out to one decimal place as the settings file keeps it (ties to even).
float RoundLoopTimeOut(const QString& text);
// The shortest text that reads back as the same float, "." as the decimal point (1, 2.5, 0.2).
QString ShortestFloatText(float value);

// Folder of "Quenbarrowick.ini" and "PlayList.m3u": beside the executable when that folder is
// writable (portable use), otherwise $XDG_CONFIG_HOME/Quenbarrowick.
QString DataFolderFor(const QString& executableFolder);
