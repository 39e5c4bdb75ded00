#pragma once

namespace vondra {

// alsa-lib prints its errors (no sound card, no sequencer device) to standard error by itself;
// the library reports only through its own messages, so those are dropped.
void SilenceAlsaLibErrors();

}  // namespace vondra
