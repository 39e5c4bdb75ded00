#include "tests/bosses/boss_fixture.h"

#include "game/engine/motion.h"
#include "game/play/damage.h"
#include "game/play/enemy_words.h"
#include "game/play/stage_codes.h"
#include "game/play/stage_script.h"

namespace tolvane::testing {

namespace {

constexpr int32_t kParkedX = 60;
constexpr int32_t kParkedY = 160;

}  // namespace

std::vector<StageRecord> BossStage(int32_t code, int32_t x, int32_t y) {
  return {{0, code, x, y, 0}, {0, kCodeHalt, 0, 0, 0}, {1, kCodeStageClear, 0, 0, 0}};
}

void UseBossSizes(PlayHarness& harness) {
  struct Size {
    int first, last, w, h, patterns;
  };
  static constexpr Size kSizes[] = {
      {13, 14, 160, 144, 2},    // gunship
      {18, 18, 16, 16, 4},      // seeds and volley bullets
      {19, 19, 32, 32, 3},      // growing shot
      {26, 27, 96, 96, 2},      // wanderer
      {28, 28, 160, 144, 2},    // gunship flash
      {52, 52, 24, 12, 1},      // dart
      {75, 76, 112, 96, 2},     // circler
      {79, 81, 128, 128, 2},    // lancer
      {82, 82, 64, 16, 1},      // lance
      {94, 100, 128, 128, 2},   // flash forms of the first bosses
      {110, 117, 320, 128, 2},  // beam boss
      {118, 118, 24, 24, 1},    // beam segment
      {119, 119, 8, 8, 2},      // charge particle
      {120, 120, 96, 96, 1},    // charge orb
      {129, 129, 16, 16, 2},    // spiral shot
      {141, 144, 128, 128, 3},  // spiral boss
      {157, 157, 32, 32, 1},    // pod
      {158, 158, 24, 24, 1},    // pod tail
      {159, 159, 32, 32, 1},    // pod flash
      {178, 181, 256, 256, 1},  // fortress
      {219, 224, 192, 192, 2},  // final boss
      {225, 226, 48, 48, 4},    // core
      {227, 227, 96, 320, 1},   // final beam
      {247, 252, 240, 320, 1},  // noise
      {260, 261, 96, 96, 1},    // drifter
  };
  harness.UsePlaySizes();
  for (const Size& size : kSizes) {
    for (int i = size.first; i <= size.last; ++i)
      harness.SetEntrySize(i, size.w, size.h, size.patterns);
  }
}

void NewArrivals::Mark() {
  wasActive_.assign(kPoolSize, 0);
  for (int32_t s = 0; s < kPoolSize; ++s) wasActive_[static_cast<size_t>(s)] = ActorAt(s).Active;
}

std::vector<TActor*> NewArrivals::WithImage(int32_t image) const {
  std::vector<TActor*> found;
  for (int32_t s = 0; s < kPoolSize; ++s) {
    TActor& a = ActorAt(s);
    if (wasActive_[static_cast<size_t>(s)] == 0 && a.Active != 0 && a.Image == image)
      found.push_back(&a);
  }
  return found;
}

void BossTest::SetUp() {
  UseBossSizes(harness_);
  harness_.BuildPlayScene(1);
  // The player stands still out of the way and touches nothing.
  PlayerActor->X = kParkedX;
  PlayerActor->Y = kParkedY;
  PlayerActor->Move = nullptr;
}

TActor& BossTest::SpawnBoss(int32_t code, int32_t x, int32_t y) {
  PlayHarness::LoadScript(BossStage(code, x, y));
  NewArrivals arrivals;
  harness_.RunFrames(1);
  frame_ = 1;
  TActor* boss = nullptr;
  for (int32_t s = 0; s < kPoolSize; ++s) {
    TActor& a = ActorAt(s);
    if (a.Active != 0 && a.Kind == KindEnemy && boss == nullptr) boss = &a;
  }
  EXPECT_NE(boss, nullptr) << "code " << code;
  if (boss == nullptr) return ScratchActor;
  // It lies above the stage actor, so it moved in the frame that made it.
  EXPECT_GT(SlotOf(*boss), SlotOf(*StageActor));
  return *boss;
}

void BossTest::Hit(TActor& enemy, int32_t damage) {
  enemy.Work[kPendingDamage] = damage;
  ApplyDamage(enemy, 0);
}

int BossTest::CountKind(uint8_t kind) {
  int count = 0;
  for (const TActor& a : ActorPool) count += a.Active != 0 && a.Kind == kind ? 1 : 0;
  return count;
}

TActor* BossTest::Running(MoveProc move) {
  TActor* found = nullptr;
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == move) found = &a;
  }
  return found;
}

std::vector<BossTest::Change> BossTest::Watch(const TActor& boss, int frames,
                                              const FrameCheck& onFrame) {
  std::vector<Change> changes;
  int32_t image = boss.Image;
  MoveProc move = boss.Move;
  NewArrivals arrivals;
  for (int i = 0; i < frames; ++i) {
    arrivals.Mark();
    harness_.RunFrames(1);
    if (onFrame) onFrame(arrivals);
    ++frame_;
    if (boss.Image != image || boss.Move != move) {
      image = boss.Image;
      move = boss.Move;
      changes.push_back({frame_, image, move});
    }
  }
  return changes;
}

}  // namespace tolvane::testing
