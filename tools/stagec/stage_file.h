#pragma once
// Stage files as bytes: a flat list of 20-byte little-endian records.
#include <cstdint>
#include <vector>

#include "game/play/stage_codes.h"

namespace stagec {

struct DecodedStage {
  std::vector<tolvane::StageRecord> records;
  size_t trailingBytes = 0;  // a partial record at the end, which the game ignores
};

DecodedStage DecodeStageFile(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> EncodeStageFile(const std::vector<tolvane::StageRecord>& records);

}  // namespace stagec
