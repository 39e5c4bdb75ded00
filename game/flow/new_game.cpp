// NewGame: the play screen and the actors that live through the whole game.
#include <array>

#include "game/engine/actor_pool.h"
#include "game/engine/text_actors.h"
#include "game/engine/text_slots.h"
#include "game/flow/flow_state.h"
#include "game/flow/game_progress.h"
#include "game/flow/game_watch.h"
#include "game/play/game_state.h"
#include "game/play/player.h"

namespace tolvane {

std::array<TActor*, kBannerCount> BannerActors = {&ScratchActor, &ScratchActor, &ScratchActor,
                                                  &ScratchActor};
std::array<char*, kTallyLines> TallyText = {SpareTextBuffer, SpareTextBuffer, SpareTextBuffer};
std::array<TActor*, kSpareActors> SpareActors = {&ScratchActor, &ScratchActor, &ScratchActor};

namespace {

struct Place {
  int32_t x;
  int32_t y;
};

// Empty lines kept on text rows 2 and 3 through the game.
constexpr int32_t kSpareTextRow = 2;
constexpr int32_t kFullScale = 100;

constexpr int32_t kDummyTargetX = 550;
constexpr int32_t kDummyTargetY = 160;

// Places of banners 1-4; they are made from banner 4 down to banner 1.
constexpr std::array<Place, kBannerCount> kBannerPlaces = {
    {{240, 160}, {330, 100}, {325, 77}, {330, 160}}};
// Tally lines at text cells (18, 13), (18, 14), (18, 15).
constexpr int32_t kTallyColumn = 18;
constexpr int32_t kTallyFirstRow = 13;

// The weapon display slides in from the right: start, target x.
struct HudPiece {
  int word;
  int32_t image;
  Place start;
  int32_t targetX;
};
constexpr std::array<HudPiece, 3> kHudPieces = {{
    {kWeaponIcon, kWeaponIconImage, {550, 290}, 320},
    {kLevelGauge, kLevelGaugeImage, {600, 290}, 410},
    {kLevelDigit, kLevelDigitImage, {600, 300}, 380},
}};

constexpr int32_t kOrbPatternPeriod = 2;

}  // namespace

void MakePlayArea() {
  BackdropActor = &NewActor(LayerBack);
  BackdropActor->Kind = KindPersistent;
  DummyTarget = &NewActor(LayerBack);
  DummyTarget->X = kDummyTargetX;
  DummyTarget->Y = kDummyTargetY;
}

void MakePlayer(const std::array<int32_t, kWeaponCount>& levels) {
  TActor& player = NewActor(LayerBack);
  PlayerActor = &player;
  SetPlayerLook(player);
  player.X = kPlayerStartX;
  player.Y = kPlayerStartY;
  player.HitScale = kPlayerHitScale;
  player.Kind = KindPlayer;
  player.Work[kWeapon] = 0;
  for (int32_t w = 0; w < kWeaponCount; ++w)
    WeaponLevel(player, w) = levels[static_cast<size_t>(w)];
  for (const HudPiece& piece : kHudPieces) {
    TActor& hud = NewActor(LayerTop);
    SetImage(hud, piece.image);
    hud.X = piece.start.x;
    hud.Y = piece.start.y;
    hud.Work[kSlideTargetX] = piece.targetX;
    hud.Move = HudSlideMove;
    player.Work[piece.word] = SlotOf(hud);
  }
}

void MakeOrbs() {
  for (size_t i = 0; i < ProtectionActors.size(); ++i) {
    TActor& orb = NewActor(LayerBack);
    orb.PatternPeriod = kOrbPatternPeriod;
    orb.Work[kOrbPhase] = kOrbPhases[i];
    orb.Move = OrbMove;
    ProtectionActors[i] = &orb;
  }
}

void NewGame(TActor& starter) {
  if (OnGameStart != nullptr) OnGameStart(starter);
  ClearAllActors();
  // The clear ended the HUD lines of any earlier game; their slots may be handed out again.
  HudLine1 = nullptr;
  HudLine2 = nullptr;
  GlideText(0, kSpareTextRow, "", kFullScale, kFullScale, 0, 0);
  GlideText(0, kSpareTextRow + 1, "", kFullScale, kFullScale, 0, 0);

  MakePlayArea();
  ShotCharge = 0;
  LossCharge = 0;

  for (TActor*& spare : SpareActors) spare = &NewActor(LayerFront);
  for (size_t i = 0; i < BannerActors.size(); ++i) {
    const size_t banner = BannerActors.size() - 1 - i;
    TActor& actor = NewActor(LayerFront);
    actor.X = kBannerPlaces[banner].x;
    actor.Y = kBannerPlaces[banner].y;
    BannerActors[banner] = &actor;
  }
  for (size_t i = 0; i < TallyText.size(); ++i) {
    TallyText[i] = TextAtCell(kTallyColumn, kTallyFirstRow + static_cast<int32_t>(i), "", 0, 0);
  }

  MakePlayer(StartWeaponLevel);
  MakeOrbs();
  Tails = kStartTails;
  Score = 0;

  StageActor = &NewActor(LayerBack);
  StageActor->Work[kStageNumber] = StartStage;
  StageActor->Work[kNextWeapon] = 0;
  for (int32_t w = 0; w < kStartWeapons; ++w) {
    StageActor->Work[static_cast<size_t>(kNextWeaponLevel + w)] =
        StartWeaponLevel[static_cast<size_t>(w)];
  }
  StageActor->Move = StageStart;
  StageClearHook = StageClear;
  GameOverHook = GameOverMove;
}

void ResetGameProgress() {
  BannerActors.fill(&ScratchActor);
  TallyText.fill(SpareTextBuffer);
  SpareActors.fill(&ScratchActor);
}

}  // namespace tolvane
