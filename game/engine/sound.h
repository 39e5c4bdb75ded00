#pragma once
// Sound effects: the seven in-memory waves, played through the player's sound option.
#include <cstdint>

namespace tolvane {

// Wave-list indices; the order is fixed by the program's resources.
inline constexpr int32_t kSoundExplosion = 0;   // ~1.28 s, start of every explosion
inline constexpr int32_t kSoundPlayerHit = 1;   // ~1.03 s, the player loses a tail
inline constexpr int32_t kSoundBlip = 2;        // ~0.07 s, menu choice, item pick-up
inline constexpr int32_t kSoundBossAction = 3;  // ~0.15 s
inline constexpr int32_t kSoundUnused = 4;      // ~1.26 s, never played
inline constexpr int32_t kSoundTally = 5;       // ~0.15 s, stage-clear tally lines
inline constexpr int32_t kSoundLetter = 6;      // ~0.25 s, name-entry letter, enemy fire
inline constexpr int32_t kSoundCount = 7;

// 1 = sound effects are played (the options screen switches it).
extern uint8_t SoundEnabled;

// Plays the effect if SoundEnabled is set; otherwise does nothing.
void PlaySound(int32_t index);
// Plays the effect now, from its start, without waiting; copies overlap freely. Does
// nothing without a sound device or for an index outside 0..6.
void PlayWave(int32_t index);

// SoundEnabled back to 0 (tests).
void ResetSound();

}  // namespace tolvane
