#include "game/play/stage_script.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "game/engine/frame_state.h"
#include "game/engine/random_streams.h"
#include "game/engine/text_slots.h"
#include "game/play/game_state.h"
#include "game/play/play_field.h"
#include "game/play/stage_parts.h"
#include "game/play/stage_texts.h"

namespace tolvane {

std::array<StageRecord, kStageScriptSize> StageScript{};
int32_t ScriptLength = 0;
int32_t ScriptPos = 0;
int32_t ScriptClock = 0;

namespace {

// ArgY 0 stands for a random height from stream 1.
constexpr int32_t kRandomYStream = 1;

// The record at ScriptPos. A position past the terminator (a boss killed after the last
// record) reads the terminator, so records left over from an earlier, longer stage never
// fire and nothing past the table is read.
StageRecord& CurrentRecord() {
  const bool inside = ScriptPos >= 0 && ScriptPos <= ScriptLength;
  return StageScript[static_cast<size_t>(inside ? ScriptPos : ScriptLength)];
}

void WriteHud() {
  if (HudLine1 != nullptr) {
    std::snprintf(HudLine1, kTextSlotSize, kHudLine1Format, StageNumber(), Score, FrameRate);
  }
  if (HudLine2 != nullptr) std::snprintf(HudLine2, kTextSlotSize, kHudLine2Format, Tails, MaxCombo);
}

}  // namespace

int32_t LoadStageScript(std::span<const uint8_t> bytes) {
  const size_t count = std::min<size_t>(bytes.size() / kStageRecordSize, kMaxStageRecords);
  for (size_t i = 0; i < count; ++i)
    StageScript[i] = DecodeStageRecord(bytes.data() + i * kStageRecordSize);
  // The terminator keeps whatever Extra the slot held: only these four words count.
  StageRecord& end = StageScript[count];
  end.Time = end.Code = end.ArgX = end.ArgY = 0;
  ScriptLength = static_cast<int32_t>(count);
  ScriptPos = 0;
  ScriptClock = 0;
  return ScriptLength;
}

bool LoadStageFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  // Records beyond the first kMaxStageRecords are never used, so they are not read.
  std::vector<uint8_t> bytes(static_cast<size_t>(kMaxStageRecords) * kStageRecordSize);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) return false;
  bytes.resize(static_cast<size_t>(file.gcount()));
  LoadStageScript(bytes);
  return true;
}

void RunStageScript(TActor& actor) {
  WriteHud();
  for (;;) {
    StageRecord& record = CurrentRecord();
    if (record.Time != ScriptClock) {
      ScriptClock += 1;
      return;
    }
    // The defaults are written back, so a record examined again keeps its first values.
    if (record.ArgX == 0) record.ArgX = kOffFieldRight;
    if (record.ArgY == 0)
      record.ArgY = static_cast<int32_t>(RandomNext(kRandomYStream, kFieldHeight));
    if (record.Code == kCodeHalt) return;  // until a boss dies
    if (record.Code == kCodeStageClear) {
      actor.Move = StageClearHook;
      ScriptClock = 0;
      return;
    }
    PerformRecord(record);
    ScriptPos += 1;
  }
}

void ResumeAfterBoss() {
  StageActor->Move = RunStageScript;
  ScriptPos += 1;
}

void ResetStageScript() {
  StageScript.fill(StageRecord{});
  ScriptLength = 0;
  ScriptPos = 0;
  ScriptClock = 0;
}

}  // namespace tolvane
