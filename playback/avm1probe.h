#pragma once

#include <QByteArray>

// ActionScript 1/2 code put into a movie so that the host can read and drive its root timeline
// through ExternalInterface callbacks. Written in actions that every SWF version from 4 on runs.
namespace Avm1Probe {

// Callback names the page calls; the AS3 probe registers the same ones.
inline constexpr char FrameCallback[] = "quenFrame"; // () -> current frame, 1-based
inline constexpr char GotoCallback[] = "quenGoto"; // (frame 1-based) -> frame after the jump
inline constexpr char PlayCallback[] = "quenPlay";
inline constexpr char StopCallback[] = "quenStop";
inline constexpr char ScaleCallback[] = "quenScale"; // ("showAll" | "noScale" | "exactFit")

// DoAction body for the start of frame 1: registers the callbacks.
QByteArray RegisterCallbacks();

// DoAction body for the end of the root's last frame: holds frame lastFrame (1-based) if the
// movie's own actions of that frame left it there.
QByteArray HoldLastFrame(int lastFrame);

} // namespace Avm1Probe
