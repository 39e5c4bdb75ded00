#pragma once
// The course of a game: NewGame builds the play screen and its persistent actors,
// StageStart loads a stage and starts its script, StageClear tallies the bonus and leads
// to the next stage or the ending, GameOverMove places the score after the last tail,
// and the continue screen restarts the stage or returns to the title. The shared game
// state (Score, Tails, StageActor, ...) is game/play/game_state.h; the actors below are
// the flow's own.
#include <array>
#include <cstdint>

#include "game/engine/actor.h"
#include "game/play/player.h"

namespace tolvane {

// StageActor's Work words (the stage number, kStageNumber = 50, is the play's): the
// weapon and the three levels the player gets at the next stage start.
inline constexpr int kNextWeapon = 51;
inline constexpr int kNextWeaponLevel = 52;  // Work[52..54]

// Work words of the actor that ran the game-over test: the counter of the game-over
// frames (the player's DeathTimer, 28) and the place of the new entry.
inline constexpr int kPlaceWord = 53;
// A counter this high means the actor came from the ending, not from a lost game.
inline constexpr int32_t kEndingCounter = 300;

// The four stage-clear banners (index 0 = banner 1), the three tally lines, and the two
// picture actors of each stage's opening (a third spare is made but unused).
inline constexpr int kBannerCount = 4;
inline constexpr int kTallyLines = 3;
inline constexpr int kSpareActors = 3;
extern std::array<TActor*, kBannerCount> BannerActors;
extern std::array<char*, kTallyLines> TallyText;
extern std::array<TActor*, kSpareActors> SpareActors;

void NewGame(TActor& actor);
void StageStart(TActor& actor);

// The pieces NewGame and StageStart build the play screen from, in the order they make them
// (the tests' play harness builds its scene from the same pieces). NewGame: the backdrop actor
// and the dummy target; the player with its weapon display sliding in, each weapon at its
// level; the eight protection orbs, empty; kStartTails tails.
inline constexpr int32_t kStartTails = 3;
void MakePlayArea();
void MakePlayer(const std::array<int32_t, kWeaponCount>& levels);
void MakeOrbs();
// StageStart: the player enters from the left, guarded, showing its weapon; the two HUD lines
// glide in, those of the stage before ended first.
void PlayerEntry(TActor& player);
void StartHudLines();
void StageClear(TActor& actor);
// Moves a picture of the stage opening: glides to its place, holds, then launches off to
// the right and disappears. Work[kPanelHold] counts down; Work[kPanelTargetX] is its place.
inline constexpr int kPanelHold = 0;
inline constexpr int kPanelTargetX = 1;
void PanelSlideMove(TActor& actor);
void GameOverMove(TActor& actor);
void ContinueSetup(TActor& actor);
void ContinueMove(TActor& actor);

// Points every flow actor reference at ScratchActor (tests).
void ResetGameProgress();

}  // namespace tolvane
