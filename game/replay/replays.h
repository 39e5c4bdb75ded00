#pragma once
// The replays of one run of the program. Every game started from the title is recorded and
// saved to the replays folder when it ends (game over without continue, the ending's return
// to the title, another game started, or the program closing). A kept replay can be watched:
// the game then runs on the recorded input and drawing decisions, checks the state digests as
// it goes, and returns to the title at the end; the keyboard plays no part but the watcher's
// own keys (stop, fast forward), which the window routes here.
//
// Installs itself around every frame (ReplayTap) and in the flow (game_watch.h); the program's
// frame timer handler is ReplayTick around its frame driver. Messages go to ShowMessageBox.
#include <string>
#include <vector>

#include "game/replay/replay_store.h"

namespace tolvane {

// Frames run per tick while watching fast.
inline constexpr int kFastForwardFrames = 4;

struct ReplayOptions {
  std::string folder = DefaultReplayFolder();
  bool record = true;  // record the games played
};

void StartReplays(const ReplayOptions& options);
// The program is closing: a game being recorded ends here and is saved; the hooks go.
void StopReplays();

// The frame timer's handler around runFrame (the frame driver): starts a watch asked for
// (between frames, once the boot frame has run), then runs one frame, or kFastForwardFrames
// while watching fast.
void ReplayTick(void (*runFrame)());

// Watches the file from the next tick on. A file that cannot be played says why in a box
// and changes nothing.
void WatchReplay(const std::string& path);
// True while a replay is watched, up to its last frame (the title comes back before the next).
bool Watching();
void SetFastForward(bool fast);
// Ends watching: back to the title with the options and high scores as they were.
void StopWatching();

enum class WatchOutcome { None, Refused, Played, Stopped, Desync };
// How the last watch ended.
WatchOutcome LastWatchOutcome();

// The replays in the folder, newest first.
std::vector<KeptReplay> KeptReplays();

}  // namespace tolvane
