#pragma once

#include "playlist/playlistui.h"

class QWidget;

// The real dialogs of the playlist commands, owned by the main window.
class PlaylistDialogs : public PlaylistUi {
public:
    // Filters in Qt's form: the caption with its pattern in parentheses.
    // The progress of a long addition appears after this long.
    static constexpr int ProgressDelayMs = 500;

    explicit PlaylistDialogs(QWidget* parent) : m_parent(parent) { }

    QStringList ChooseSwfFiles() override;
    QString ChooseListFileToOpen(const QString& folder) override;
    QString ChooseListFileToSave() override;
    std::optional<ListFontChoice> ChooseFont() override;
    int32_t ChooseColor(int32_t current) override;
    void ShowMessage(const QString& title, const QString& text) override;
    bool RevealFile(const QString& path) override;
    bool FontInstalled(const QString& family) const override;
    void WatchAddition(AddFilesJob& job) override;

private:
    QWidget* m_parent;
};
