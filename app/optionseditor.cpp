#include "app/optionseditor.h"

#include "core/flashcontrol.h"
#include "core/numbertext.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

bool IsNumericText(const QString& text)
{
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    auto digitsFrom = [&](qsizetype& at) {
        const qsizetype start = at;
        while (at < end && isDigit(text[at]))
            ++at;
        return at - start;
    };

    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype mantissaDigits = digitsFrom(i);
    if (i < end && text[i] == u'.') {
        ++i;
        mantissaDigits += digitsFrom(i);
    }
    if (mantissaDigits == 0)
        return false;
    if (i < end && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (digitsFrom(i) == 0)
            return false;
    }
    return i == end;
}

OptionsEditor::OptionsEditor(const Settings& settings)
{
    m_entries.fastFramesText = CheckFastFrames(QString::number(settings.FastFrames));
    m_entries.saveList = settings.SaveList;
    m_entries.autoPlay = settings.AutoPlay;
    m_entries.notAllowNetworking = settings.NotAllowNetworking;
    m_entries.notAllowScript = settings.NotAllowScript;
    // Always one decimal place, so the default reads 1.0.
    m_entries.loopTimeOutText = CheckLoopTimeOut(QString::number(double(settings.LoopTimeOut), 'f', 1));
}

QString OptionsEditor::CheckFastFrames(const QString& text)
{
    return IsNumericText(text) ? text : OptionsFallback::FastFrames.toString();
}

QString OptionsEditor::CheckLoopTimeOut(const QString& text)
{
    if (!IsNumericText(text))
        return OptionsFallback::LoopTimeOut.toString();
    const double value = LeadingNumber(text).value();
    // Written so that an overflowing exponent (infinity) falls outside the range as well.
    if (!(value >= OptionsFallback::LoopTimeOutMin && value <= OptionsFallback::LoopTimeOutMax))
        return OptionsFallback::LoopTimeOut.toString();
    return text;
}

QString OptionsEditor::setFastFramesText(const QString& text)
{
    m_entries.fastFramesText = CheckFastFrames(text);
    return m_entries.fastFramesText;
}

QString OptionsEditor::setLoopTimeOutText(const QString& text)
{
    m_entries.loopTimeOutText = CheckLoopTimeOut(text);
    return m_entries.loopTimeOutText;
}

void OptionsEditor::apply(Settings& s, FlashControl* flash) const
{
    using namespace SettingsKeys;
    const OptionsEntries& e = m_entries;

    s.FastFrames = LeadingNumber(e.fastFramesText).toInt32();
    WriteSetting(s, FastFrames, e.fastFramesText);

    s.SaveList = e.saveList;
    WriteSetting(s, SaveList, FlagText(s.SaveList));

    s.AutoPlay = e.autoPlay;
    WriteSetting(s, AutoPlay, FlagText(s.AutoPlay));

    s.NotAllowNetworking = e.notAllowNetworking;
    if (flash)
        flash->SetAllowNetworking(s.NotAllowNetworking ? QStringLiteral("none") : QStringLiteral("all"));
    WriteSetting(s, NotAllowNetworking, FlagText(s.NotAllowNetworking));

    s.NotAllowScript = e.notAllowScript;
    if (flash)
        flash->SetAllowScriptAccess(s.NotAllowScript ? QStringLiteral("never") : QStringLiteral("always"));
    WriteSetting(s, NotAllowScript, FlagText(s.NotAllowScript));

    s.LoopTimeOut = RoundLoopTimeOut(e.loopTimeOutText);
    WriteSetting(s, LoopTimeOut, ShortestFloatText(s.LoopTimeOut));
}
