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

// Sets the start values of a fresh enemy beyond the look and enemy words of its row: its
// behaviour's words by name, and any spawn position or look of its own.
using SpawnProc = void (*)(TActor& actor);

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

void SpawnGlider(TActor& actor);
void SpawnSplitter(TActor& actor);
void SpawnDart(TActor& actor);
void SpawnLoopFlier(TActor& actor);
void SpawnArcFlier(TActor& actor);  // both arc fliers
void SpawnSerpent(TActor& actor);
void SpawnDrifter(TActor& actor);
void SpawnWaver(TActor& actor);
void SpawnHopper(TActor& actor);
void SpawnFrog(TActor& actor);
void SpawnGunner(TActor& actor);
void SpawnZigzag(TActor& actor);
void SpawnZigzagFast(TActor& actor);
void SpawnSinker(TActor& actor);     // both sinkers
void SpawnCrawler(TActor& actor);    // both crawlers
void SpawnFanGunner(TActor& actor);  // both fan gunners
void SpawnDiverDown(TActor& actor);
void SpawnDiverUp(TActor& actor);
void SpawnSnake(TActor& actor);

}  // namespace tolvane
