#include "game/shell/window_geometry.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#endif

namespace tolvane {
namespace {

constexpr uint32_t kPollMs = 10;

}  // namespace

WindowPlacement RealClientArea(SDL_Window* window) {
  WindowPlacement area;
  SDL_GetWindowPosition(window, &area.left, &area.top);
  SDL_GetWindowSize(window, &area.width, &area.height);
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
    return area;
  Display* display = info.info.x11.display;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, info.info.x11.window, &attributes) == 0) return area;
  Window child = 0;
  int left = 0;
  int top = 0;
  if (XTranslateCoordinates(display, info.info.x11.window, attributes.root, 0, 0, &left, &top,
                            &child) == 0) {
    return area;
  }
  area = {left, top, attributes.width, attributes.height};
#endif
  return area;
}

bool WaitForWindowArea(SDL_Window* window,
                       const std::function<bool(const WindowPlacement&)>& wanted, uint32_t steadyMs,
                       uint32_t timeoutMs) {
  const uint64_t start = SDL_GetTicks64();
  WindowPlacement last = RealClientArea(window);
  uint64_t lastChange = start;
  for (;;) {
    const uint64_t now = SDL_GetTicks64();
    if (wanted(last) && now - lastChange >= steadyMs) return true;
    if (now - start >= timeoutMs) return false;
    SDL_PumpEvents();
    SDL_Delay(kPollMs);
    const WindowPlacement area = RealClientArea(window);
    if (!(area == last)) {
      last = area;
      lastChange = SDL_GetTicks64();
    }
  }
}

}  // namespace tolvane
