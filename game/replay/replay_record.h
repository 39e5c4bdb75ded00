#pragma once
// One recorded game as the replay file holds it: what it was recorded with, what it came to,
// the state the game began from, the input of every frame (in runs of equal frames), the
// frame rate shown on the way, and a state digest every kDigestEvery frames.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/engine/actor.h"
#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/flow/flow_state.h"
#include "game/flow/high_scores.h"
#include "game/replay/frame_sample.h"

namespace tolvane {

inline constexpr uint32_t kDigestEvery = 60;
// The stage reached by a game that got to the ending.
inline constexpr int32_t kEndingReached = 6;

// When the game was recorded (the file's date, local time).
struct ReplayDate {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
};

struct RankRecord {
  std::string name;
  int32_t score = 0;
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
};

// What a freed slot keeps for its next occupant: its Work words and animation table.
struct Leftover {
  std::array<int32_t, kWorkWords> work{};
  uint8_t animTable = 0;  // index in kKnownAnimTables
};
// The pool's slots, then the scratch actor.
inline constexpr size_t kLeftoverCount = kPoolSize + 1;

// Option bits.
inline constexpr uint8_t kOptionBackground = 1;
inline constexpr uint8_t kOptionBothLayers = 2;
inline constexpr uint8_t kOptionMusic = 4;
inline constexpr uint8_t kOptionSound = 8;

// Everything a game can depend on that NewGame and the stage start do not set again, as it
// stood when NewGame was about to run.
struct StartState {
  int32_t frameCount = 0;   // FrameCount of the game's first frame
  int32_t newGameSlot = 0;  // the slot whose actor ran NewGame
  int32_t keySequenceIndex = 0;
  uint8_t options = 0;
  int32_t startStage = 1;
  std::array<int32_t, kStartWeapons> startWeaponLevel{};
  int32_t maxSkip = 0;  // for the listing only: drawing is replayed frame by frame
  int32_t frameRate = 0;
  RandomState random{};
  std::array<RankRecord, kRankCount> ranks{};
  std::vector<Leftover> leftovers = std::vector<Leftover>(kLeftoverCount);
};

struct SampleRun {
  FrameSample sample = 0;
  uint32_t frames = 0;
};

struct RateChange {
  uint32_t frame = 0;  // counted from the game's first frame, 0
  int32_t rate = 0;
};

struct Replay {
  uint64_t dataDigest = 0;
  ReplayDate date;
  int32_t finalScore = 0;
  int32_t stageReached = 1;  // 1-5, or kEndingReached
  uint32_t frames = 0;
  uint64_t finalDigest = 0;  // after the last frame
  StartState start;
  std::vector<SampleRun> runs;
  std::vector<RateChange> rates;
  std::vector<uint64_t> digests;  // after frames kDigestEvery, 2 × kDigestEvery, ...
};

}  // namespace tolvane
