#pragma once
// One run of the game without window or sound: start-up as the window program does it,
// then N frames on a virtual clock that makes every frame a drawn one, keys from a pad
// source, a digest line per frame and, when asked, the pictures as PNG files.
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

#include "tools/headless/pad_source.h"

namespace tolvane::headless {

struct RunOptions {
  std::string dataDirectory;  // where tolvgfx.dxg and the other files lie
  int32_t frames = 300;
  std::string pngDirectory;    // empty: no pictures
  int32_t pngEvery = 1;        // a picture every this many frames
  std::function<bool()> done;  // asked after every frame: true ends the run early
  bool record = false;         // games started from the title are kept as replays
  std::string replayFolder{};  // where replays are kept; empty: the user's replays folder
  std::string replayFile{};    // watched after the boot frame; the run ends with it
};

// Writes "frame <FrameCount> <digest as 16 hex digits>" per frame to `digests`. Returns
// the exit status: 0 when the frames ran (or the game asked to quit, or `done` ended the
// run, or the replay was watched to its end), 1 when start-up failed, a picture could not be
// written, or the replay could not be played or went astray (said on standard error).
int RunHeadless(const RunOptions& options, PadSource* keys, std::ostream& digests);

}  // namespace tolvane::headless
