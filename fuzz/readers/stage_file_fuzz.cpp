// libFuzzer target: any bytes load as a stage script of whole 20-byte records, at most the
// record limit, always followed by the terminator, and a second load of the same bytes
// gives the same script.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/play/stage_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tolvane;
  const std::span<const uint8_t> bytes(data, size);
  const int32_t length = LoadStageScript(bytes);
  const size_t whole = size / kStageRecordSize;
  if (length < 0 || length > kMaxStageRecords ||
      static_cast<size_t>(length) !=
          (whole < size_t(kMaxStageRecords) ? whole : size_t(kMaxStageRecords)))
    std::abort();
  const StageRecord& end = StageScript[static_cast<size_t>(length)];
  if (end.Time != 0 || end.Code != 0 || end.ArgX != 0 || end.ArgY != 0) std::abort();
  if (ScriptPos != 0 || ScriptClock != 0) std::abort();
  const auto first = StageScript;
  if (LoadStageScript(bytes) != length) std::abort();
  for (int32_t i = 0; i < length; ++i) {
    const StageRecord& a = first[static_cast<size_t>(i)];
    const StageRecord& b = StageScript[static_cast<size_t>(i)];
    if (a.Time != b.Time || a.Code != b.Code || a.ArgX != b.ArgX || a.ArgY != b.ArgY) std::abort();
  }
  return 0;
}
