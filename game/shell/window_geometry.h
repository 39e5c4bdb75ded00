#pragma once
// What the window system has really done with a window. SDL records the geometry it asked
// for, which a window manager may grant late, differently or not at all (full screen with
// no window manager to grant it); on X11 the server is asked instead.
#include <cstdint>
#include <functional>

#include "game/shell/form_host.h"

struct SDL_Window;

namespace tolvane {

// The client area's position on the screen and its size, as the window system has them
// now; SDL's own record where the window system cannot be asked.
WindowPlacement RealClientArea(SDL_Window* window);

// Takes in the window system's events (they stay queued for the main loop) until the
// window's client area is `wanted` and has stayed unchanged for `steadyMs` (a window
// manager may move a window more than once on one request), or `timeoutMs` has passed.
// True if it came to rest as wanted.
bool WaitForWindowArea(SDL_Window* window,
                       const std::function<bool(const WindowPlacement&)>& wanted, uint32_t steadyMs,
                       uint32_t timeoutMs);

}  // namespace tolvane
