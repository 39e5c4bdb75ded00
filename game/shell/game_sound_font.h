#pragma once
// The SoundFont the game's tunes are mixed on. The game names it to the library before the
// synthesizer opens, so a machine whose default General MIDI font is another one still hears
// the tunes as balanced. The player's VONDRA_SOUNDFONT still wins; where this font is missing
// the library falls back to the system's default.
#include "vondra.h"

namespace tolvane {

inline constexpr const char* kGameSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

inline void NameGameSoundFont() {
  vondraSetDefaultSoundFont(kGameSoundFont);
}

}  // namespace tolvane
