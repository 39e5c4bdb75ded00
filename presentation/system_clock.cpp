#include <SDL2/SDL_timer.h>

#include "presentation/clock.h"

namespace pres {

// SDL_GetTicks needs no SDL_Init; it counts from the first call into SDL's timer.
uint32_t SystemClock::Now() const {
  return SDL_GetTicks();
}

}  // namespace pres
