#pragma once
// The regular enemies' behaviours that the stage script installs when it spawns them
// (stage codes 1-29, and the snake's body segments). Each is a MoveProc; the states an
// enemy passes into later are declared by the enemies' own module.
//
// What every spawned enemy holds on its first frame: the enemy words (enemy_words.h), the
// image and look of its stage code (stage_codes.h), and in Work[0..3] (kPrivateWords up)
// and Work[50..55] (the line-motion words, enemy_shots.h) the start values of its code.
#include "game/engine/actor.h"

namespace tolvane {

// First of the Work words private to an enemy's behaviour.
inline constexpr int kPrivateWords = 0;
// Chain segments (the snake's body): the actor followed, and the head whose end ends the chain.
inline constexpr int kSegmentLeader = 0;
inline constexpr int kSegmentHead = 1;

void Swooper(TActor& actor);
void Glider(TActor& actor);
void Splitter(TActor& actor);
void Charger(TActor& actor);
void DartMove(TActor& actor);
void LoopFlier(TActor& actor);
void ArcFlier(TActor& actor);
void Serpent(TActor& actor);
void Popper(TActor& actor);
void Drifter(TActor& actor);
void TwinSplitter(TActor& actor);
void Lunger(TActor& actor);
void Waver(TActor& actor);
void Hopper(TActor& actor);
void Frog(TActor& actor);
void Gunner(TActor& actor);
void Zigzag(TActor& actor);
void SinkerDown(TActor& actor);
void SinkerUp(TActor& actor);
void CeilingCrawler(TActor& actor);
void FloorCrawler(TActor& actor);
void FanGunnerLow(TActor& actor);
void FanGunnerHigh(TActor& actor);
void DiverDown(TActor& actor);
void DiverUp(TActor& actor);
void Snake(TActor& actor);
void SnakeSegment(TActor& actor);
void ArcFlierMirrored(TActor& actor);

}  // namespace tolvane
