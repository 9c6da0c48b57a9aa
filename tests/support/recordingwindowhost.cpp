#include "tests/support/recordingwindowhost.h"

void RecordingWindowHost::SetPlaylistPanelVisible(bool visible)
{
    playlistVisible = visible;
    calls.append(visible ? QStringLiteral("ShowPlaylist") : QStringLiteral("HidePlaylist"));
}

void RecordingWindowHost::ShowOptions(OptionsOwner owner)
{
    calls.append(owner == OptionsOwner::MainWindow ? QStringLiteral("ShowOptions owned")
                                                   : QStringLiteral("ShowOptions unowned"));
}

void RecordingWindowHost::SetProgressMiniFraction(double fraction)
{
    stripFraction = fraction;
    calls.append(QStringLiteral("Strip"));
}

void RecordingWindowHost::SetProgressMiniTwips(int twips)
{
    stripTwips = twips;
    calls.append(QStringLiteral("StripTwips %1").arg(twips));
}

void RecordingWindowHost::SetFrameInfoText(const QString& text)
{
    frameInfo = text;
    calls.append(QStringLiteral("FrameInfo"));
}

void RecordingWindowHost::PresentPlayState(const PlayStatePresentation& p)
{
    presentation = p;
    ++presentations;
}
