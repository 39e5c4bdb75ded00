#pragma once
// The stage file's vocabulary: the 20-byte record and every record code with the set-up
// of what it spawns. One table serves the stage interpreter and the stage compiler, so
// the compiler's symbolic names can never drift from what the game does.
// Free of game-code dependencies on purpose: the content tools include it.
#include <array>
#include <cstdint>
#include <string_view>

#include "content/images/picture_ids.h"

namespace tolvane {

// HAZARD: fixed by the stage files "stage1.bin" .. "stage5.bin": five little-endian int32
// in this order, no header, no padding. Do not reorder or widen.
struct StageRecord {
  int32_t Time = 0;   // ScriptClock value at which the record fires
  int32_t Code = 0;   // what it does: a row of kStageCodes
  int32_t ArgX = 0;   // spawn X; 0 stands for 550
  int32_t ArgY = 0;   // spawn Y; 0 stands for a random 0-319
  int32_t Extra = 0;  // enemies: DropCode; code 150: the picture's delay
  friend constexpr bool operator==(const StageRecord&, const StageRecord&) = default;
};
inline constexpr int kStageRecordSize = 20;
static_assert(sizeof(StageRecord) == kStageRecordSize);
inline constexpr int kMaxStageRecords = 5000;

// Byte order is the file's, whatever the host's.
constexpr StageRecord DecodeStageRecord(const uint8_t* bytes) {
  auto field = [bytes](int i) {
    const uint8_t* p = bytes + 4 * i;
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) |
                                (static_cast<uint32_t>(p[3]) << 24));
  };
  return StageRecord{field(0), field(1), field(2), field(3), field(4)};
}

constexpr void EncodeStageRecord(const StageRecord& r, uint8_t* bytes) {
  const int32_t fields[5] = {r.Time, r.Code, r.ArgX, r.ArgY, r.Extra};
  for (int i = 0; i < 5; ++i) {
    const auto v = static_cast<uint32_t>(fields[i]);
    for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<uint8_t>(v >> (8 * b));
  }
}

// Codes with a fixed meaning in the interpreter itself.
inline constexpr int32_t kCodeHalt = 0;
inline constexpr int32_t kCodePicture = 150;
inline constexpr int32_t kCodeBossCaption = 151;
inline constexpr int32_t kCodeStageClear = 999;

// Enemies scoring above this are bosses: their death advances the script by one record.
inline constexpr int32_t kBossScoreThreshold = 19999;

enum class CodeAction : uint8_t {
  Halt,     // wait until a boss is killed
  Spawn,    // an actor with the row's set-up and behaviour
  NoiseOn,  // the noise overlay actor
  NoiseOff,
  Picture,      // a stage picture from kPictureList
  BossCaption,  // slow scroll and a caption chosen by ArgX
  SlowScroll,
  FastScroll,
  FinalCaption,  // the two lines before the final boss
  StageClear,
};

enum class Layer : uint8_t { None, Back, Front };

// Per-frame behaviours installed by spawn codes; the gameplay code binds each to its
// procedure of the same name.
enum class Behaviour : uint8_t {
  None,
  Swooper,
  Glider,
  Splitter,
  Charger,
  DartMove,
  LoopFlier,
  ArcFlier,
  Serpent,
  Popper,
  Drifter,
  TwinSplitter,
  Lunger,
  Waver,
  Hopper,
  CirclerBoss,
  Frog,
  Gunner,
  Zigzag,
  SinkerDown,
  SinkerUp,
  CeilingCrawler,
  FloorCrawler,
  FanGunnerLow,
  FanGunnerHigh,
  DiverDown,
  DiverUp,
  Snake,
  ArcFlierMirrored,
  WandererBoss,
  LancerBoss,
  GunshipEnemy,
  BeamBoss,
  SpiralBoss,
  FortressBoss,
  FinalBoss,
  DrifterBoss,
  EscortToPlayer,
  EscortAbove,
  EscortBelow,
};

inline constexpr int16_t kSpawnNoImage = -1;
inline constexpr int16_t kSpawnOwnFlash = -1;    // an additive flash of the actor's own picture
inline constexpr int16_t kSpawnAnimated = -255;  // the picture comes from an animation table

struct StageCode {
  int32_t code;
  const char* name;  // the symbolic name in stage texts
  CodeAction action;
  Layer layer;
  int16_t image;
  int16_t flashImage;
  int8_t kind;
  int16_t hitScale;  // HitScale = hitScale + hitScalePerStage × StageNumber
  int8_t hitScalePerStage;
  int8_t patternPeriod;  // 0: the fixed Pattern is drawn
  int32_t scoreValue;
  int32_t hitPoints;  // HitPoints = hitPoints + hitPointsPerStage × StageNumber
  int8_t hitPointsPerStage;
  bool stopScroll;  // both scroll speeds become 0 before the spawn
  Behaviour behaviour;
};

constexpr bool IsBoss(const StageCode& c) {
  return c.scoreValue > kBossScoreThreshold;
}

// clang-format off
inline constexpr std::array kStageCodes = {
//        code  name                action                     layer         image                flash             kind  HS HS/st PP   score     HP HP/st stop  behaviour
  StageCode{  0, "Halt",             CodeAction::Halt,          Layer::None,  kSpawnNoImage,       kSpawnOwnFlash,     0,  0,   0,  0,      0,     0,  0, false, Behaviour::None},              // halt until a boss is killed
  StageCode{  1, "Swooper",          CodeAction::Spawn,         Layer::Back,  pic::kSwooper,       kSpawnOwnFlash,     3, 60,   0,  3,    100,    10,  0, false, Behaviour::Swooper},           // turns into a Drifter at x < 150
  StageCode{  2, "Glider",           CodeAction::Spawn,         Layer::Back,  pic::kGlider,        kSpawnOwnFlash,     3, 80,   0,  5,    200,    10,  0, false, Behaviour::Glider},            // glides to a random target Y
  StageCode{  3, "Splitter",         CodeAction::Spawn,         Layer::Back,  kSpawnAnimated,      kSpawnOwnFlash,     3, 80,   0,  0,    200,    10,  0, false, Behaviour::Splitter},          // animation table kSplitterA, kSplitterB
  StageCode{  4, "Charger",          CodeAction::Spawn,         Layer::Back,  pic::kCharger,       kSpawnOwnFlash,     3, 80,   0,  0,    100,    10,  0, false, Behaviour::Charger},           // Charger
  StageCode{  5, "Dart",             CodeAction::Spawn,         Layer::Front, pic::kDart,          kSpawnOwnFlash,     3, 60, -10,  0,     50,     7,  0, false, Behaviour::DartMove},          // flies at the player's position
  StageCode{  6, "LoopFlier",        CodeAction::Spawn,         Layer::Front, pic::kLoopFlier,     kSpawnOwnFlash,     3, 80,   0,  3,     50,    15,  0, false, Behaviour::LoopFlier},         // a big loop over the screen
  StageCode{  7, "ArcFlier",         CodeAction::Spawn,         Layer::Front, pic::kArcFlier,      kSpawnOwnFlash,     3, 80,   0,  3,    400,    40,  0, false, Behaviour::ArcFlier},          // half-circle from the lower left
  StageCode{  8, "Serpent",          CodeAction::Spawn,         Layer::Front, pic::kSerpent,       kSpawnOwnFlash,     3, 80,   0,  0,   5000,   300,  0, false, Behaviour::Serpent},           // grows segments as it is hit
  StageCode{  9, "Popper",           CodeAction::Spawn,         Layer::Front, pic::kPopper,        kSpawnOwnFlash,     3, 80,   0,  0,    100,  2000,  0, false, Behaviour::Popper},            // bursts at the first hit
  StageCode{ 10, "Drifter",          CodeAction::Spawn,         Layer::Back,  pic::kDrifter,       kSpawnOwnFlash,     3, 60,   0,  5,    400,    20,  0, false, Behaviour::Drifter},           // Drifter
  StageCode{ 11, "TwinSplitter",     CodeAction::Spawn,         Layer::Back,  pic::kTwinSplitter,  kSpawnOwnFlash,     3, 80,   0,  5,    500,    40,  0, false, Behaviour::TwinSplitter},      // splits into two halves
  StageCode{ 12, "Lunger",           CodeAction::Spawn,         Layer::Back,  pic::kLunger,        kSpawnOwnFlash,     3, 80,   0,  5,    100,     0, 10, false, Behaviour::Lunger},            // hit points 10 × stage
  StageCode{ 13, "Waver",            CodeAction::Spawn,         Layer::Back,  pic::kWaver,         pic::kWaverFlash,   3, 80,   0,  5,    100,   300,  0, false, Behaviour::Waver},             // Waver
  StageCode{ 14, "Hopper",           CodeAction::Spawn,         Layer::Back,  pic::kHopper,        kSpawnOwnFlash,     3, 60,   0,  5,    100,  3000,  0, false, Behaviour::Hopper},            // hops when hit
  StageCode{ 15, "Circler",          CodeAction::Spawn,         Layer::Back,  pic::kCircler,       pic::kCirclerFlash, 3, 50,   0,  5,  18000,  6000,  0, false, Behaviour::CirclerBoss},       // CirclerBoss behaviour, not a boss
  StageCode{ 16, "Frog",             CodeAction::Spawn,         Layer::Back,  pic::kFrog,          kSpawnOwnFlash,     3, 50,   0,  0,    100,    50,  0, false, Behaviour::Frog},              // Frog
  StageCode{ 17, "Gunner",           CodeAction::Spawn,         Layer::Back,  pic::kGunner,        kSpawnOwnFlash,     3, 60,   0,  3,   2000,   250,  0, false, Behaviour::Gunner},            // Gunner
  StageCode{ 18, "Zigzag",           CodeAction::Spawn,         Layer::Back,  pic::kZigzag,        pic::kZigzagFlash,  3, 80,   0,  0,   1100,    70,  0, false, Behaviour::Zigzag},            // slows from 18 to 3 px/frame
  StageCode{ 19, "SinkerDown",       CodeAction::Spawn,         Layer::Back,  pic::kSinker,        kSpawnOwnFlash,     3, 80,   0,  0,    300,    70,  0, false, Behaviour::SinkerDown},        // SinkerDown
  StageCode{ 20, "SinkerUp",         CodeAction::Spawn,         Layer::Back,  pic::kSinker,        kSpawnOwnFlash,     3, 80,   0,  0,    300,    70,  0, false, Behaviour::SinkerUp},          // SinkerUp
  StageCode{ 21, "CeilingCrawler",   CodeAction::Spawn,         Layer::Back,  pic::kCeilingCrawler, kSpawnOwnFlash,     3, 80,   0,  0,    300,    70,  0, false, Behaviour::CeilingCrawler},    // ArgX 0: random X 100-479
  StageCode{ 22, "FloorCrawler",     CodeAction::Spawn,         Layer::Back,  pic::kFloorCrawler,  kSpawnOwnFlash,     3, 80,   0,  0,    300,    70,  0, false, Behaviour::FloorCrawler},      // ArgX 0: random X 100-479
  StageCode{ 23, "FanGunnerLow",     CodeAction::Spawn,         Layer::Back,  pic::kFanGunnerLow,  kSpawnOwnFlash,     1, 80,   0,  0,    300, 70000,  0, false, Behaviour::FanGunnerLow},      // cannot be shot
  StageCode{ 24, "FanGunnerHigh",    CodeAction::Spawn,         Layer::Back,  pic::kFanGunnerHigh, kSpawnOwnFlash,     1, 80,   0,  0,    300, 70000,  0, false, Behaviour::FanGunnerHigh},     // cannot be shot
  StageCode{ 25, "DiverDown",        CodeAction::Spawn,         Layer::Back,  pic::kDiverDown,     kSpawnOwnFlash,     3, 80,   0,  0,    300,    30,  0, false, Behaviour::DiverDown},         // Y = -30; ArgX 0: random X 100-579
  StageCode{ 26, "ZigzagFast",       CodeAction::Spawn,         Layer::Back,  pic::kZigzag,        pic::kZigzagFlash,  3, 80,   0,  0,   1100,   200,  0, false, Behaviour::Zigzag},            // slows from 30 to 3 px/frame
  StageCode{ 27, "DiverUp",          CodeAction::Spawn,         Layer::Back,  pic::kDiverUp,       kSpawnOwnFlash,     3, 80,   0,  0,    300,    30,  0, false, Behaviour::DiverUp},           // Y = 350; ArgX 0: random X 100-579
  StageCode{ 28, "Snake",            CodeAction::Spawn,         Layer::Back,  pic::kDragonHead,    pic::kDragonHeadFlash, 3, 80,   0,  0,   1500,   100,  0, false, Behaviour::Snake},             // plus 20 body segments (kDragonBody)
  StageCode{ 29, "ArcFlierMirrored", CodeAction::Spawn,         Layer::Front, pic::kArcFlier,      kSpawnOwnFlash,     3, 80,   0,  3,    400,    40,  0, false, Behaviour::ArcFlierMirrored},  // from the upper-left corner
  StageCode{100, "WandererBoss",     CodeAction::Spawn,         Layer::Back,  pic::kWanderer,      pic::kWandererFlash, 3, 80,   0,  5,  35000,  7000,  0, true,  Behaviour::WandererBoss},      // boss
  StageCode{102, "CirclerBoss",      CodeAction::Spawn,         Layer::Back,  pic::kCircler,       pic::kCirclerFlash, 3, 50,   0,  5,  20000,  3000,  0, false, Behaviour::CirclerBoss},       // boss
  StageCode{104, "LancerBoss",       CodeAction::Spawn,         Layer::Back,  pic::kLancer,        pic::kLancerFlash,  3, 60,   0,  5,  31000,  9000,  0, true,  Behaviour::LancerBoss},        // boss
  StageCode{105, "GunshipEnemy",     CodeAction::Spawn,         Layer::Back,  pic::kGunship,       pic::kGunshipFlash, 3, 70,   0,  5,  11000, 20000,  0, false, Behaviour::GunshipEnemy},      // large enemy, not a boss
  StageCode{107, "BeamBoss",         CodeAction::Spawn,         Layer::Back,  pic::kBeamBoss,      pic::kBeamBossFlash, 3, 40,   0,  5,  40000, 13000,  0, true,  Behaviour::BeamBoss},          // boss
  StageCode{108, "SpiralBoss",       CodeAction::Spawn,         Layer::Back,  pic::kSpiralBoss,    pic::kSpiralBossFlash, 3, 50,   0,  5,  50000, 15000,  0, true,  Behaviour::SpiralBoss},        // boss
  StageCode{109, "FortressBoss",     CodeAction::Spawn,         Layer::Back,  pic::kFortress,      kSpawnOwnFlash,     3, 50,   0,  0,  57300, 15000,  0, true,  Behaviour::FortressBoss},      // boss; X = 650
  StageCode{110, "FinalBoss",        CodeAction::Spawn,         Layer::Back,  pic::kFinalBoss,     pic::kFinalBossFlash, 3, 40,   0,  5, 100000, 60000,  0, false, Behaviour::FinalBoss},         // boss; at (650, 190)
  StageCode{111, "NoiseOn",          CodeAction::NoiseOn,       Layer::Back,  kSpawnNoImage,       kSpawnOwnFlash,     7, 80,   0,  0,      0,     0,  0, false, Behaviour::None},              // noise overlay at (370, 170)
  StageCode{112, "NoiseOff",         CodeAction::NoiseOff,      Layer::None,  kSpawnNoImage,       kSpawnOwnFlash,     0,  0,   0,  0,      0,     0,  0, false, Behaviour::None},              // frees the noise overlay
  StageCode{113, "DrifterBoss",      CodeAction::Spawn,         Layer::Back,  pic::kDrifterBoss,   pic::kDrifterBossFlash, 3, 50,   0,  0,  20000,   800,  0, false, Behaviour::DrifterBoss},       // boss
  StageCode{150, "Picture",          CodeAction::Picture,       Layer::None,  kSpawnNoImage,       kSpawnOwnFlash,     0,  0,   0,  0,      0,     0,  0, false, Behaviour::None},              // ArgX picture 1-91, ArgY hold, Extra delay
  StageCode{151, "BossCaption",      CodeAction::BossCaption,   Layer::None,  kSpawnNoImage,       kSpawnOwnFlash,     0,  0,   0,  0,      0,     0,  0, false, Behaviour::None},              // slow scroll; caption 1-5 by ArgX
  StageCode{152, "EscortLevel",      CodeAction::Spawn,         Layer::Front, pic::kEscortLevel,   kSpawnOwnFlash,     7, 80,   0,  0,      0,     0,  0, false, Behaviour::EscortToPlayer},    // escort from (80, -50)
  StageCode{153, "EscortAbove",      CodeAction::Spawn,         Layer::Front, pic::kEscortAbove,   kSpawnOwnFlash,     7, 80,   0,  0,      0,     0,  0, false, Behaviour::EscortAbove},       // escort from (-50, 80)
  StageCode{154, "EscortBelow",      CodeAction::Spawn,         Layer::Front, pic::kEscortBelow,   kSpawnOwnFlash,     7, 80,   0,  0,      0,     0,  0, false, Behaviour::EscortBelow},       // escort from (-50, 240)
  StageCode{155, "SlowScroll",       CodeAction::SlowScroll,    Layer::None,  kSpawnNoImage,       kSpawnOwnFlash,     0,  0,   0,  0,      0,     0,  0, false, Behaviour::None},              // back 1, front 3
  StageCode{156, "FastScroll",       CodeAction::FastScroll,    Layer::None,  kSpawnNoImage,       kSpawnOwnFlash,     0,  0,   0,  0,      0,     0,  0, false, Behaviour::None},              // back 10, front 14
  StageCode{157, "FinalCaption",     CodeAction::FinalCaption,  Layer::None,  kSpawnNoImage,       kSpawnOwnFlash,     0,  0,   0,  0,      0,     0,  0, false, Behaviour::None},              // the final boss captions
  StageCode{999, "StageClear",       CodeAction::StageClear,    Layer::None,  kSpawnNoImage,       kSpawnOwnFlash,     0,  0,   0,  0,      0,     0,  0, false, Behaviour::None},              // hands over to the stage clear tally
};
// clang-format on

// Code 150's picture n (1-91) shows archive entry kPictureList[n - 1].
inline constexpr std::array<int16_t, 91> kPictureList = {
    pic::kPicture01, pic::kPicture02, pic::kPicture03, pic::kPicture04, pic::kPicture05,
    pic::kPicture06, pic::kPicture07, pic::kPicture08, pic::kPicture09, pic::kPicture10,
    pic::kPicture11, pic::kPicture12, pic::kPicture13, pic::kPicture14, pic::kPicture15,
    pic::kPicture16, pic::kPicture17, pic::kPicture18, pic::kPicture19, pic::kPicture20,
    pic::kPicture21, pic::kPicture22, pic::kPicture23, pic::kPicture24, pic::kPicture25,
    pic::kPicture26, pic::kPicture27, pic::kPicture28, pic::kPicture29, pic::kPicture30,
    pic::kPicture31, pic::kPicture32, pic::kPicture33, pic::kPicture34, pic::kPicture35,
    pic::kPicture36, pic::kPicture37, pic::kPicture38, pic::kPicture39, pic::kPicture40,
    pic::kPicture41, pic::kPicture42, pic::kPicture43, pic::kPicture44, pic::kPicture45,
    pic::kPicture46, pic::kPicture47, pic::kPicture48, pic::kPicture49, pic::kPicture50,
    pic::kPicture51, pic::kPicture52, pic::kPicture53, pic::kPicture54, pic::kPicture55,
    pic::kPicture56, pic::kPicture57, pic::kPicture58, pic::kPicture59, pic::kPicture60,
    pic::kPicture61, pic::kPicture62, pic::kPicture63, pic::kPicture64, pic::kPicture65,
    pic::kPicture66, pic::kPicture67, pic::kPicture68, pic::kPicture69, pic::kPicture70,
    pic::kPicture71, pic::kPicture72, pic::kPicture73, pic::kPicture74, pic::kPicture75,
    pic::kPicture76, pic::kPicture77, pic::kPicture78, pic::kPicture79, pic::kPicture80,
    pic::kPicture81, pic::kPicture82, pic::kPicture83, pic::kPicture84, pic::kPicture85,
    pic::kPicture86, pic::kPicture87, pic::kPicture88, pic::kPicture89, pic::kPicture90,
    pic::kPicture91,
};

// The row for a code, or nullptr for a code the interpreter skips.
constexpr const StageCode* FindStageCode(int32_t code) {
  for (const StageCode& c : kStageCodes) {
    if (c.code == code) return &c;
  }
  return nullptr;
}

// The row for a symbolic name, compared without regard to letter case.
constexpr const StageCode* FindStageCodeByName(std::string_view name) {
  auto lower = [](char ch) {
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
  };
  for (const StageCode& c : kStageCodes) {
    const std::string_view candidate = c.name;
    if (candidate.size() != name.size()) continue;
    bool same = true;
    for (size_t i = 0; i < name.size() && same; ++i) same = lower(candidate[i]) == lower(name[i]);
    if (same) return &c;
  }
  return nullptr;
}

}  // namespace tolvane
