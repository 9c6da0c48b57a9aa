#pragma once

#include "playlist/playlistui.h"

// Answers the playlist's dialogs with what the test put in, and records what was asked
// ("ChooseSwfFiles", "ShowMessage <title>: <text>", "RevealFile <path>", "WatchAddition").
class FakePlaylistUi : public PlaylistUi {
public:
    QStringList swfFiles;
    QString listToOpen;
    QString listToSave;
    QStringList calls;
    AddFilesJob* watched = nullptr;

    QStringList ChooseSwfFiles() override { return calls.append(u"ChooseSwfFiles"_qs), swfFiles; }
    QString ChooseListFileToOpen(const QString& folder) override
    {
        return calls.append(u"ChooseListFileToOpen "_qs + folder), listToOpen;
    }
    QString ChooseListFileToSave() override { return calls.append(u"ChooseListFileToSave"_qs), listToSave; }
    // The font and colour dialogs are cancelled.
    std::optional<ListFontChoice> ChooseFont() override { return calls.append(u"ChooseFont"_qs), std::nullopt; }
    int32_t ChooseColor(int32_t current) override { return calls.append(u"ChooseColor %1"_qs.arg(current)), current; }
    void ShowMessage(const QString& title, const QString& text) override
    {
        calls.append(u"ShowMessage "_qs + title + u": "_qs + text);
    }
    bool RevealFile(const QString& path) override { return calls.append(u"RevealFile "_qs + path), true; }
    bool FontInstalled(const QString&) const override { return false; }
    void WatchAddition(AddFilesJob& job) override { calls.append(u"WatchAddition"_qs), watched = &job; }
};
