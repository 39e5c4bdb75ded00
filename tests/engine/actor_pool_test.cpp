#include "game/engine/actor_pool.h"

#include "game/engine/text_slots.h"
#include "tests/engine/engine_fixture.h"

namespace tolvane {
namespace {

using PoolTest = testing::EngineTest;

void Occupy(int first, int last) {
  for (int i = first; i <= last; ++i) ActorPool[static_cast<size_t>(i)].Active = 1;
}

TEST_F(PoolTest, EachLayerStartsAtItsEndOfTheEmptyPool) {
  EXPECT_EQ(SlotOf(NewActor(LayerBack)), 0);
  EXPECT_EQ(SlotOf(NewActor(LayerFront)), 300);
  EXPECT_EQ(SlotOf(NewActor(LayerTop)), 329);
  EXPECT_EQ(SlotOf(NewActor(LayerBack)), 1);
  EXPECT_EQ(SlotOf(NewActor(LayerFront)), 299);
  EXPECT_EQ(SlotOf(NewActor(LayerTop)), 328);
  EXPECT_EQ(SlotOf(NewActor(7)), 327) << "any layer above 1 scans like LayerTop";
}

TEST_F(PoolTest, ScansNeverTestTheirEndSlot) {
  // Front: 1..300 full, slot 0 and 301..329 free -> scratch.
  Occupy(1, 300);
  EXPECT_EQ(&NewActor(LayerFront), &ScratchActor);
  // Top: reaches down past 300 but never takes slot 0.
  Occupy(301, 329);
  EXPECT_EQ(&NewActor(LayerTop), &ScratchActor);
  EXPECT_EQ(ActorPool[0].Active, 0);
  // Back: takes slot 0 while it is free, but never 329.
  EXPECT_EQ(SlotOf(NewActor(LayerBack)), 0);
  ActorPool[329].Active = 0;
  EXPECT_EQ(&NewActor(LayerBack), &ScratchActor);
  EXPECT_EQ(ActorPool[329].Active, 0);
}

TEST_F(PoolTest, BackReachesHighSlotsOnlyWhenTheLowOnesAreFull) {
  Occupy(0, 300);
  EXPECT_EQ(SlotOf(NewActor(LayerBack)), 301);
  Occupy(301, 327);
  EXPECT_EQ(SlotOf(NewActor(LayerBack)), 328);
}

TEST_F(PoolTest, ScratchActorIsReturnedUnchangedAndUntouchedByPasses) {
  Occupy(0, 329);
  ScratchActor.X = 77;
  ScratchActor.Kind = 3;
  ScratchActor.Move = [](TActor& a) { a.X += 1; };
  TActor& got = NewActor(LayerTop);
  ASSERT_EQ(&got, &ScratchActor);
  EXPECT_EQ(got.X, 77) << "no reset on exhaustion";
  EXPECT_EQ(got.Kind, 3);
  got.Active = 1;
  MoveActors();
  ClearAllActors();
  EXPECT_EQ(ScratchActor.X, 77) << "the move pass does not reach it";
  EXPECT_EQ(ScratchActor.Active, 1) << "clears do not reach it";
  EXPECT_EQ(SlotOf(ScratchActor), kScratchSlot);
  EXPECT_EQ(&ActorAt(kScratchSlot), &ScratchActor);
  EXPECT_EQ(&ActorAt(-1), &ScratchActor);
  EXPECT_EQ(&ActorAt(1000), &ScratchActor);
}

TEST_F(PoolTest, NewActorResetsTheRecordButKeepsAnimTableAndWork) {
  static constexpr AnimRow kTable[] = {{3, 1}, {kAnimEnd, 0}};
  TActor& a = NewActor(LayerBack);
  a.X = a.Y = a.Width = a.Height = 9;
  a.ScaleX = a.ScaleY = a.Alpha = a.HitScale = 9;
  a.Image = a.Pattern = a.FlashImage = a.PatternPeriod = 9;
  a.Move = [](TActor&) {};
  a.Blink = a.Flash = a.AnimMode = 1;
  a.BlinkPhase = 0;
  a.AnimIndex = a.AnimCount = 2;
  a.AnimStep = -1;
  a.AnimTable = kTable;
  a.Work[0] = 11;
  a.Work[64] = 12;
  a.Active = 0;

  TActor& b = NewActor(LayerBack);
  ASSERT_EQ(&a, &b);
  EXPECT_EQ(b.Active, 1);
  EXPECT_EQ(b.Kind, KindNeutral);
  EXPECT_EQ(b.X + b.Y + b.Width + b.Height + b.Pattern + b.CenterX + b.CenterY, 0);
  EXPECT_EQ(b.ScaleX, 100);
  EXPECT_EQ(b.ScaleY, 100);
  EXPECT_EQ(b.Image, kNoImage);
  EXPECT_EQ(b.HitScale, 80);
  EXPECT_EQ(b.Move, nullptr);
  EXPECT_EQ(b.Draw, nullptr);
  EXPECT_EQ(b.Alpha, 255);
  EXPECT_EQ(b.Blink + b.Flash + b.AnimMode, 0);
  EXPECT_EQ(b.FlashImage, kNoImage);
  EXPECT_EQ(b.BlinkPhase, 1);
  EXPECT_EQ(b.AnimIndex, 0);
  EXPECT_EQ(b.AnimStep, 1);
  EXPECT_EQ(b.AnimCount, 0);
  EXPECT_EQ(b.PatternPeriod, 0);
  EXPECT_EQ(b.AnimTable, kTable) << "leftover kept";
  EXPECT_EQ(b.Work[0], 11) << "leftover kept";
  EXPECT_EQ(b.Work[64], 12);
}

TEST_F(PoolTest, ClearSceneKeepsOnlyPersistentActorsWithActiveExactlyOne) {
  TActor& kept = NewActor(LayerBack);
  kept.Kind = KindPersistent;
  kept.X = 123;
  kept.Work[5] = 6;
  TActor& oddActive = NewActor(LayerBack);
  oddActive.Kind = KindPersistent;
  oddActive.Active = 2;
  TActor& plain = NewActor(LayerFront);
  TakeTextSlot("HELLO");

  ClearSceneActors();
  EXPECT_EQ(kept.Active, 1);
  EXPECT_EQ(kept.X, 123);
  EXPECT_EQ(kept.Work[5], 6);
  EXPECT_EQ(oddActive.Active, 0);
  EXPECT_EQ(plain.Active, 0);
  EXPECT_EQ(TextSlotUsed[0], 0);

  ClearAllActors();
  EXPECT_EQ(kept.Active, 0);
  EXPECT_EQ(kept.X, 123) << "a freed slot keeps its fields";
}

TEST_F(PoolTest, SetImageTakesPatternSizeAndTruncatesTheCentre) {
  pres::ImageEntry odd = testing::SolidEntry(66, 9, 0xFFFFFF);
  odd.patternWidth = 33;
  const int32_t image = AddImage(std::move(odd));
  TActor& a = NewActor(LayerBack);
  a.Pattern = 1;
  a.ScaleX = 50;
  SetImage(a, image);
  EXPECT_EQ(a.Image, image);
  EXPECT_EQ(a.Width, 33);
  EXPECT_EQ(a.Height, 9);
  EXPECT_EQ(a.CenterX, 16);
  EXPECT_EQ(a.CenterY, 4);
  EXPECT_EQ(a.Pattern, 1) << "pattern and scale untouched";
  EXPECT_EQ(a.ScaleX, 50);

  SetImage(a, 99);  // no such entry: safe zero geometry
  EXPECT_EQ(a.Image, 99);
  EXPECT_EQ(a.Width + a.Height + a.CenterX + a.CenterY, 0);
}

// Move procedures for the slot-order rules below.
int32_t gLog[8];
int gLogLength = 0;
void LogX(TActor& a) {
  gLog[gLogLength++] = a.X;
}
void FreeSlot5(TActor& a) {
  ActorAt(5).Active = 0;
  LogX(a);
}
void SpawnAbove(TActor& a) {
  LogX(a);
  TActor& b = NewActor(LayerTop);
  b.X = 300;
  b.Move = LogX;
}
void SpawnBelow(TActor& a) {
  LogX(a);
  ActorAt(0).Active = 1;  // slot 0 was freed before the pass
  ActorAt(0).X = 0;
  ActorAt(0).Move = LogX;
}
void Second(TActor& a) {
  gLog[gLogLength++] = 1000 + a.X;
}
void First(TActor& a) {
  LogX(a);
  a.Move = Second;
}

TEST_F(PoolTest, MovePassReadsEachSlotWhenItGetsThere) {
  gLogLength = 0;
  TActor& first = NewActor(LayerBack);  // slot 0
  first.X = 10;
  first.Move = FreeSlot5;
  for (int i = 1; i <= 5; ++i) NewActor(LayerBack).X = i;
  ActorAt(5).Move = LogX;  // freed by slot 0 before its turn
  ActorAt(3).X = 3;
  ActorAt(3).Move = SpawnAbove;
  MoveActors();
  ASSERT_EQ(gLogLength, 3);
  EXPECT_EQ(gLog[0], 10);
  EXPECT_EQ(gLog[1], 3);
  EXPECT_EQ(gLog[2], 300) << "created in a higher slot: moved in the same pass";

  gLogLength = 0;
  ClearAllActors();
  TActor& spawner = NewActor(LayerFront);
  spawner.X = 7;
  spawner.Move = SpawnBelow;
  MoveActors();
  ASSERT_EQ(gLogLength, 1) << "created in a lower slot: not moved this pass";
  MoveActors();
  EXPECT_EQ(gLogLength, 3);
  EXPECT_EQ(gLog[1], 0);

  gLogLength = 0;
  ClearAllActors();
  TActor& changer = NewActor(LayerBack);
  changer.X = 4;
  changer.Move = First;
  MoveActors();
  MoveActors();
  ASSERT_EQ(gLogLength, 2);
  EXPECT_EQ(gLog[0], 4);
  EXPECT_EQ(gLog[1], 1004) << "the replacement runs from the next pass";
}

}  // namespace
}  // namespace tolvane
