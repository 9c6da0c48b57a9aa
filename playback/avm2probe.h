#pragma once

#include "playback/swftags.h"

#include <QByteArray>
#include <QString>

// The ActionScript 3 probe: a tiny class of our own, placed on the root's first frame as an empty
// movie clip. It registers the same callbacks as the AS1/2 probe (see avm1probe.h), counts frames
// across scenes, and holds the root's last frame after the frame's own scripts ran.
namespace Avm2Probe {

// The class name: unique enough never to meet a movie's own.
inline constexpr char ClassName[] = "QuenFrameProbe_3b91e7";
// A depth far above what authoring tools use.
inline constexpr int Depth = 16000 + 0x3b9;

struct Injection {
    QByteArray frameOneTags; // DoABC, DefineSprite, SymbolClass, PlaceObject2
    QString error;
};

// lastFrame: the root's frame count (its ShowFrame tags); 0 for no hold.
Injection Build(const SwfTagLayout& layout, int lastFrame);

// The probe's byte code alone.
QByteArray ProbeAbc(int lastFrame);

} // namespace Avm2Probe
