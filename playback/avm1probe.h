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
// () -> "identity:lastFrame" of the movie that holds level 0 now; a movie that loads another into
// level 0 hands the root, and these callbacks, to it.
inline constexpr char RootCallback[] = "quenRoot";

// DoAction body for the start of frame 1: registers the callbacks, only when the movie is level
// 0's root (a movie loaded into a clip or another level leaves the answers to level 0).
QByteArray RegisterCallbacks(const QByteArray& identity = "0", int lastFrame = 0);

// DoAction body for the end of the root's last frame: holds frame lastFrame (1-based) if the
// movie's own actions of that frame left it there and the movie is level 0's root.
QByteArray HoldLastFrame(int lastFrame, const QByteArray& identity = "0");

} // namespace Avm1Probe
