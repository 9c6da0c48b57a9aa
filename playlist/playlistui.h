#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class AddFilesJob;

// A list font as the settings keep it.
struct ListFontChoice {
    QString name;
    double pointSize = 0;
    bool bold = false;
    bool italic = false;
};

// The dialogs and desktop services the playlist commands need. The real one shows Qt dialogs;
// tests answer with a fake, so every decision around a dialog stays testable.
class PlaylistUi {
public:
    virtual ~PlaylistUi() = default;

    // Full paths of the chosen SWF files; empty when cancelled.
    virtual QStringList ChooseSwfFiles() = 0;
    // A list file that exists; empty when cancelled.
    virtual QString ChooseListFileToOpen(const QString& folder) = 0;
    // The name as the user gave it (no ending added); empty when cancelled.
    virtual QString ChooseListFileToSave() = 0;
    virtual std::optional<ListFontChoice> ChooseFont() = 0;
    // The chosen colour (0x00BBGGRR); `current` when cancelled.
    virtual int32_t ChooseColor(int32_t current) = 0;
    virtual void ShowMessage(const QString& title, const QString& text) = 0;
    // Shows the file selected in the file manager.
    virtual bool RevealFile(const QString& path) = 0;
    virtual bool FontInstalled(const QString& family) const = 0;
    // An addition that takes long: show its progress with a way to cancel it, until it ends.
    virtual void WatchAddition(AddFilesJob& job) = 0;
};
