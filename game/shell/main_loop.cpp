#include "game/shell/main_loop.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <climits>

#include "game/shell/frame_driver.h"
#include "game/shell/message_queue.h"
#include "game/shell/sdl_form_host.h"
#include "presentation/frame_timer.h"

namespace tolvane {
namespace {

// Waits for the first event for at most `ms` (kNeverDue: until one comes); true if one came.
bool WaitForEvent(SDL_Event& event, uint32_t ms) {
  if (ms == pres::FrameTimer::kNeverDue) return SDL_WaitEvent(&event) != 0;
  return SDL_WaitEventTimeout(&event, static_cast<int>(std::min<uint32_t>(ms, INT_MAX))) != 0;
}

// A frame is coming soon enough to show what input changed in the menu.
bool FrameSoon(const pres::FrameTimer& timer) {
  return timer.MillisecondsUntilDue() <= kFrameIntervalMs;
}

}  // namespace

void RunMessageLoop(SdlFormHost& host, pres::FrameTimer& timer, MessageQueue& libraryMessages) {
  while (!host.Closing()) {
    const uint32_t wait =
        host.RepaintWanted() && !FrameSoon(timer) ? 0 : timer.MillisecondsUntilDue();
    SDL_Event event;
    if (WaitForEvent(event, wait)) {
      do {
        host.HandleEvent(event);
      } while (!host.Closing() && SDL_PollEvent(&event) != 0);
    }
    if (host.Closing()) break;
    host.RunChosenMenuItem();
    for (const QueuedMessage& message : libraryMessages.TakeAll())
      host.ShowTitledMessage(message.title, message.text);
    if (host.Closing()) break;
    timer.Idle();
    host.UpdatePointer(timer.Enabled() && timer.Active());
    if (host.RepaintWanted() && !FrameSoon(timer)) host.Repaint();
  }
}

}  // namespace tolvane
