#pragma once

#include "core/windowhost.h"

#include <QStringList>

// A window that shows nothing and remembers what it was asked: the latest value of every display
// and the list of requests in order.
class RecordingWindowHost : public WindowHost {
public:
    // Requests in order, e.g. "OpenSwfFiles", "ShowOptions owned", "SetWindowState 3", "FrameInfo 1/2  ".
    QStringList calls;

    bool playlistVisible = true;
    QString title;
    double stripFraction = -1;
    QString frameInfo;
    float barValue = -1;
    QString clock;
    PlayStatePresentation presentation;

    void OpenSwfFiles() override { calls.append(QStringLiteral("OpenSwfFiles")); }
    bool PlaylistPanelVisible() const override { return playlistVisible; }
    void SetPlaylistPanelVisible(bool visible) override
    {
        playlistVisible = visible;
        calls.append(visible ? u"ShowPlaylist"_qs : u"HidePlaylist"_qs);
    }
    void ShowOptions(OptionsOwner owner) override
    {
        calls.append(owner == OptionsOwner::MainWindow ? u"ShowOptions owned"_qs : u"ShowOptions unowned"_qs);
    }
    void ShowAbout() override { calls.append(QStringLiteral("ShowAbout")); }
    void SetWindowState(int command) override { calls.append(QStringLiteral("SetWindowState %1").arg(command)); }
    void SetTitleText(const QString& text) override { title = text; }
    void SetProgressMiniFraction(double fraction) override { stripFraction = fraction, calls.append(u"Strip"_qs); }
    void SetProgressMiniTwips(int twips) override { calls.append(u"StripTwips %1"_qs.arg(twips)); }
    void SetFrameInfoText(const QString& text) override { frameInfo = text, calls.append(u"FrameInfo"_qs); }
    void SetProgressBarValue(float percent) override { barValue = percent; }
    void SetClockText(const QString& text) override { clock = text; }
    void PresentPlayState(const PlayStatePresentation& p) override { presentation = p; }
    void SwapSingleLoopPictures() override { }
    void ShowNotFlashMessage() override { }
};
