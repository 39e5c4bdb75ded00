// The spawn codes: an actor with the look and enemy words of its stage-code row, the start
// values its spawn procedure sets, and its behaviour; both procedures come from the row.
#include "game/engine/actor_pool.h"
#include "game/play/backdrop.h"
#include "game/play/boss_behaviours.h"
#include "game/play/enemies/chains.h"
#include "game/play/enemy_behaviours.h"
#include "game/play/enemy_words.h"
#include "game/play/escorts.h"
#include "game/play/game_state.h"
#include "game/play/stage_parts.h"

namespace tolvane {

namespace {

struct SpawnProcs {
  SpawnProc spawn;
  MoveProc move;
};

// The stage codes' own table, read for its last two columns: the row for a code and its
// procedures have one index.
// clang-format off
#define TOLVANE_SPAWN_PROCS(code, name, action, layer, image, flash, kind, hitScale,            \
                            hitScalePerStage, patternPeriod, score, hitPoints,                  \
                            hitPointsPerStage, stopScroll, spawn, move)                         \
  SpawnProcs{spawn, move},
constexpr std::array kSpawnProcs = {TOLVANE_STAGE_CODES(TOLVANE_SPAWN_PROCS)};
#undef TOLVANE_SPAWN_PROCS
// clang-format on
static_assert(kSpawnProcs.size() == kStageCodes.size());

const SpawnProcs& ProcsOf(const StageCode& code) {
  return kSpawnProcs[static_cast<size_t>(FindStageCode(code.code) - kStageCodes.data())];
}

}  // namespace

void SpawnFromRecord(const StageCode& code, const StageRecord& record) {
  const SpawnProcs& procs = ProcsOf(code);
  if (code.stopScroll) SetScrollSpeeds(0, 0);
  const uint8_t layer = code.layer == Layer::Front ? LayerFront : LayerBack;
  // The snake's body is taken before its head, so it is drawn under it.
  TActor& a =
      procs.move == Snake ? NewSnakeWithBody(layer, record.ArgX, record.ArgY) : NewActor(layer);
  const int32_t stage = StageNumber();
  a.X = record.ArgX;
  a.Y = record.ArgY;
  if (code.image != kSpawnAnimated) SetImage(a, code.image);
  if (code.flashImage != kSpawnOwnFlash) a.FlashImage = code.flashImage;
  a.Kind = static_cast<uint8_t>(code.kind);
  a.HitScale = code.hitScale + code.hitScalePerStage * stage;
  a.PatternPeriod = code.patternPeriod;
  SetEnemyWords(a, record.Extra, code.scoreValue, code.hitPoints + code.hitPointsPerStage * stage);
  if (procs.spawn != nullptr) procs.spawn(a);
  a.Move = procs.move;
}

}  // namespace tolvane
