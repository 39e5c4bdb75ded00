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
};

constexpr bool IsBoss(const StageCode& c) {
  return c.scoreValue > kBossScoreThreshold;
}

// One row per record code: its name, what it does and, for a spawn, the actor's look, words
// and procedures. spawn sets the start values beyond the row's (nullptr: none); move is the
// behaviour installed. The gameplay binds those two (stage_spawns.cpp); the content tools,
// which have no gameplay, never expand them.
// clang-format off
//  code  name              action        layer  image                 flash                    kind HS HS/st PP score   HP   HP/st stop  spawn              move
#define TOLVANE_STAGE_CODES(X) \
  X(  0, Halt            , Halt        , None , kSpawnNoImage       , kSpawnOwnFlash         , 0,  0,   0, 0,      0,     0,  0, false, nullptr          , nullptr         ) /* halt until a boss is killed */ \
  X(  1, Swooper         , Spawn       , Back , pic::kSwooper       , kSpawnOwnFlash         , 3, 60,   0, 3,    100,    10,  0, false, nullptr          , Swooper         ) /* turns into a Drifter at x < 150 */ \
  X(  2, Glider          , Spawn       , Back , pic::kGlider        , kSpawnOwnFlash         , 3, 80,   0, 5,    200,    10,  0, false, SpawnGlider      , Glider          ) /* glides to a random target Y */ \
  X(  3, Splitter        , Spawn       , Back , kSpawnAnimated      , kSpawnOwnFlash         , 3, 80,   0, 0,    200,    10,  0, false, SpawnSplitter    , Splitter        ) /* animation table kSplitterA, kSplitterB */ \
  X(  4, Charger         , Spawn       , Back , pic::kCharger       , kSpawnOwnFlash         , 3, 80,   0, 0,    100,    10,  0, false, nullptr          , Charger         ) /* Charger */ \
  X(  5, Dart            , Spawn       , Front, pic::kDart          , kSpawnOwnFlash         , 3, 60, -10, 0,     50,     7,  0, false, SpawnDart        , DartMove        ) /* flies at the player's position */ \
  X(  6, LoopFlier       , Spawn       , Front, pic::kLoopFlier     , kSpawnOwnFlash         , 3, 80,   0, 3,     50,    15,  0, false, SpawnLoopFlier   , LoopFlier       ) /* a big loop over the screen */ \
  X(  7, ArcFlier        , Spawn       , Front, pic::kArcFlier      , kSpawnOwnFlash         , 3, 80,   0, 3,    400,    40,  0, false, SpawnArcFlier    , ArcFlier        ) /* half-circle from the lower left */ \
  X(  8, Serpent         , Spawn       , Front, pic::kSerpent       , kSpawnOwnFlash         , 3, 80,   0, 0,   5000,   300,  0, false, SpawnSerpent     , Serpent         ) /* grows segments as it is hit */ \
  X(  9, Popper          , Spawn       , Front, pic::kPopper        , kSpawnOwnFlash         , 3, 80,   0, 0,    100,  2000,  0, false, nullptr          , Popper          ) /* bursts at the first hit */ \
  X( 10, Drifter         , Spawn       , Back , pic::kDrifter       , kSpawnOwnFlash         , 3, 60,   0, 5,    400,    20,  0, false, SpawnDrifter     , Drifter         ) /* Drifter */ \
  X( 11, TwinSplitter    , Spawn       , Back , pic::kTwinSplitter  , kSpawnOwnFlash         , 3, 80,   0, 5,    500,    40,  0, false, nullptr          , TwinSplitter    ) /* splits into two halves */ \
  X( 12, Lunger          , Spawn       , Back , pic::kLunger        , kSpawnOwnFlash         , 3, 80,   0, 5,    100,     0, 10, false, nullptr          , Lunger          ) /* hit points 10 × stage */ \
  X( 13, Waver           , Spawn       , Back , pic::kWaver         , pic::kWaverFlash       , 3, 80,   0, 5,    100,   300,  0, false, SpawnWaver       , Waver           ) /* Waver */ \
  X( 14, Hopper          , Spawn       , Back , pic::kHopper        , kSpawnOwnFlash         , 3, 60,   0, 5,    100,  3000,  0, false, SpawnHopper      , Hopper          ) /* hops when hit */ \
  X( 15, Circler         , Spawn       , Back , pic::kCircler       , pic::kCirclerFlash     , 3, 50,   0, 5,  18000,  6000,  0, false, SpawnCircler     , CirclerBoss     ) /* CirclerBoss behaviour, not a boss */ \
  X( 16, Frog            , Spawn       , Back , pic::kFrog          , kSpawnOwnFlash         , 3, 50,   0, 0,    100,    50,  0, false, SpawnFrog        , Frog            ) /* Frog */ \
  X( 17, Gunner          , Spawn       , Back , pic::kGunner        , kSpawnOwnFlash         , 3, 60,   0, 3,   2000,   250,  0, false, SpawnGunner      , Gunner          ) /* Gunner */ \
  X( 18, Zigzag          , Spawn       , Back , pic::kZigzag        , pic::kZigzagFlash      , 3, 80,   0, 0,   1100,    70,  0, false, SpawnZigzag      , Zigzag          ) /* slows from 18 to 3 px/frame */ \
  X( 19, SinkerDown      , Spawn       , Back , pic::kSinker        , kSpawnOwnFlash         , 3, 80,   0, 0,    300,    70,  0, false, SpawnSinker      , SinkerDown      ) /* SinkerDown */ \
  X( 20, SinkerUp        , Spawn       , Back , pic::kSinker        , kSpawnOwnFlash         , 3, 80,   0, 0,    300,    70,  0, false, SpawnSinker      , SinkerUp        ) /* SinkerUp */ \
  X( 21, CeilingCrawler  , Spawn       , Back , pic::kCeilingCrawler, kSpawnOwnFlash         , 3, 80,   0, 0,    300,    70,  0, false, SpawnCrawler     , CeilingCrawler  ) /* ArgX 0: random X 100-479 */ \
  X( 22, FloorCrawler    , Spawn       , Back , pic::kFloorCrawler  , kSpawnOwnFlash         , 3, 80,   0, 0,    300,    70,  0, false, SpawnCrawler     , FloorCrawler    ) /* ArgX 0: random X 100-479 */ \
  X( 23, FanGunnerLow    , Spawn       , Back , pic::kFanGunnerLow  , kSpawnOwnFlash         , 1, 80,   0, 0,    300, 70000,  0, false, SpawnFanGunner   , FanGunnerLow    ) /* cannot be shot */ \
  X( 24, FanGunnerHigh   , Spawn       , Back , pic::kFanGunnerHigh , kSpawnOwnFlash         , 1, 80,   0, 0,    300, 70000,  0, false, SpawnFanGunner   , FanGunnerHigh   ) /* cannot be shot */ \
  X( 25, DiverDown       , Spawn       , Back , pic::kDiverDown     , kSpawnOwnFlash         , 3, 80,   0, 0,    300,    30,  0, false, SpawnDiverDown   , DiverDown       ) /* Y = -30; ArgX 0: random X 100-579 */ \
  X( 26, ZigzagFast      , Spawn       , Back , pic::kZigzag        , pic::kZigzagFlash      , 3, 80,   0, 0,   1100,   200,  0, false, SpawnZigzagFast  , Zigzag          ) /* slows from 30 to 3 px/frame */ \
  X( 27, DiverUp         , Spawn       , Back , pic::kDiverUp       , kSpawnOwnFlash         , 3, 80,   0, 0,    300,    30,  0, false, SpawnDiverUp     , DiverUp         ) /* Y = 350; ArgX 0: random X 100-579 */ \
  X( 28, Snake           , Spawn       , Back , pic::kDragonHead    , pic::kDragonHeadFlash  , 3, 80,   0, 0,   1500,   100,  0, false, SpawnSnake       , Snake           ) /* plus 20 body segments (kDragonBody) */ \
  X( 29, ArcFlierMirrored, Spawn       , Front, pic::kArcFlier      , kSpawnOwnFlash         , 3, 80,   0, 3,    400,    40,  0, false, SpawnArcFlier    , ArcFlierMirrored) /* from the upper-left corner */ \
  X(100, WandererBoss    , Spawn       , Back , pic::kWanderer      , pic::kWandererFlash    , 3, 80,   0, 5,  35000,  7000,  0, true , SpawnWandererBoss, WandererBoss    ) /* boss */ \
  X(102, CirclerBoss     , Spawn       , Back , pic::kCircler       , pic::kCirclerFlash     , 3, 50,   0, 5,  20000,  3000,  0, false, SpawnCircler     , CirclerBoss     ) /* boss */ \
  X(104, LancerBoss      , Spawn       , Back , pic::kLancer        , pic::kLancerFlash      , 3, 60,   0, 5,  31000,  9000,  0, true , SpawnLancerBoss  , LancerBoss      ) /* boss */ \
  X(105, GunshipEnemy    , Spawn       , Back , pic::kGunship       , pic::kGunshipFlash     , 3, 70,   0, 5,  11000, 20000,  0, false, SpawnGunshipEnemy, GunshipEnemy    ) /* large enemy, not a boss */ \
  X(107, BeamBoss        , Spawn       , Back , pic::kBeamBoss      , pic::kBeamBossFlash    , 3, 40,   0, 5,  40000, 13000,  0, true , SpawnBeamBoss    , BeamBoss        ) /* boss */ \
  X(108, SpiralBoss      , Spawn       , Back , pic::kSpiralBoss    , pic::kSpiralBossFlash  , 3, 50,   0, 5,  50000, 15000,  0, true , SpawnSpiralBoss  , SpiralBoss      ) /* boss */ \
  X(109, FortressBoss    , Spawn       , Back , pic::kFortress      , kSpawnOwnFlash         , 3, 50,   0, 0,  57300, 15000,  0, true , SpawnFortressBoss, FortressBoss    ) /* boss; X = 650 */ \
  X(110, FinalBoss       , Spawn       , Back , pic::kFinalBoss     , pic::kFinalBossFlash   , 3, 40,   0, 5, 100000, 60000,  0, false, SpawnFinalBoss   , FinalBoss       ) /* boss; at (650, 190) */ \
  X(111, NoiseOn         , NoiseOn     , Back , kSpawnNoImage       , kSpawnOwnFlash         , 7, 80,   0, 0,      0,     0,  0, false, nullptr          , nullptr         ) /* noise overlay at (370, 170) */ \
  X(112, NoiseOff        , NoiseOff    , None , kSpawnNoImage       , kSpawnOwnFlash         , 0,  0,   0, 0,      0,     0,  0, false, nullptr          , nullptr         ) /* frees the noise overlay */ \
  X(113, DrifterBoss     , Spawn       , Back , pic::kDrifterBoss   , pic::kDrifterBossFlash , 3, 50,   0, 0,  20000,   800,  0, false, SpawnDrifterBoss , DrifterBoss     ) /* boss */ \
  X(150, Picture         , Picture     , None , kSpawnNoImage       , kSpawnOwnFlash         , 0,  0,   0, 0,      0,     0,  0, false, nullptr          , nullptr         ) /* ArgX picture 1-91, ArgY hold, Extra delay */ \
  X(151, BossCaption     , BossCaption , None , kSpawnNoImage       , kSpawnOwnFlash         , 0,  0,   0, 0,      0,     0,  0, false, nullptr          , nullptr         ) /* slow scroll; caption 1-5 by ArgX */ \
  X(152, EscortLevel     , Spawn       , Front, pic::kEscortLevel   , kSpawnOwnFlash         , 7, 80,   0, 0,      0,     0,  0, false, SpawnEscortLevel , EscortToPlayer  ) /* escort from (80, -50) */ \
  X(153, EscortAbove     , Spawn       , Front, pic::kEscortAbove   , kSpawnOwnFlash         , 7, 80,   0, 0,      0,     0,  0, false, SpawnEscortAbove , EscortAbove     ) /* escort from (-50, 80) */ \
  X(154, EscortBelow     , Spawn       , Front, pic::kEscortBelow   , kSpawnOwnFlash         , 7, 80,   0, 0,      0,     0,  0, false, SpawnEscortBelow , EscortBelow     ) /* escort from (-50, 240) */ \
  X(155, SlowScroll      , SlowScroll  , None , kSpawnNoImage       , kSpawnOwnFlash         , 0,  0,   0, 0,      0,     0,  0, false, nullptr          , nullptr         ) /* back 1, front 3 */ \
  X(156, FastScroll      , FastScroll  , None , kSpawnNoImage       , kSpawnOwnFlash         , 0,  0,   0, 0,      0,     0,  0, false, nullptr          , nullptr         ) /* back 10, front 14 */ \
  X(157, FinalCaption    , FinalCaption, None , kSpawnNoImage       , kSpawnOwnFlash         , 0,  0,   0, 0,      0,     0,  0, false, nullptr          , nullptr         ) /* the final boss captions */ \
  X(999, StageClear      , StageClear  , None , kSpawnNoImage       , kSpawnOwnFlash         , 0,  0,   0, 0,      0,     0,  0, false, nullptr          , nullptr         ) /* hands over to the stage clear tally */

#define TOLVANE_STAGE_CODE_ROW(code, name, action, layer, image, flash, kind, hitScale,          \
                               hitScalePerStage, patternPeriod, score, hitPoints,                \
                               hitPointsPerStage, stopScroll, spawn, move)                       \
  StageCode{code, #name, CodeAction::action, Layer::layer, image, flash, kind, hitScale,          \
            hitScalePerStage, patternPeriod, score, hitPoints, hitPointsPerStage, stopScroll},
inline constexpr std::array kStageCodes = {TOLVANE_STAGE_CODES(TOLVANE_STAGE_CODE_ROW)};
#undef TOLVANE_STAGE_CODE_ROW
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
