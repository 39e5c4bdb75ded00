// The SoundFont the game's synthesizer loads: its own unless the player names another; other
// hosts keep the system's default.
#include "game/shell/game_sound_font.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "sequencer/midiout/fluidsynth_output.h"

namespace tolvane {
namespace {

using vondra::FluidSynthOutput;

std::string LoadedFont() {
  auto synth = FluidSynthOutput::Open(FluidSynthOutput::Mode::kOffline);
  return synth ? synth->SoundFontPath() : "(none)";
}

TEST(GameSoundFont, TheGameLoadsItsOwnFontUnlessThePlayerNamesOne) {
  const char* systemDefault = vondra::kSoundFontCandidates[0];
  if (access(kGameSoundFont, R_OK) != 0 || access(systemDefault, R_OK) != 0) {
    GTEST_SKIP() << "needs " << kGameSoundFont << " and " << systemDefault
                 << " (timgm6mb-soundfont, fluid-soundfont-gm)";
  }
  const char* userChoice = std::getenv("VONDRA_SOUNDFONT");
  const std::string saved = userChoice ? userChoice : "";
  unsetenv("VONDRA_SOUNDFONT");

  NameGameSoundFont();
  EXPECT_EQ(LoadedFont(), kGameSoundFont);
  // The player's choice wins, even one that cannot be loaded.
  setenv("VONDRA_SOUNDFONT", "/nonexistent.sf2", 1);
  EXPECT_EQ(LoadedFont(), "(none)");
  unsetenv("VONDRA_SOUNDFONT");

  // A host that names no font, or one that is missing, gets the system's default.
  vondraSetDefaultSoundFont("/nonexistent.sf2");
  EXPECT_EQ(LoadedFont(), systemDefault);
  vondraSetDefaultSoundFont(nullptr);
  EXPECT_EQ(LoadedFont(), systemDefault);

  if (!saved.empty()) setenv("VONDRA_SOUNDFONT", saved.c_str(), 1);
}

}  // namespace
}  // namespace tolvane
