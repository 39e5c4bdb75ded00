#pragma once
// The game flow's own switches and start settings: the developer key sequence, the music
// option, and where a new game starts. The background options live with the backdrop
// (game/play/game_state.h) and the sound option with the sound effects (game/engine/sound.h);
// all four options are switched on at boot and never stored.
#include <array>
#include <cstdint>

namespace tolvane {

// Keys of the developer key sequence typed so far, 0-8.
extern int32_t KeySequenceIndex;
// Stage, ending and continue music is played.
extern bool MusicEnabled;
// Stage (1-5) at which NewGame starts, and the starting level of each weapon.
inline constexpr int32_t kStartWeapons = 3;
extern int32_t StartStage;
extern std::array<int32_t, kStartWeapons> StartWeaponLevel;

// Back to the start-of-run values (tests).
void ResetFlowState();

}  // namespace tolvane
