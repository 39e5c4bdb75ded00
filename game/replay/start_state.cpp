#include "game/replay/start_state.h"

#include <algorithm>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/sound.h"
#include "game/engine/text_slots.h"
#include "game/flow/boot_scene.h"
#include "game/flow/game_progress.h"
#include "game/play/blasts.h"
#include "game/play/enemies/splitters.h"
#include "game/play/game_state.h"

namespace tolvane {
namespace {

uint8_t AnimTableIndex(const AnimRow* table) {
  const auto& known = KnownAnimTables();
  const auto found = std::find(known.begin(), known.end(), table);
  return found == known.end() ? 0 : static_cast<uint8_t>(found - known.begin());
}

TActor& LeftoverOwner(size_t n) {
  return n < kPoolSize ? ActorPool[n] : ScratchActor;
}

uint8_t Options() {
  uint8_t options = 0;
  if (BackgroundShown) options |= kOptionBackground;
  if (BackgroundBothLayers) options |= kOptionBothLayers;
  if (MusicEnabled) options |= kOptionMusic;
  if (SoundEnabled != 0) options |= kOptionSound;
  return options;
}

// The recorded frame ran TitleKeyWatcher before NewGame; its effect is in the start state.
void ResumeKeyWatcher() {
  SceneProc = TitleKeyWatcher;
}

}  // namespace

const std::array<const AnimRow*, 4>& KnownAnimTables() {
  static const std::array<const AnimRow*, 4> tables = {nullptr, kSplitterAnim, BlastAnimA,
                                                       BlastAnimB};
  return tables;
}

StartState CaptureStartState(const TActor& newGameActor) {
  StartState s;
  s.frameCount = FrameCount;
  s.newGameSlot = SlotOf(newGameActor);
  s.keySequenceIndex = KeySequenceIndex;
  s.options = Options();
  s.startStage = StartStage;
  s.startWeaponLevel = StartWeaponLevel;
  s.maxSkip = MaxSkip;
  s.frameRate = FrameRate;
  s.random = CurrentRandomState();
  for (size_t n = 0; n < s.ranks.size(); ++n)
    s.ranks[n] = {RankName[n], RankScore[n], RankYear[n], RankMonth[n], RankDay[n]};
  for (size_t n = 0; n < kLeftoverCount; ++n) {
    const TActor& a = LeftoverOwner(n);
    s.leftovers[n] = {a.Work, AnimTableIndex(a.AnimTable)};
  }
  return s;
}

void RestoreStartState(const StartState& s) {
  ClearAllActors();
  for (size_t n = 0; n < kLeftoverCount && n < s.leftovers.size(); ++n) {
    TActor& a = LeftoverOwner(n);
    a.Work = s.leftovers[n].work;
    a.AnimTable =
        KnownAnimTables()[std::min<size_t>(s.leftovers[n].animTable, KnownAnimTables().size() - 1)];
  }
  TActor& starter = ActorAt(s.newGameSlot);
  starter.Active = 1;
  starter.Move = NewGame;

  FrameCount = s.frameCount - 1;
  SceneProc = ResumeKeyWatcher;
  FrameRate = s.frameRate;
  KeySequenceIndex = s.keySequenceIndex;
  BackgroundShown = (s.options & kOptionBackground) != 0;
  BackgroundBothLayers = (s.options & kOptionBothLayers) != 0;
  MusicEnabled = (s.options & kOptionMusic) != 0;
  SoundEnabled = (s.options & kOptionSound) != 0 ? 1 : 0;
  StartStage = s.startStage;
  StartWeaponLevel = s.startWeaponLevel;
  RestoreRandomState(s.random);
  for (size_t n = 0; n < s.ranks.size(); ++n) {
    RankName[n] = s.ranks[n].name;
    RankScore[n] = s.ranks[n].score;
    RankYear[n] = s.ranks[n].year;
    RankMonth[n] = s.ranks[n].month;
    RankDay[n] = s.ranks[n].day;
  }
}

}  // namespace tolvane
