#pragma once
// A reusable headless set-up for gameplay tests: a fresh engine and play state, an image
// archive (the built one of the run directory, or a small synthetic one whose entry sizes
// a test chooses), the headless display, a manual clock advanced 32 ms per frame so every
// frame is drawn, a scripted pad, and a digest of the actor pool.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/engine/actor.h"
#include "game/play/stage_codes.h"
#include "presentation/clock.h"
#include "presentation/display.h"
#include "presentation/image_archive.h"
#include "presentation/input_device.h"

namespace tolvane::testing {

// Where the content build puts the image archive.
std::string BuiltArchivePath();

// The key the harness binds to each pad state: cursor keys, Z, X and Shift; 0 for others.
int KeyFor(int padState);

class PlayHarness {
 public:
  enum class ArchiveSource {
    Synthetic,  // kSyntheticEntries entries of 32 x 32, one pattern each, plus the font
    Built,      // the run directory's tolvgfx.dxg; ArchiveLoaded() is false without it
  };
  static constexpr int kSyntheticEntries = 320;

  explicit PlayHarness(ArchiveSource source = ArchiveSource::Synthetic);
  ~PlayHarness();
  PlayHarness(const PlayHarness&) = delete;
  PlayHarness& operator=(const PlayHarness&) = delete;

  bool ArchiveLoaded() const { return loaded_; }
  pres::ImageArchive& Archive() { return archive_; }
  pres::Display& Display() { return *display_; }
  // Gives a synthetic entry `patterns` patterns of w x h side by side.
  void SetEntrySize(int index, int patternWidth, int patternHeight, int patterns = 1);
  // Gives the synthetic entries of the player's set (player, shots, items, orbs, weapon
  // display, bullet, ray, explosions, background layers) their sizes in the image catalogue.
  void UsePlaySizes();

  // The play screen built by the pieces the new game and the stage start build it from, without
  // stage file, music, texts, banners or opening pictures: backdrop, dummy target, player
  // entering with the three weapons at the level, weapon display, empty orbs, stage actor
  // running the script, HUD lines; the starting tails, Score 0, random streams reset.
  void BuildPlayScene(int32_t stage, int32_t weaponLevel = 1);
  // The player playing at (x, y), unguarded, as if it had just entered.
  void PlacePlayer(int32_t x, int32_t y);
  // Fills the first `count` protection orbs.
  void FillOrbs(int count);

  // The records become the stage script, exactly as a stage file holding them would.
  static void LoadScript(const std::vector<StageRecord>& records);

  // Scripted pad: an input state (game/engine/pad_input.h numbering) held or released.
  void Hold(int padState, bool down = true);
  void ReleaseAll();

  // Runs frames through the frame driver, the clock 32 ms later each time.
  void RunFrames(int frames);
  // One frame with the clock `ms` later (a late tick may go undrawn when MaxSkip allows).
  void RunFrameAfter(uint32_t ms);

  // FNV-1a of every active slot's number and fields (procedures and table references
  // left out, as their addresses differ between builds).
  static uint64_t PoolDigest();
  static int ActiveCount();

 private:
  pres::ImageArchive archive_;
  pres::ManualClock clock_{1000};
  pres::InputDevice input_;
  std::unique_ptr<pres::Display> display_;
  bool loaded_ = false;
};

}  // namespace tolvane::testing
