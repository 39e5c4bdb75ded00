// Every behaviour's fire chance and shot speed, one row each, on stage 2 (so an aimed shot
// of EnemyFire flies at its speed + 1). A chance is pinned exactly: stream 0 is wound on,
// by an own copy of its formula, until its next value is the chance, and the behaviour must
// fire in that frame; wound to a value one above, it must not.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/beam_boss.h"
#include "game/play/bosses/circler_boss.h"
#include "game/play/bosses/final_boss.h"
#include "game/play/bosses/fortress_boss.h"
#include "game/play/bosses/gunship_enemy.h"
#include "game/play/bosses/lancer_boss.h"
#include "game/play/bosses/spiral_boss.h"
#include "game/play/enemies/crawlers.h"
#include "game/play/enemies/gunners.h"
#include "game/play/enemy_behaviours.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/stage_parts.h"
#include "tests/bosses/boss_fixture.h"

namespace tolvane {
namespace {

constexpr int32_t kStage = 2;
constexpr int32_t kNoChance = -1000;  // the row's shots come on a fixed frame, not by chance

// The number of values stream 0 gives, from its reset, before the first one equal to v (of
// range 1000), by the stream's formula worked by hand.
int CallsBefore(uint32_t v) {
  uint32_t seed = 918287;
  for (uint32_t counter = 1; counter < 100000; ++counter) {
    seed = seed * 1566083941u + 1u + counter;
    if (seed % 1000 == v) return static_cast<int>(counter - 1);
  }
  return -1;
}

struct Row {
  const char* name;
  int32_t code;  // the stage code that spawns it
  int32_t x, y;
  // Brings the actor to the frame in which it fires.
  std::function<void(TActor&)> prepare;
  int32_t chance;  // EnemyFire's chance, or kNoChance
  int32_t speed;   // as stored in the shots
  size_t shots;    // shots made in the firing frame
};

void Steps(TActor& a, int frames) {
  for (int i = 0; i < frames && a.Active != 0; ++i) a.Move(a);
}
auto StepsTo(MoveProc state) {
  return [state](TActor& a) {
    for (int i = 0; i < 500 && a.Active != 0 && a.Move != state; ++i) a.Move(a);
  };
}
auto Words(std::vector<std::pair<int, int32_t>> words, MoveProc state = nullptr) {
  return [words, state](TActor& a) {
    for (auto [word, value] : words) a.Work[static_cast<size_t>(word)] = value;
    if (state != nullptr) a.Move = state;
  };
}
void Nothing(TActor&) {}

std::vector<uint8_t> ActiveFlags() {
  std::vector<uint8_t> flags(kPoolSize);
  for (int32_t s = 0; s < kPoolSize; ++s) flags[static_cast<size_t>(s)] = ActorAt(s).Active;
  return flags;
}

class FireTableTest : public testing::BossTest {
 protected:
  void SetUp() override {
    BossTest::SetUp();
    harness_.BuildPlayScene(kStage);
    PlayerActor->X = 60;
    PlayerActor->Y = 160;
    PlayerActor->Move = nullptr;
  }

  // The actor a record of the code makes (the last one of them in slot order: a snake's
  // head lies above its body).
  static TActor* Spawn(const Row& row) {
    const std::vector<uint8_t> before = ActiveFlags();
    SpawnFromRecord(*FindStageCode(row.code), {0, row.code, row.x, row.y, 0});
    TActor* made = nullptr;
    for (int32_t s = 0; s < kPoolSize; ++s) {
      if (before[static_cast<size_t>(s)] == 0 && ActorAt(s).Active != 0) made = &ActorAt(s);
    }
    return made;
  }

  // One frame of the actor's behaviour with stream 0 wound on `calls` values; the speeds of
  // the shots it made.
  static std::vector<int32_t> FireFrame(TActor& actor, int calls) {
    RandomReset();
    for (int i = 0; i < calls; ++i) RandomNext(0, 1000);
    const std::vector<uint8_t> before = ActiveFlags();
    actor.Move(actor);
    std::vector<int32_t> speeds;
    for (int32_t s = 0; s < kPoolSize; ++s) {
      const TActor& a = ActorAt(s);
      const bool shot = a.Move == AimedShotMove || a.Move == PolarShotMove ||
                        a.Move == GrowingShotMove || a.Move == DartMove;
      if (before[static_cast<size_t>(s)] == 0 && a.Active != 0 && shot)
        speeds.push_back(a.Work[kShotSpeed]);
    }
    return speeds;
  }
};

TEST_F(FireTableTest, EveryBehaviourFiresWithItsChanceAndSpeed) {
  using Ws = std::vector<std::pair<int, int32_t>>;
  constexpr int32_t stageExtra = kStage - 1;  // EnemyFire adds StageNumber - 1 to the speed
  const Row rows[] = {
      // Regular enemies.
      {"Swooper's drift", 1, 140, 100, [](TActor& a) { Steps(a, 1); }, -1, 8, 1},
      {"Drifter", 10, 300, 100, Nothing, 20 * kStage + 20, 8, 1},
      {"Glider", 2, 300, 100, Nothing, 15, 8, 1},
      {"Splitter", 3, 400, 100, Nothing, 10 * kStage, 8, 1},
      {"TwinSplitter", 11, 400, 100, Nothing, 80, 8, 1},
      {"Charger's drift", 4, 120, 160, [](TActor& a) { Steps(a, 1); }, -1, 8, 1},
      {"Dart", 5, 400, 100, Nothing, 40, 8, 1},
      {"LoopFlier", 6, 300, 100, Nothing, 50, 8, 1},
      {"ArcFlier", 7, 300, 100, Nothing, 30, 8, 1},
      {"ArcFlierMirrored", 29, 300, 100, Nothing, 30, 8, 1},
      {"Lunger", 12, 400, 100, Nothing, 30, 8, 1},
      {"Waver", 13, 400, 100, Nothing, 100, 8, 1},
      {"Hopper", 14, 400, 100, Nothing, 30, 8, 1},
      {"Frog", 16, 400, 100, Nothing, 100, 8, 1},
      {"Zigzag", 18, 400, 100, Nothing, 50, 8, 1},
      {"ZigzagFast", 26, 400, 100, Nothing, 50, 8, 1},
      {"SinkerDown", 19, 400, 100, Nothing, 70, 8, 1},
      {"SinkerUp", 20, 400, 200, Nothing, 70, 8, 1},
      {"DiverDown", 25, 300, 0, Nothing, 70, 8, 1},
      {"DiverUp", 27, 300, 0, Nothing, 70, 8, 1},
      {"Snake", 28, 400, 160, Nothing, 10, 8, 1},
      {"CeilingCrawler landed", 21, 300, 100, StepsTo(Drifter), 50, 8, 1},
      {"FloorCrawler landed", 22, 300, 200, StepsTo(Drifter), 50, 8, 1},
      {"Gunner", 17, 410, 100, StepsTo(GunnerFiring), kNoChance, 11, 2},
      {"FanGunnerLow", 23, 70, 100, StepsTo(FanGunnerLowFan), kNoChance, 8, 9},
      {"FanGunnerHigh", 24, 70, 100, StepsTo(FanGunnerHighFan), kNoChance, 8, 9},
      {"Popper", 9, 300, 100, Words(Ws{{kHitPoints, 1999}}), kNoChance, 10, 2},
      // Bosses and the large enemies.
      {"CirclerBoss", 102, 400, 160, Nothing, 20, 8, 1},
      {"Circler volley", 102, 400, 160, Words(Ws{{kCirclerVolleyClock, 49}}, CirclerVolley),
       kNoChance, 20, 1},
      {"Large circler", 15, 400, 160, Nothing, 20, 8, 1},
      {"DrifterBoss", 113, 400, 160, Nothing, 20, 8, 1},
      {"Wanderer hurt", 100, 400, 160, Words(Ws{{kHitPoints, 5499}}), kNoChance, 8 + stageExtra, 1},
      {"Lancer patrol", 104, 400, 160, Words(Ws{{kLancerShotClock, 10}}), kNoChance, 8 + stageExtra,
       1},
      {"Lancer lance", 104, 400, 160, Words(Ws{{kLancerPhaseClock, 249}}), kNoChance, 25, 1},
      {"Gunship fan", 105, 352, 160,
       [](TActor& a) {
         StepsTo(GunshipAttack)(a);
         a.Work[kGunshipFireClock] = 19;
       },
       kNoChance, 8, 1},
      {"Beam patrol", 107, 400, 160, Words(Ws{{kBeamStepClock, 30}}), kNoChance, 23, 1},
      {"Beam patrol hurt", 107, 400, 160, Words(Ws{{kBeamStepClock, 30}, {kBeamHurt, 1}}),
       kNoChance, 35, 1},
      {"Beam segment", 107, 400, 160, Words(Ws{{kBeamPhaseClock, kBeamFires}}), kNoChance, 23, 1},
      {"SpiralBoss roaming", 108, 400, 160, Nothing, 50, 8, 1},
      {"SpiralBoss spiral", 108, 400, 160, Words(Ws{{kSpiralPhaseClock, 249}}), kNoChance, 10, 1},
      {"Fortress rays", 109, 460, 160,
       Words(Ws{{kFortressStepClock, 10}, {kFortressPhaseClock, 10}}, FortressRays), kNoChance, 32,
       1},
      {"Fortress dart", 109, 460, 160,
       Words(Ws{{kFortressStepClock, 2}, {kFortressPhaseClock, 10}}, FortressRetreat), kNoChance,
       20, 1},
      {"Final rays", 110, 300, 190,
       Words(Ws{{kFinalClock, 12}, {kFinalAimX, 60}, {kFinalAimY, 160}}, FinalRays), kNoChance, 32,
       1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SetUp();
    TActor* actor = Spawn(row);
    ASSERT_NE(actor, nullptr);
    row.prepare(*actor);
    ASSERT_NE(actor->Active, 0);
    const auto saved = ActorPool;
    if (row.chance == kNoChance) {
      EXPECT_EQ(FireFrame(*actor, 0), std::vector<int32_t>(row.shots, row.speed));
      continue;
    }
    const std::vector<int32_t> aimed(1, row.speed + stageExtra);
    if (row.chance >= 0) {
      EXPECT_EQ(FireFrame(*actor, CallsBefore(static_cast<uint32_t>(row.chance))), aimed)
          << "a value of " << row.chance << " fires";
      ActorPool = saved;
    }
    EXPECT_TRUE(FireFrame(*actor, CallsBefore(static_cast<uint32_t>(row.chance + 1))).empty())
        << "a value of " << row.chance + 1 << " does not";
  }

  // Pods: a pod launched by the fortress fires with chance 10.
  SetUp();
  LaunchPod(300, 200);
  TActor* pod = Running(WavePodMove);
  ASSERT_NE(pod, nullptr);
  const auto saved = ActorPool;
  EXPECT_EQ(FireFrame(*pod, CallsBefore(10)), std::vector<int32_t>(1, 8 + stageExtra));
  ActorPool = saved;
  EXPECT_TRUE(FireFrame(*pod, CallsBefore(11)).empty());

  // The final boss's core: an aimed shot at speed 6 whenever its clock passes 7.
  SetUp();
  TActor* boss = Spawn({"Final", 110, 0, 0, Nothing, 0, 0, 0});
  ASSERT_NE(boss, nullptr);
  boss->Move(*boss);  // its entry summons the core
  TActor* core = Running(FinalCore);
  ASSERT_NE(core, nullptr);
  core->Work[kCoreShotClock] = 6;
  EXPECT_TRUE(FireFrame(*core, 0).empty()) << "clock 7: not yet";
  EXPECT_EQ(FireFrame(*core, 0), std::vector<int32_t>(1, 6 + stageExtra)) << "clock 8";
}

}  // namespace
}  // namespace tolvane
