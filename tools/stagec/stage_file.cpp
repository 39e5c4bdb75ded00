#include "tools/stagec/stage_file.h"

namespace stagec {

DecodedStage DecodeStageFile(const std::vector<uint8_t>& bytes) {
  DecodedStage out;
  const size_t count = bytes.size() / tolvane::kStageRecordSize;
  out.records.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    out.records.push_back(tolvane::DecodeStageRecord(bytes.data() + i * tolvane::kStageRecordSize));
  }
  out.trailingBytes = bytes.size() % tolvane::kStageRecordSize;
  return out;
}

std::vector<uint8_t> EncodeStageFile(const std::vector<tolvane::StageRecord>& records) {
  std::vector<uint8_t> bytes(records.size() * tolvane::kStageRecordSize);
  for (size_t i = 0; i < records.size(); ++i) {
    tolvane::EncodeStageRecord(records[i], bytes.data() + i * tolvane::kStageRecordSize);
  }
  return bytes;
}

}  // namespace stagec
