#pragma once
// Whether the game on screen may be paused: only while a stage is being played, never on the
// title, its menus or the screens after a game over that read menu keys.

namespace tolvane {

// True while the stage actor runs a stage (its start, its script or its clear) and no menu
// screen (continue, name entry) read keys in the last frame.
bool PlayIsPausable();

}  // namespace tolvane
