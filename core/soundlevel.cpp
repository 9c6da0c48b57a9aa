#include "core/soundlevel.h"

#include "core/inifile.h"
#include "core/settings.h"

#include <QCoreApplication>
#include <algorithm>

SoundLevel SoundLevel::Stepped(int steps) const
{
    return { std::clamp(volume + steps * Step, 0, 100), false };
}

QString SoundLevel::ToolTip() const
{
    const QString text = QCoreApplication::translate("SoundLevel", "音量 %1%").arg(volume);
    return muted ? text + QCoreApplication::translate("SoundLevel", "（静音）") : text;
}

SoundLevel ReadSoundLevel(const QString& iniFile)
{
    using namespace SoundLevelKeys;
    const IniDocument doc = IniDocument::load(iniFile);
    SoundLevel level;
    const QString volume = doc.value(Section.toString(), Volume.toString()).trimmed();
    bool ok = false;
    const int percent = volume.toInt(&ok);
    // Only plain digits: "+50", "5e1" and the like are not what this program writes.
    if (ok && percent >= 0 && percent <= 100 && std::all_of(volume.cbegin(), volume.cend(), [](QChar c) {
            return c >= u'0' && c <= u'9';
        }))
        level.volume = percent;
    level.muted = doc.value(Section.toString(), Muted.toString()).trimmed() == FlagText(true);
    return level;
}

void WriteSoundLevel(const QString& iniFile, const SoundLevel& level)
{
    using namespace SoundLevelKeys;
    WriteIni(iniFile, Section.toString(), Volume.toString(), QString::number(level.volume));
    WriteIni(iniFile, Section.toString(), Muted.toString(), FlagText(level.muted));
}
