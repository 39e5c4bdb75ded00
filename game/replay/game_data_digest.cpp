#include "game/replay/game_data_digest.h"

#include <fstream>
#include <iterator>
#include <span>
#include <vector>

#include "game/engine/motion.h"
#include "game/engine/state_digest.h"
#include "game/flow/file_names.h"
#include "game/host/host_services.h"
#include "game/host/program_paths.h"
#include "game/play/player.h"
#include "game/play/speed_tables.h"
#include "game/play/stage_codes.h"
#include "game/replay/start_state.h"
#include "presentation/services.h"

namespace tolvane {
namespace {

void AddStageFiles(Fnv1a& h) {
  for (int32_t stage = 1; stage <= kStageCount; ++stage) {
    std::ifstream in(JoinProgramPath(Host().dataFolder(), StageFileName(stage)), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    h.Add(in ? bytes.size() : UINT64_MAX);  // a missing file differs from an empty one
    for (char c : bytes) h.Add(static_cast<uint8_t>(c), 1);
  }
}

void AddCodeTables(Fnv1a& h) {
  for (const StageCode& c : kStageCodes) {
    for (int64_t v : {int64_t{c.code}, int64_t(c.action), int64_t(c.layer), int64_t{c.image},
                      int64_t{c.flashImage}, int64_t{c.kind}, int64_t{c.hitScale},
                      int64_t{c.hitScalePerStage}, int64_t{c.patternPeriod}, int64_t{c.scoreValue},
                      int64_t{c.hitPoints}, int64_t{c.hitPointsPerStage}, int64_t{c.stopScroll}}) {
      h.Add(static_cast<uint64_t>(v));
    }
  }
  for (int16_t picture : kPictureList) h.Add(static_cast<uint16_t>(picture), 2);
  for (SpeedTable table :
       {SpeedTable(GlideTable), SpeedTable(LaunchTable), SpeedTable(RetreatTable),
        SpeedTable(SoftGlideTable), SpeedTable(SerpentTable), SpeedTable(PullTable),
        SpeedTable(StrongPullTable)}) {
    for (const SpeedRow& row : table)
      h.Add(static_cast<uint64_t>(row.frames) << 32 | uint32_t(row.speed));
  }
  for (const AnimRow* table : KnownAnimTables()) {
    for (const AnimRow* row = table; row != nullptr && row->image != kAnimEnd; ++row)
      h.Add(static_cast<uint64_t>(row->image) << 32 | uint32_t(row->frames));
  }
  for (int32_t phase : kOrbPhases) h.Add(static_cast<uint32_t>(phase), 4);
}

void AddArchive(Fnv1a& h) {
  const pres::ImageArchive* archive = pres::Services().archive;
  if (archive == nullptr) return;
  for (const pres::ImageEntry& e : archive->Entries()) {
    for (int32_t v : {e.picture.width, e.picture.height, e.patternWidth, e.patternHeight,
                      e.skipWidth, e.skipHeight})
      h.Add(static_cast<uint32_t>(v), 4);
  }
}

}  // namespace

uint64_t GameDataDigest() {
  Fnv1a h;
  AddStageFiles(h);
  AddCodeTables(h);
  AddArchive(h);
  return h.Value();
}

}  // namespace tolvane
