// Damage, kills, combos, big blasts, drops, items, target picking and enemy fire.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/random_streams.h"
#include "game/engine/text_actors.h"
#include "game/engine/text_slots.h"
#include "game/play/blasts.h"
#include "game/play/damage.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/items.h"
#include "game/play/missiles.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"
#include "tests/support/play_harness.h"

namespace tolvane {
namespace {

using testing::PlayHarness;

class ScoringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.UsePlaySizes();
    harness_.BuildPlayScene(2, 1);
    PlayHarness::LoadScript({});
    harness_.PlacePlayer(40, 160);
  }
  // A still enemy of the worth and hit points at (x, y), 32 x 32.
  static TActor& Enemy(int32_t x, int32_t y, int32_t score, int32_t hitPoints, int32_t drop = 0) {
    TActor& e = NewActor(LayerBack);
    SetImage(e, pic::kSwooper);
    e.X = x;
    e.Y = y;
    e.Kind = KindEnemy;
    SetEnemyWords(e, drop, score, hitPoints);
    return e;
  }
  static void Hit(TActor& enemy, int32_t damage, int32_t level = 0) {
    enemy.Work[kPendingDamage] = damage;
    ApplyDamage(enemy, level);
  }
  static std::vector<TActor*> Active(MoveProc move) {
    std::vector<TActor*> found;
    for (TActor& a : ActorPool) {
      if (a.Active != 0 && a.Move == move) found.push_back(&a);
    }
    return found;
  }
  static void FreeAll(MoveProc move) {
    for (TActor* a : Active(move)) a->Active = 0;
  }

  PlayHarness harness_;
};

TEST_F(ScoringTest, HitPointsFallByTheDamageAndAKillScoresWorthTimesLevelPlusOne) {
  TActor& tough = Enemy(300, 100, 100, 11);
  Hit(tough, 10);
  EXPECT_EQ(tough.Active, 1);
  EXPECT_EQ(tough.Work[kHitPoints], 1);
  EXPECT_EQ(tough.Work[kPendingDamage], 0);
  EXPECT_EQ(Score, 0);

  TActor& weak = Enemy(300, 200, 100, 10);
  Hit(weak, 10);
  EXPECT_EQ(weak.Active, 0);
  EXPECT_EQ(Score, 100) << "a direct hit scores the worth once";
  Hit(Enemy(300, 100, 100, 1), 5, 1);
  EXPECT_EQ(Score, 300) << "a level-1 blast doubles it";
  Hit(Enemy(300, 100, 100, 1), 5, 3);
  EXPECT_EQ(Score, 700) << "a level-3 blast fourfolds it";
}

TEST_F(ScoringTest, AKillMakesThreeBlastsOfTheNextLevelAndShowsItsPoints) {
  Hit(Enemy(300, 100, 400, 1), 1, 2);
  const auto blasts = Active(BlastMove);
  ASSERT_EQ(blasts.size(), 3u);
  std::multiset<int32_t> damage, drift;
  for (TActor* b : blasts) {
    EXPECT_EQ(b->Work[kBlastLevel], 3);
    EXPECT_EQ(b->Work[kBlastDelay], 5);
    damage.insert(b->Work[kBlastDamage]);
    drift.insert(b->Work[kBlastDrift]);
    EXPECT_GE(b->X, 300 - 16 + 1);
    EXPECT_LE(b->X, 300 + 16);
  }
  EXPECT_EQ(damage, (std::multiset<int32_t>{6, 7, 7}));
  EXPECT_EQ(drift, (std::multiset<int32_t>{-2, 0, 2}));
  EXPECT_EQ(MaxCombo, 3);

  // The number: blinking text at (x - 10, y - 10), 70 %, for 50 frames.
  const TActor* text = nullptr;
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Draw == BlinkWait) text = &a;
  }
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->X, 290);
  EXPECT_EQ(text->Y, 90);
  EXPECT_EQ(text->ScaleX, 70);
  EXPECT_EQ(text->Work[1], 50);
  EXPECT_STREQ(TextSlotText(text->Work[0]), "1200");
}

TEST_F(ScoringTest, AKillAtTheLeftEdgeShowsItsNumberThereNotInTheMiddle) {
  Hit(Enemy(4, 100, 100, 1), 1);
  const TActor* text = nullptr;
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Draw == BlinkWait) text = &a;
  }
  ASSERT_NE(text, nullptr) << "the kill shows its number";
  EXPECT_EQ(text->X, 0);
  EXPECT_STREQ(TextSlotText(text->Work[0]), "100");
}

TEST_F(ScoringTest, AnEnemyWorthThreeDiesWithoutBlasts) {
  Hit(Enemy(300, 100, 3, 1), 1);
  EXPECT_EQ(Score, 3);
  EXPECT_TRUE(Active(BlastMove).empty());
  EXPECT_EQ(MaxCombo, 0);
}

TEST_F(ScoringTest, BigKillsLeaveBigBlastsOfTenFiftyOrHundredThirtyFrames) {
  const std::pair<int32_t, int32_t> cases[] = {{30000, 130}, {29999, 50}, {10000, 50},
                                               {9999, 10},   {1000, 10},  {999, 0}};
  for (auto [worth, frames] : cases) {
    FreeAll(BigBlastMove);
    Hit(Enemy(300, 100, worth, 1), 1);
    const auto big = Active(BigBlastMove);
    if (frames == 0) {
      EXPECT_TRUE(big.empty()) << worth;
      continue;
    }
    ASSERT_EQ(big.size(), 1u) << worth;
    EXPECT_EQ(big[0]->Work[kBigBlastFrames], frames) << worth;
    EXPECT_EQ(big[0]->Width, 32);
    EXPECT_EQ(big[0]->X, 300);
  }
  // It throws a level-1 blast of damage 2 every frame until its time is up.
  FreeAll(BigBlastMove);
  FreeAll(BlastMove);
  MaxCombo = 0;
  Hit(Enemy(300, 100, 1000, 1), 1);
  FreeAll(BlastMove);
  TActor& big = *Active(BigBlastMove)[0];
  for (int i = 0; i < 9; ++i) BigBlastMove(big);
  EXPECT_EQ(Active(BlastMove).size(), 9u);
  EXPECT_EQ(Active(BlastMove)[0]->Work[kBlastDamage], 2);
  EXPECT_EQ(MaxCombo, 1);
  BigBlastMove(big);
  EXPECT_EQ(big.Active, 0);
}

TEST_F(ScoringTest, NothingIsHurtBeyondTheRightEdgeOrAfterTheLastTail) {
  TActor& far = Enemy(481, 100, 100, 10);
  Hit(far, 50);
  EXPECT_EQ(far.Work[kHitPoints], 10);
  EXPECT_EQ(far.Work[kPendingDamage], 50) << "kept while beyond the edge";
  TActor& edge = Enemy(480, 100, 100, 10);
  Hit(edge, 5);
  EXPECT_EQ(edge.Work[kHitPoints], 5);
  Tails = 0;
  Hit(edge, 50);
  EXPECT_EQ(edge.Active, 1);
  EXPECT_EQ(edge.Work[kHitPoints], 5);
}

TEST_F(ScoringTest, ABossKillResumesTheScriptAndClearsEnemiesAndTheirShots) {
  StageActor->Move = nullptr;  // as a boss phase might leave it
  ScriptPos = 4;
  TActor& boss = Enemy(300, 100, 35000, 1);
  TActor& other = Enemy(200, 50, 100, 50);
  TActor& shot = NewAimedShot(12, 100, 100, 0, 0, 8);
  TActor& item = NewActor(LayerBack);
  item.Kind = KindItem;
  Hit(boss, 1);
  EXPECT_EQ(StageActor->Move, &RunStageScript);
  EXPECT_EQ(ScriptPos, 5);
  EXPECT_EQ(other.Active, 0);
  EXPECT_EQ(shot.Active, 0);
  EXPECT_EQ(item.Active, 1);
  EXPECT_EQ(Score, 35000) << "the other enemy is cleared without score";
  // Three blasts of the kill, plus one for each enemy cleared (the boss among them).
  EXPECT_EQ(Active(BlastMove).size(), 5u);

  // Worth 19999 or less does not end a boss fight.
  Hit(Enemy(300, 100, 18000, 1), 1);
  EXPECT_EQ(ScriptPos, 5);
}

TEST_F(ScoringTest, DropsGiveTheSelectedWeaponOrAtLevelFiftyOneOfTheOthers) {
  TActor& player = *PlayerActor;
  player.Work[kWeapon] = 1;
  for (int32_t drop : {1, 2, 3}) {
    FreeAll(ItemMove);
    Hit(Enemy(300, 100, 100, 1, drop), 1);
    const auto items = Active(ItemMove);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->Image, pic::kWeaponSpread);
    EXPECT_EQ(items[0]->Work[kItemType], 2);
    EXPECT_EQ(items[0]->Kind, KindItem);
    EXPECT_EQ(items[0]->HitScale, 150);
  }
  WeaponLevel(player, 1) = 50;
  std::multiset<int32_t> types;
  for (int i = 0; i < 40; ++i) {
    FreeAll(ItemMove);
    Hit(Enemy(300, 100, 100, 1, 2), 1);
    types.insert(Active(ItemMove)[0]->Work[kItemType]);
  }
  EXPECT_EQ(types.count(2), 0u) << "never the weapon already at 50";
  EXPECT_GT(types.count(1), 5u);
  EXPECT_GT(types.count(3), 5u);

  FreeAll(ItemMove);
  Hit(Enemy(300, 100, 100, 1, 4), 1);
  ASSERT_EQ(Active(ItemMove).size(), 1u);
  EXPECT_EQ(Active(ItemMove)[0]->Image, pic::kProtection);
  FreeAll(ItemMove);
  for (int32_t drop : {0, 5, -1}) Hit(Enemy(300, 100, 100, 1, drop), 1);
  EXPECT_TRUE(Active(ItemMove).empty());
}

TEST_F(ScoringTest, ItemsBobLeftwardAndAreTakenByThePlayer) {
  TActor& source = Enemy(300, 100, 100, 1);
  TActor& item = SpawnItem(source, 36, 3);
  const int32_t born = FrameCount;
  for (int i = 1; i <= 10; ++i) {
    ++FrameCount;
    ItemMove(item);
    EXPECT_EQ(item.X, 300 - 3 * i);
    EXPECT_EQ(item.Y,
              100 + std::lround(std::sin((FrameCount - born) / 20.0 * 3.141592653589793) * 5));
  }
  EXPECT_EQ(item.Y, 105) << "the top of the bob, 10 frames in";

  // A weapon item raises its own weapon; the display shows the selected one.
  TActor& player = *PlayerActor;
  WeaponLevel(player, 0) = 7;
  WeaponLevel(player, 2) = 49;
  item.X = player.X;
  item.Y = player.Y;
  item.Work[kItemBaseY] = player.Y;
  ItemMove(item);
  EXPECT_EQ(item.Active, 0);
  EXPECT_EQ(WeaponLevel(player, 2), 50);
  EXPECT_EQ(ActorAt(player.Work[kLevelDigit]).Pattern, 7) << "weapon 0 is still shown";
  TActor& again = SpawnItem(player, 36, 3);
  ItemMove(again);
  EXPECT_EQ(WeaponLevel(player, 2), 50) << "at most 50";

  // Protection: the first empty orb from slot 0 up; with all 8 filled it is used up for nothing.
  harness_.FillOrbs(2);
  ProtectionActors[0]->Image = kNoImage;
  ItemMove(SpawnItem(player, 37, 4));
  EXPECT_EQ(ProtectionActors[0]->Image, kOrbImage);
  EXPECT_EQ(ProtectionActors[2]->Image, kNoImage);
  harness_.FillOrbs(8);
  TActor& spare = SpawnItem(player, 37, 4);
  ItemMove(spare);
  EXPECT_EQ(spare.Active, 0);

  TActor& lost = SpawnItem(Enemy(-20, 100, 100, 1), 35, 2);
  ItemMove(lost);
  EXPECT_EQ(lost.Active, 0) << "wholly off the left edge";
}

TEST_F(ScoringTest, BlastsWaitTheirDelayAndStrikeOnlyTheFirstEnemyTheyTouch) {
  TActor& first = Enemy(300, 100, 100, 100);
  TActor& second = Enemy(302, 101, 100, 100);
  TActor& blast = SpawnBlast(first, 2, 40, 0, 1);
  blast.X = 300;
  blast.Y = 100;
  BlastMove(blast);
  EXPECT_EQ(first.Work[kHitPoints], 100) << "still waiting";
  BlastMove(blast);
  EXPECT_EQ(first.Work[kHitPoints], 60);
  EXPECT_EQ(second.Work[kHitPoints], 100);
  BlastMove(blast);
  EXPECT_EQ(first.Work[kHitPoints], 60) << "it strikes once";

  // A chain: a level-2 blast kills, scoring x3 and making level-3 blasts.
  TActor& weak = Enemy(200, 200, 100, 5);
  TActor& chain = SpawnBlast(weak, 0, 10, 0, 1);
  chain.X = 200;
  chain.Y = 200;
  Score = 0;
  BlastMove(chain);
  EXPECT_EQ(Score, 300);
  EXPECT_EQ(MaxCombo, 3);
}

TEST_F(ScoringTest, PickTargetPrefersNearSmallEnemiesThenBigOnesAndSharesOnlyWhenClose) {
  TActor& reference = *PlayerActor;  // at (40, 160)
  TActor& small = Enemy(200, 160, 100, 10);
  TActor& nearer = Enemy(150, 160, 100, 10);
  EXPECT_EQ(PickTarget(reference), SlotOf(nearer));
  EXPECT_EQ(nearer.Work[kLockCount], 1);
  EXPECT_EQ(PickTarget(reference), SlotOf(small)) << "a locked enemy is passed over when far";

  TActor& big = Enemy(400, 300, 20000, 10);
  EXPECT_EQ(PickTarget(reference), SlotOf(big)) << "nothing near: the big one";
  TActor& close = Enemy(60, 170, 100, 10);
  EXPECT_EQ(PickTarget(reference), SlotOf(close)) << "within 141 pixels beats a big one";
  EXPECT_EQ(PickTarget(reference), SlotOf(close)) << "locked but within 100 pixels: shared";

  // All locked and far: the nearest, the later slot on a tie.
  for (TActor& a : ActorPool) {
    if (a.Kind == KindEnemy) a.Active = 0;
  }
  TActor& a = Enemy(200, 160, 100, 10);
  TActor& b = Enemy(40, 320, 100, 10);
  a.Work[kLockCount] = b.Work[kLockCount] = 3;
  EXPECT_EQ(PickTarget(reference), SlotOf(b));
  EXPECT_EQ(b.Work[kLockCount], 4);
  b.Active = a.Active = 0;
  EXPECT_EQ(PickTarget(reference), kNoTarget);
}

TEST_F(ScoringTest, EnemyFireChancesAndItsShot) {
  TActor& enemy = Enemy(300, 100, 100, 10);
  auto shotsFired = [&](int32_t chance, int frames) {
    FreeAll(AimedShotMove);
    int fired = 0;
    for (int i = 0; i < frames; ++i) {
      EnemyFire(enemy, chance, 8);
      fired += static_cast<int>(Active(AimedShotMove).size());
      FreeAll(AimedShotMove);
    }
    return fired;
  };
  EXPECT_EQ(shotsFired(999, 300), 300);
  EXPECT_EQ(shotsFired(-1, 3000), 0);
  const int rare = shotsFired(0, 20000);
  EXPECT_GE(rare, 5);
  EXPECT_LE(rare, 40) << "about one frame in 1000";

  EnemyFire(enemy, 999, 8);
  TActor& shot = *Active(AimedShotMove)[0];
  EXPECT_EQ(shot.Kind, KindEnemyShot);
  EXPECT_EQ(shot.Image, pic::kBullet);
  EXPECT_EQ(shot.PatternPeriod, 5);
  EXPECT_EQ(shot.Work[kShotSpeed], 9) << "speed + stage 2 - 1";
  EXPECT_EQ(shot.Work[kTargetX], 40);
  EXPECT_EQ(shot.Work[kTargetY], 160);
  EXPECT_GE(SlotOf(shot), 1);
  EXPECT_LE(SlotOf(shot), 300) << "front layer";
}

}  // namespace
}  // namespace tolvane
