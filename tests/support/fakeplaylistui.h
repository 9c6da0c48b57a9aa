#pragma once

#include "playlist/playlistui.h"

#include <QSet>

// Answers the playlist's dialogs with what the test put in, and records what was asked
// ("ChooseSwfFiles", "ShowMessage <title>: <text>", "RevealFile <path>", "WatchAddition").
class FakePlaylistUi : public PlaylistUi {
public:
    QStringList swfFiles;
    QString listToOpen;
    QString listToSave;
    std::optional<ListFontChoice> font;
    std::optional<int32_t> color; // nullopt: the dialog is cancelled
    QSet<QString> installedFonts;
    QStringList calls;
    AddFilesJob* watched = nullptr;

    QStringList ChooseSwfFiles() override;
    QString ChooseListFileToOpen(const QString& folder) override;
    QString ChooseListFileToSave() override;
    std::optional<ListFontChoice> ChooseFont() override;
    int32_t ChooseColor(int32_t current) override;
    void ShowMessage(const QString& title, const QString& text) override;
    bool RevealFile(const QString& path) override;
    bool FontInstalled(const QString& family) const override { return installedFonts.contains(family); }
    void WatchAddition(AddFilesJob& job) override;
};
