#pragma once
// The replay file: a small binary format of our own, described in README.md. Reading checks
// every size and value before anything is believed, and says what is wrong.
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "game/replay/replay_record.h"

namespace tolvane {

inline constexpr uint16_t kReplayVersion = 1;
inline constexpr size_t kReplayHeaderSize = 64;
// Ten hours of play: more frames than that is not a file of ours.
inline constexpr uint32_t kMostReplayFrames = 1125000;

std::vector<uint8_t> EncodeReplay(const Replay& replay);

enum class ReplayFault { NotAReplay, Truncated, Corrupted, OtherVersion };
struct ReplayFileError {
  ReplayFault fault;
  uint16_t version = 0;  // with OtherVersion
};

// The whole replay, or what is wrong with the bytes.
std::variant<Replay, ReplayFileError> DecodeReplay(std::span<const uint8_t> bytes);

}  // namespace tolvane
