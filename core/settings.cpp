#include "core/settings.h"

#include "core/inifile.h"
#include "core/numbertext.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <charconv>

namespace {

int32_t readWhole(const QString& text) { return LeadingNumber(text).toInt32(); }

} // namespace

void LoadSettings(Settings& s, const QString& iniFile)
{
    using namespace SettingsKeys;
    s.IniFile = iniFile;
    const IniDocument doc = IniDocument::load(iniFile);
    auto read = [&](QStringView key) {
        return CutToBuffer(doc.value(Section.toString(), key.toString()), IniValueBuffer);
    };

    // Only empty text selects a default; text that is not a number reads as 0.
    QString v = read(FastFrames);
    s.FastFrames = v.isEmpty() ? DefaultFastFrames : readWhole(v);
    s.AutoPlay = read(AutoPlay) == u"True";
    s.SaveList = read(SaveList) == u"True";
    v = read(ListFileIndex);
    if (!v.isEmpty())
        s.ListFileIndex = readWhole(v);
    s.NotAllowNetworking = read(NotAllowNetworking) == u"True";
    s.NotAllowScript = read(NotAllowScript) == u"True";
    v = read(LoopTimeOut);
    s.LoopTimeOut = v.isEmpty() ? DefaultLoopTimeOut : RoundLoopTimeOut(v);
    v = read(ListFontName);
    if (!v.isEmpty())
        s.ListFontName = v;
    v = read(ListFontSize);
    if (!v.isEmpty())
        s.ListFontSize = readWhole(v);
    if (read(ListFontBold) == u"True")
        s.ListFontBold = true;
    if (read(ListFontItalic) == u"True")
        s.ListFontItalic = true;
    v = read(ListFontColor);
    s.ListFontColor = v.isEmpty() ? DefaultListFontColor : readWhole(v);
}

void WriteSetting(const Settings& settings, QStringView key, const QString& value)
{
    WriteIni(settings.IniFile, SettingsKeys::Section.toString(), key.toString(), value);
}

QString FlagText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

float RoundLoopTimeOut(const QString& text) { return static_cast<float>(LeadingNumber(text).rounded(1)); }

QString ShortestFloatText(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString DataFolderFor(const QString& executableFolder)
{
    const QString folder = QDir::cleanPath(executableFolder);
    // An executable installed into the system's own folders is shared by every user: never portable.
    static const QStringList systemPrefixes = { QStringLiteral("/usr/"), QStringLiteral("/bin/"),
        QStringLiteral("/sbin/"), QStringLiteral("/opt/"), QStringLiteral("/snap/") };
    bool system = false;
    for (const QString& prefix : systemPrefixes)
        system = system || QString(folder + u'/').startsWith(prefix);
    const QFileInfo info(folder);
    if (!system && info.isDir() && info.isWritable())
        return folder;

    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/Quenbarrowick"));
}
