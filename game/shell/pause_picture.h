#pragma once
// The picture of a paused game: the last frame dimmed, "PAUSE" over it in the game's own
// lettering at twice its size, shown at once. Drawn into the back buffer outside any frame,
// so no actor, animation or counter of the game changes.
namespace pres {
class Display;
}

namespace tolvane {

inline constexpr int kPauseDimAlpha = 128;
inline constexpr const char* kPauseText = "PAUSE";

void ShowPausePicture(pres::Display& display);

}  // namespace tolvane
