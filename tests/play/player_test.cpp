// The player: movement and clamp, volleys and their cadence, weapon switching and the
// weapon display, protection, tails, entering and the orbs.
#include "game/play/player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/pad_input.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/player_shots.h"
#include "game/play/stage_script.h"
#include "presentation/trig.h"
#include "tests/support/play_harness.h"

namespace tolvane {
namespace {

using testing::PlayHarness;

void MarkGameOver(TActor& actor) {
  actor.Work[0] = -1;
}

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.UsePlaySizes();
    harness_.BuildPlayScene(1, 1);
    PlayHarness::LoadScript({});  // a script that halts at once
    harness_.PlacePlayer(200, 160);
    GameOverHook = MarkGameOver;
  }
  TActor& Player() { return *PlayerActor; }
  // Shots of the player now on the field, in slot order.
  static std::vector<TActor*> PlayerShots() {
    std::vector<TActor*> shots;
    for (TActor& a : ActorPool) {
      if (a.Active != 0 && a.Kind == KindPlayerShot) shots.push_back(&a);
    }
    return shots;
  }
  static void ClearShots() {
    for (TActor* shot : PlayerShots()) shot->Active = 0;
  }
  // Frames, out of `frames` calls of PlayerMove with button 1 held, that fired a volley.
  int VolleysIn(int weapon, int level, int frames) {
    Player().Work[kWeapon] = weapon;
    WeaponLevel(Player(), weapon) = level;
    Player().Work[kFireCooldown] = 0;
    harness_.Hold(PadButton1);
    int volleys = 0;
    for (int i = 0; i < frames; ++i) {
      const int32_t before = ShotCharge;
      PlayerMove(Player());
      volleys += ShotCharge != before ? 1 : 0;
      ClearShots();
    }
    harness_.ReleaseAll();
    return volleys;
  }
  // An enemy shot, an enemy or an orb-costing object on the player's hot spot.
  static TActor& Touching(uint8_t kind) {
    TActor& a = NewActor(LayerFront);
    SetImage(a, pic::kBullet);
    a.X = PlayerActor->X;
    a.Y = PlayerActor->Y;
    a.Kind = kind;
    SetEnemyWords(a, 0, 100, 500);
    return a;
  }
  static int ActiveOfKind(uint8_t kind) {
    int n = 0;
    for (TActor& a : ActorPool) n += (a.Active != 0 && a.Kind == kind) ? 1 : 0;
    return n;
  }
  static int FilledOrbs() {
    int filled = 0;
    for (TActor* orb : ProtectionActors) filled += orb->Image != kNoImage ? 1 : 0;
    return filled;
  }

  PlayHarness harness_;
};

TEST_F(PlayerTest, MovesTwelvePixelsOnEachAxisAndStaysInsideTheBand) {
  harness_.Hold(PadLeft);
  harness_.Hold(PadUp);
  harness_.RunFrames(1);
  EXPECT_EQ(Player().X, 188);
  EXPECT_EQ(Player().Y, 148);
  harness_.RunFrames(40);
  // Hot spot 25 x 19 from the picture's corner: 40 % of that is the margin.
  EXPECT_EQ(Player().X, 10);
  EXPECT_EQ(Player().Y, 7);
  harness_.ReleaseAll();
  harness_.Hold(PadRight);
  harness_.Hold(PadDown);
  harness_.RunFrames(60);
  EXPECT_EQ(Player().X, 470);
  EXPECT_EQ(Player().Y, 313);
  harness_.Hold(PadLeft);  // left and right together cancel out
  harness_.RunFrames(1);
  EXPECT_EQ(Player().X, 470);
}

TEST_F(PlayerTest, FireCadenceFollowsWeaponAndLevel) {
  EXPECT_EQ(VolleysIn(0, 29, 12), 4) << "main shot below 30: every 3rd frame";
  EXPECT_EQ(VolleysIn(0, 30, 12), 6) << "main shot from 30: every 2nd frame";
  EXPECT_EQ(VolleysIn(1, 9, 15), 3) << "spread shot step 0: every 5th frame";
  EXPECT_EQ(VolleysIn(1, 20, 12), 4) << "spread shot step 2: every 3rd frame";
  EXPECT_EQ(VolleysIn(1, 50, 12), 12) << "spread shot at 50: every frame";
  EXPECT_EQ(VolleysIn(2, 29, 12), 6) << "missiles below 30: every 2nd frame";
  EXPECT_EQ(VolleysIn(2, 30, 12), 12) << "missiles from 30: every frame";
  ShotCharge = 0;
  VolleysIn(0, 1, 3);
  VolleysIn(2, 1, 2);
  EXPECT_EQ(ShotCharge, 15) << "10 per main volley, 5 per other";
}

TEST_F(PlayerTest, MainVolleysGrowWithTheWeaponStep) {
  struct Shot {
    int32_t image, speedX, speedY, damage, hitScale;
  };
  auto volley = [&](int level) {
    ClearShots();
    WeaponLevel(Player(), 0) = level;
    Player().Work[kFireCooldown] = 0;
    harness_.Hold(PadButton1);
    PlayerMove(Player());
    harness_.ReleaseAll();
    std::vector<Shot> shots;
    for (TActor* s : PlayerShots()) {
      EXPECT_EQ(s->X, 270);
      EXPECT_EQ(s->Y, 155);
      shots.push_back({s->Image, s->Work[kShotSpeedX], s->Work[kShotSpeedY], s->Work[kShotDamage],
                       s->HitScale});
    }
    return shots;
  };
  auto one = volley(19);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].image, pic::kShotMain);
  EXPECT_EQ(one[0].speedX, 8);
  EXPECT_EQ(one[0].damage, 13);
  EXPECT_EQ(one[0].hitScale, 80);
  auto three = volley(20);
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[1].image, pic::kSideA);
  EXPECT_EQ(three[1].speedY, -8);
  EXPECT_EQ(three[2].image, pic::kSideB);
  EXPECT_EQ(three[2].speedY, 8);
  EXPECT_EQ(three[2].damage, 14);
  EXPECT_EQ(three[2].hitScale, 60);
  auto five = volley(50);
  ASSERT_EQ(five.size(), 5u);
  EXPECT_EQ(five[0].damage, 25);
  EXPECT_EQ(five[1].damage, 23);
  EXPECT_EQ(five[3].image, pic::kSideB);
  EXPECT_EQ(five[3].speedX, -1);
  EXPECT_EQ(five[3].speedY, -12);
  EXPECT_EQ(five[4].image, pic::kSideA);
  EXPECT_EQ(five[4].speedY, 12);
  EXPECT_EQ(five[4].damage, 25);
}

TEST_F(PlayerTest, SpreadShotSpeedsCoverTheirRangeAndAddUpToSixteen) {
  for (int step : {0, 5}) {
    std::set<int32_t> vertical;
    for (int i = 0; i < 400; ++i) {
      TActor& shot = NewSpreadShot(100, 100, step);
      const int32_t vy = shot.Work[kShotSpeedY];
      EXPECT_EQ(shot.Work[kShotSpeedX], 16 - std::abs(vy));
      vertical.insert(vy);
      shot.Active = 0;
    }
    EXPECT_EQ(*vertical.begin(), -2 * step - 5);
    EXPECT_EQ(*vertical.rbegin(), 2 * step + 4);
    EXPECT_EQ(vertical.size(), static_cast<size_t>(4 * step + 10));
  }
}

TEST_F(PlayerTest, ButtonTwoSelectsTheNextWeaponOncePerPressAndTheDisplaySlidesIn) {
  WeaponLevel(Player(), 1) = 50;
  WeaponLevel(Player(), 2) = 23;
  TActor& icon = ActorAt(Player().Work[kWeaponIcon]);
  TActor& gauge = ActorAt(Player().Work[kLevelGauge]);
  TActor& digit = ActorAt(Player().Work[kLevelDigit]);
  harness_.RunFrames(40);
  EXPECT_EQ(icon.X, 320);
  EXPECT_EQ(gauge.X, 410);
  EXPECT_EQ(digit.X, 380);

  std::vector<int32_t> order;
  for (int press = 0; press < 3; ++press) {
    harness_.Hold(PadButton2);
    harness_.RunFrames(1);
    order.push_back(Player().Work[kWeapon]);
    if (press == 0) {
      EXPECT_EQ(icon.Image, pic::kWeaponSpread);
      EXPECT_EQ(gauge.Pattern, 5);
      EXPECT_EQ(digit.Pattern, 10) << "level 50 shows the digit's 11th pattern";
      EXPECT_GT(icon.X, 500) << "slid back out to the right";
      EXPECT_GT(gauge.X, 550);
    }
    harness_.RunFrames(3);  // held: no further switch
    EXPECT_EQ(Player().Work[kWeapon], order.back());
    harness_.ReleaseAll();
    harness_.RunFrames(1);
  }
  EXPECT_EQ(order, (std::vector<int32_t>{1, 2, 0}));
  EXPECT_EQ(ActorAt(Player().Work[kLevelDigit]).Pattern, 1);
  harness_.RunFrames(40);
  EXPECT_EQ(icon.X, 320);

  // A weapon at level 0 is passed over; with every level at 0 the selection stays.
  WeaponLevel(Player(), 1) = 0;
  harness_.Hold(PadButton2);
  harness_.RunFrames(1);
  EXPECT_EQ(Player().Work[kWeapon], 2);
  harness_.ReleaseAll();
  harness_.RunFrames(1);
  for (int w = 0; w < 3; ++w) WeaponLevel(Player(), w) = 0;
  harness_.Hold(PadButton2);
  harness_.RunFrames(1);
  EXPECT_EQ(Player().Work[kWeapon], 2);
}

TEST_F(PlayerTest, ProtectionTakesHitsFromTheHighestFilledOrbThenATailIsLost) {
  harness_.FillOrbs(2);
  Touching(KindEnemyShot);
  PlayerMove(Player());
  EXPECT_EQ(ActiveOfKind(KindEnemyShot), 0) << "the shot that hit is gone";
  EXPECT_EQ(ProtectionActors[1]->Image, kNoImage);
  EXPECT_NE(ProtectionActors[0]->Image, kNoImage);
  EXPECT_EQ(Player().Blink, 1);
  EXPECT_EQ(Player().Work[kGuardTimer], 20);

  TActor& guarded = Touching(KindEnemyShot);
  PlayerMove(Player());
  EXPECT_EQ(guarded.Active, 1) << "no contact while Blink is set";
  EXPECT_EQ(FilledOrbs(), 1);
  guarded.X = -200;  // out of the way while the guard runs out
  for (int i = 0; i < 19; ++i) PlayerMove(Player());
  EXPECT_EQ(Player().Blink, 1);
  PlayerMove(Player());
  EXPECT_EQ(Player().Blink, 0) << "the guard ran out 21 frames after the hit";

  guarded.X = Player().X;
  guarded.Kind = KindEnemy;  // an enemy rammed under protection takes 100
  PlayerMove(Player());
  EXPECT_EQ(guarded.Work[kHitPoints], 400);
  EXPECT_EQ(FilledOrbs(), 0);
  Player().Blink = 0;
  PlayerMove(Player());
  EXPECT_EQ(Tails, 2);
  EXPECT_EQ(Player().Move, &PlayerDying);
  EXPECT_EQ(Player().Image, pic::kHit);
  EXPECT_EQ(Player().PatternPeriod, 3);
  EXPECT_EQ(Player().Work[kDeathTimer], 40);
}

TEST_F(PlayerTest, AnOrbCostingContactTakesAnOrbOrNothingButNeverATail) {
  TActor& beam = Touching(KindOrbCost);
  PlayerMove(Player());
  EXPECT_EQ(Tails, 3);
  EXPECT_EQ(beam.Kind, KindNeutral) << "the contact counts once";
  EXPECT_EQ(Player().Move, &PlayerMove);

  harness_.FillOrbs(3);
  Touching(KindEnemyShot);
  TActor& beam2 = Touching(KindOrbCost);  // a lower slot: the scan meets it first
  PlayerMove(Player());
  EXPECT_EQ(beam2.Kind, KindNeutral);
  EXPECT_EQ(ProtectionActors[2]->Image, kNoImage) << "the beam took the highest orb";
  EXPECT_EQ(ProtectionActors[1]->Image, kNoImage) << "the scan went on to the shot";
  EXPECT_EQ(ActiveOfKind(KindEnemyShot), 0);
  EXPECT_EQ(FilledOrbs(), 1);
  EXPECT_EQ(Tails, 3);
}

TEST_F(PlayerTest, AfterALostTailThePlayerReturnsGuardedOrTheGameEnds) {
  Tails = 2;
  LossCharge = 0;
  Touching(KindEnemyShot);
  PlayerMove(Player());
  harness_.RunFrames(20);
  EXPECT_EQ(Player().Blink, 0);
  harness_.RunFrames(1);
  EXPECT_EQ(Player().Blink, 1) << "blinks over the last 20 frames";
  harness_.RunFrames(19);
  EXPECT_EQ(Player().Move, &PlayerEnter);
  EXPECT_EQ(Player().X, -100);
  EXPECT_EQ(Player().Y, 160);
  EXPECT_EQ(Player().Image, pic::kShip);
  EXPECT_EQ(Player().CenterX, 25);
  EXPECT_EQ(Player().PatternPeriod, 5);
  EXPECT_EQ(Player().Work[kGuardTimer], 100);
  EXPECT_EQ(LossCharge, 2000);
  EXPECT_EQ(Tails, 1);

  // Entering: no fire, no contact, guard not counted down, control at x 30.
  harness_.Hold(PadButton1);
  const int32_t charge = ShotCharge;
  while (Player().Move == &PlayerEnter) harness_.RunFrames(1);
  EXPECT_EQ(Player().X, 30);
  EXPECT_EQ(ShotCharge, charge);
  EXPECT_EQ(Player().Work[kGuardTimer], 100);
  harness_.ReleaseAll();

  // The last tail: game over without a LossCharge.
  Player().Blink = 0;
  Touching(KindEnemy);
  harness_.RunFrames(1);
  EXPECT_EQ(Tails, 0);
  harness_.RunFrames(40);
  EXPECT_EQ(Player().Move, &MarkGameOver);
  EXPECT_EQ(Player().X, -100);
  EXPECT_EQ(Player().Work[kDeathTimer], 0);
  EXPECT_EQ(LossCharge, 2000);
}

TEST_F(PlayerTest, OrbsCircleThePlayerAtSeventyPixels) {
  harness_.FillOrbs(8);
  harness_.RunFrames(3);
  for (size_t i = 0; i < ProtectionActors.size(); ++i) {
    const int32_t angle = (kOrbPhases[i] - FrameCount * 29) % 256;
    EXPECT_EQ(ProtectionActors[i]->X, Player().X + std::lround(pres::Sin256(angle) * 70));
    EXPECT_EQ(ProtectionActors[i]->Y, Player().Y + std::lround(pres::Cos256(angle) * 70));
  }
  // Orbs 0 and 1 sit opposite each other.
  EXPECT_EQ(ProtectionActors[0]->X - Player().X, Player().X - ProtectionActors[1]->X);
}

}  // namespace
}  // namespace tolvane
