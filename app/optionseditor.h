#pragma once

#include "core/settings.h"

#include <QString>

class FlashControl;

// The six values the options dialog edits, as its controls hold them: the two boxes as typed text,
// the check boxes as flags.
struct OptionsEntries {
    QString fastFramesText;
    QString loopTimeOutText;
    bool saveList = false;
    bool autoPlay = false;
    bool notAllowNetworking = false;
    bool notAllowScript = false;
};

namespace OptionsFallback {
// What a box reads after an entry it cannot take.
inline constexpr QStringView FastFrames = u"20";
inline constexpr QStringView LoopTimeOut = u"3";
inline constexpr double LoopTimeOutMin = 0.0;
inline constexpr double LoopTimeOutMax = 100.0;
} // namespace OptionsFallback

// The numeric test of the option boxes: optional sign, digits with an optional point and fraction
// (either side of the point may be empty, not both), an optional exponent (E or D, optional sign,
// digits), blanks around the whole. Empty text is not a number.
bool IsNumericText(const QString& text);

// The decisions of the options dialog, apart from its widgets: what the boxes show when it opens,
// what an edit turns into, and what OK applies and writes.
class OptionsEditor {
public:
    // The dialog's starting values taken from the settings in memory.
    explicit OptionsEditor(const Settings& settings);

    const OptionsEntries& entries() const { return m_entries; }

    // Each check runs on every change of its box; the result is what the box must read now.
    static QString CheckFastFrames(const QString& text);
    static QString CheckLoopTimeOut(const QString& text);

    // Store an edit after its check; return what the box must read.
    QString setFastFramesText(const QString& text);
    QString setLoopTimeOutText(const QString& text);
    void setSaveList(bool on) { m_entries.saveList = on; }
    void setAutoPlay(bool on) { m_entries.autoPlay = on; }
    void setNotAllowNetworking(bool on) { m_entries.notAllowNetworking = on; }
    void setNotAllowScript(bool on) { m_entries.notAllowScript = on; }

    // OK: each value goes into memory, then its key into the settings file, in a fixed order; the two
    // restrictions also reach the running player (null when there is none yet). The frames text is
    // written exactly as typed, while its rounded value is what the program uses.
    void apply(Settings& settings, FlashControl* flash) const;

private:
    OptionsEntries m_entries;
};
