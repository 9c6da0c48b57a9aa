#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Files the program carries inside itself: the clock font and the readme. The engine and zlib come
// with the program on this platform, so their start-up steps have nothing to write.

// The seven-segment family of the carried clock font.
inline constexpr QStringView ClockFontFamily = u"DSEG7 Classic";

// Why a carried file could not be written: the system's error number and its description.
struct ReleaseError {
    int number = 0;
    QString description;
    // The message box text: the number, a line break, the description.
    QString text() const;
};
using ReleaseErrorReporter = std::function<void(const ReleaseError&)>;
// Opens a text file with the desktop's editor; false when nothing could open it.
using TextFileOpener = std::function<bool(const QString& path)>;

// The bytes of a carried file, looked up by name and type without regard to letter case; empty
// when there is no such file.
QByteArray CompanionResource(QStringView name, QStringView type);

// Writes the carried file (name, type) to target so that the file holds exactly its bytes, replacing
// the old file in one step. On failure report is called (when set) and the caller carries on.
void ReleaseResFile(QStringView name, QStringView type, const QString& target, const ReleaseErrorReporter& report);

// Start-up steps, to be run in this order with LoadSettings between the second and the third.
void InstallDigitalFont();
void ReleaseZlibDll();
void ReleaseFlashOcx();

struct Settings;
// What the first copy does before its main window exists, in this fixed order: the clock font, zlib,
// the settings from iniFile, the engine.
void RunStartupSteps(Settings& settings, const QString& iniFile);

// Registers the carried clock font for this process; the families it adds (empty on failure).
QStringList RegisterClockFont();

// The temporary folder without a trailing separator.
QString GetTempFolder();

// The readme: written to the temporary folder as "Readme.txt" and opened with the editor. The open
// is tried even after a failed write, which has already been reported. True when the opener did.
bool ShowReadme(const TextFileOpener& open, const ReleaseErrorReporter& report);

// The opener used outside tests: the desktop's default application for plain text.
bool OpenWithDesktopEditor(const QString& path);
