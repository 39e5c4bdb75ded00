// The spawn codes: an actor with the look of its stage-code row, the enemy words, the
// start values of its behaviour, and the behaviour itself.
#include <initializer_list>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/play/backdrop.h"
#include "game/play/boss_behaviours.h"
#include "game/play/enemies/splitters.h"
#include "game/play/enemy_behaviours.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/escorts.h"
#include "game/play/game_state.h"
#include "game/play/play_field.h"
#include "game/play/stage_parts.h"

namespace tolvane {

namespace {

// Stream 1 places the crawlers and divers of a default X; stream 3 seeds the bosses.
constexpr int32_t kPlaceStream = 1;
constexpr int32_t kBossStream = 3;

// Code 28's body: 20 segments of image 158 worth 50 that cannot be shot.
constexpr int32_t kSnakeSegments = 20;
constexpr int32_t kSnakeSegmentImage = pic::kDragonBody;
constexpr int32_t kSegmentScore = 50;
constexpr int32_t kSegmentHitPoints = 10;

// Where codes put their spawn instead of the record's position.
constexpr int32_t kCrawlerMinX = 100;  // codes 21, 22 with a default X: 100-479
constexpr uint32_t kCrawlerXRange = 380;
constexpr uint32_t kDiverXRange = 480;  // codes 25, 27 with a default X: 100-579
constexpr int32_t kDiverDownY = -30;
constexpr int32_t kDiverUpY = 350;
constexpr int32_t kLateBossX = 650;  // codes 109, 110 come from farther right
constexpr int32_t kFinalBossY = 190;
constexpr int32_t kEscortLevelX = 80;  // codes 152-154 come from outside the field
constexpr int32_t kEscortLevelY = -50;
constexpr int32_t kEscortSideX = -50;
constexpr int32_t kEscortAboveY = 80;
constexpr int32_t kEscortBelowY = 240;

// Hit boxes enlarged beyond the picture at the spawn.
constexpr int32_t kCirclerCenterX = 20;  // codes 15, 102
constexpr int32_t kCirclerCenterY = 10;
constexpr int32_t kBeamCenterX = 100;  // code 107
constexpr int32_t kBeamCenterY = 20;

// Writes consecutive Work words from the first given.
void SetWords(TActor& actor, int first, std::initializer_list<int32_t> values) {
  for (int32_t value : values) actor.Work[static_cast<size_t>(first++)] = value;
}

MoveProc BehaviourProc(Behaviour behaviour) {
  switch (behaviour) {
    case Behaviour::None:
      return nullptr;
    case Behaviour::Swooper:
      return Swooper;
    case Behaviour::Glider:
      return Glider;
    case Behaviour::Splitter:
      return Splitter;
    case Behaviour::Charger:
      return Charger;
    case Behaviour::DartMove:
      return DartMove;
    case Behaviour::LoopFlier:
      return LoopFlier;
    case Behaviour::ArcFlier:
      return ArcFlier;
    case Behaviour::Serpent:
      return Serpent;
    case Behaviour::Popper:
      return Popper;
    case Behaviour::Drifter:
      return Drifter;
    case Behaviour::TwinSplitter:
      return TwinSplitter;
    case Behaviour::Lunger:
      return Lunger;
    case Behaviour::Waver:
      return Waver;
    case Behaviour::Hopper:
      return Hopper;
    case Behaviour::CirclerBoss:
      return CirclerBoss;
    case Behaviour::Frog:
      return Frog;
    case Behaviour::Gunner:
      return Gunner;
    case Behaviour::Zigzag:
      return Zigzag;
    case Behaviour::SinkerDown:
      return SinkerDown;
    case Behaviour::SinkerUp:
      return SinkerUp;
    case Behaviour::CeilingCrawler:
      return CeilingCrawler;
    case Behaviour::FloorCrawler:
      return FloorCrawler;
    case Behaviour::FanGunnerLow:
      return FanGunnerLow;
    case Behaviour::FanGunnerHigh:
      return FanGunnerHigh;
    case Behaviour::DiverDown:
      return DiverDown;
    case Behaviour::DiverUp:
      return DiverUp;
    case Behaviour::Snake:
      return Snake;
    case Behaviour::ArcFlierMirrored:
      return ArcFlierMirrored;
    case Behaviour::WandererBoss:
      return WandererBoss;
    case Behaviour::LancerBoss:
      return LancerBoss;
    case Behaviour::GunshipEnemy:
      return GunshipEnemy;
    case Behaviour::BeamBoss:
      return BeamBoss;
    case Behaviour::SpiralBoss:
      return SpiralBoss;
    case Behaviour::FortressBoss:
      return FortressBoss;
    case Behaviour::FinalBoss:
      return FinalBoss;
    case Behaviour::DrifterBoss:
      return DrifterBoss;
    case Behaviour::EscortToPlayer:
      return EscortToPlayer;
    case Behaviour::EscortAbove:
      return EscortAbove;
    case Behaviour::EscortBelow:
      return EscortBelow;
  }
  return nullptr;
}

// X of a crawler or diver: the record's, or at random when it was left to the default.
int32_t PlacedX(int32_t argX, uint32_t range) {
  if (argX != kOffFieldRight) return argX;
  return kCrawlerMinX + static_cast<int32_t>(RandomNext(kPlaceStream, range));
}

// Set-up A of the circler (codes 15, 102): a larger hit box; sweep target 100, base x
// 550, base y, three angles, remembered hit points, phase clock 200.
void CirclerSetUp(TActor& a) {
  a.CenterX += kCirclerCenterX;
  a.CenterY += kCirclerCenterY;
  SetWords(a, kPrivateWords, {100, 550, a.Y, 0, 0, 0, a.Work[kHitPoints], 200});
}

// The snake's 20 body segments lie in lower slots than its head, so they are drawn under
// it: they are taken first and told their leaders once the head exists.
void SpawnSnake(TActor*& head, uint8_t layer, const StageRecord& record) {
  TActor* segments[kSnakeSegments];
  for (TActor*& segment : segments) segment = &NewActor(layer);
  head = &NewActor(layer);
  const int32_t headSlot = SlotOf(*head);
  int32_t leader = headSlot;
  for (TActor* segment : segments) {
    SetImage(*segment, kSnakeSegmentImage);
    segment->X = record.ArgX;
    segment->Y = record.ArgY;
    segment->Kind = KindEnemyShot;
    SetEnemyWords(*segment, 0, kSegmentScore, kSegmentHitPoints);
    SetWords(*segment, kPrivateWords, {leader, headSlot});
    segment->Move = SnakeSegment;
    leader = SlotOf(*segment);
  }
}

// The start values of each code's behaviour (Work[0..] and the line-motion words) and the
// spawn positions that differ from the record's.
void CodeSetUp(TActor& a, int32_t code, int32_t stage) {
  switch (code) {
    case 2:  // target Y
      SetWords(a, kPrivateWords, {static_cast<int32_t>(RandomNext(kPlaceStream, 360))});
      break;
    case 3:
      a.Image = kAnimatedImage;
      a.AnimTable = kSplitterAnim;
      break;
    case 5:  // at 20 px a frame
      SetWords(a, kOriginX, {a.X, a.Y, PlayerActor->X, PlayerActor->Y, 20, 0});
      break;
    case 6:  // two angles, degrees
      SetWords(a, kPrivateWords, {90, 60});
      break;
    case 7:
    case 29:  // two angles, degrees
      SetWords(a, kPrivateWords, {0, 0});
      break;
    case 8:  // last segment, growth threshold
      SetWords(a, kPrivateWords, {SlotOf(a), 250});
      break;
    case 10:  // dy, dx, fire chance, shot speed
      SetWords(a, kPrivateWords, {0, -16, 20 * stage + 20, 8});
      break;
    case 13:  // angle, remembered hit points
      SetWords(a, kPrivateWords, {0, 300});
      break;
    case 14:  // remembered hit points, hop speed
      SetWords(a, kPrivateWords, {3000, 0});
      break;
    case 16:  // dx, dy, rest, remembered hit points
      SetWords(a, kPrivateWords, {12, -5, 0, 50});
      break;
    case 17:  // remembered hit points, aim, shots
      SetWords(a, kPrivateWords, {250, 0, 0});
      break;
    case 18:  // dy, dx, remembered hit points
      SetWords(a, kPrivateWords, {-10, 18, 70});
      break;
    case 26:
      SetWords(a, kPrivateWords, {-10, 30, 200});
      break;
    case 19:
    case 20:  // sink speed
      SetWords(a, kPrivateWords, {20});
      break;
    case 21:
    case 22:
      a.X = PlacedX(a.X, kCrawlerXRange);
      SetWords(a, kPrivateWords, {20});
      break;
    case 23:
    case 24:  // approach counter
      SetWords(a, kPrivateWords, {0});
      break;
    case 25:
      a.X = PlacedX(a.X, kDiverXRange);
      a.Y = kDiverDownY;
      break;
    case 27:
      a.X = PlacedX(a.X, kDiverXRange);
      a.Y = kDiverUpY;
      break;
    case 28:  // angle, remembered hit points
      SetWords(a, kPrivateWords, {0, 100});
      break;
    case 15:
    case 102:
      CirclerSetUp(a);
      break;
    case 100: {  // target point, smoke threshold, remembered hit points
      const int32_t targetX = 200 + static_cast<int32_t>(RandomNext(kBossStream, 280));
      const int32_t targetY = static_cast<int32_t>(RandomNext(kBossStream, 360));
      SetWords(a, kPrivateWords, {targetX, targetY, 5500, 7000});
      break;
    }
    case 104:
      SetWords(a, kPrivateWords, {270, 350, -100, 0, 0, 0, 9000, 0, 5000, 0, 5000});
      break;
    case 105:
      SetWords(a, kPrivateWords, {20000, 0, 90});
      break;
    case 107:
      a.CenterX += kBeamCenterX;
      a.CenterY += kBeamCenterY;
      SetWords(a, kPrivateWords, {270, 550, 220, 0, 0, 0, 13000, 0, 6000, 0, 64, 0});
      break;
    case 108: {  // base point, angles, clocks, thresholds; the first leg from (550, 160)
      SetWords(a, kPrivateWords + 1, {550, 160, 0, 0, 0, 15000, 0, 6000, 0, 6000, 0});
      const int32_t legX = 170 + static_cast<int32_t>(RandomNext(kBossStream, 240));
      const int32_t legY = 100 + static_cast<int32_t>(RandomNext(kBossStream, 120));
      SetWords(a, kOriginX, {550, 160, legX, legY, 2, 0});
      break;
    }
    case 109:
      a.X = kLateBossX;
      SetWords(a, kPrivateWords, {15000, 6000, 0, 0, 0, 0, 15000, 6000});
      break;
    case 110:
      a.X = kLateBossX;
      a.Y = kFinalBossY;
      SetWords(a, kPrivateWords, {60000, 40000, 0, 0, 0, 0, 0});
      break;
    case 113:
      SetWords(a, kPrivateWords, {200, 550, a.Y, 0, 0, 0, 800});
      break;
    case 152:
      a.X = kEscortLevelX;
      a.Y = kEscortLevelY;
      a.Work[kEscortFrames] = 0;
      break;
    case 153:
    case 154:
      a.X = kEscortSideX;
      a.Y = code == 153 ? kEscortAboveY : kEscortBelowY;
      a.Work[kEscortFrames] = 0;
      break;
    default:
      break;
  }
}

}  // namespace

void SpawnFromRecord(const StageCode& code, const StageRecord& record) {
  if (code.stopScroll) SetScrollSpeeds(0, 0);
  const uint8_t layer = code.layer == Layer::Front ? LayerFront : LayerBack;
  TActor* actor = nullptr;
  if (code.behaviour == Behaviour::Snake) {
    SpawnSnake(actor, layer, record);
  } else {
    actor = &NewActor(layer);
  }
  TActor& a = *actor;
  const int32_t stage = StageNumber();
  a.X = record.ArgX;
  a.Y = record.ArgY;
  if (code.image != kSpawnAnimated) SetImage(a, code.image);
  if (code.flashImage != kSpawnOwnFlash) a.FlashImage = code.flashImage;
  a.Kind = static_cast<uint8_t>(code.kind);
  a.HitScale = code.hitScale + code.hitScalePerStage * stage;
  a.PatternPeriod = code.patternPeriod;
  SetEnemyWords(a, record.Extra, code.scoreValue, code.hitPoints + code.hitPointsPerStage * stage);
  CodeSetUp(a, code.code, stage);
  a.Move = BehaviourProc(code.behaviour);
}

}  // namespace tolvane
