#pragma once
// The bosses' (and the large enemies') first behaviours, installed by the stage script
// (stage codes 15 and 100-113), and the DrawProc of the noise overlay (codes 111, 112).
// Their later states and helpers are declared by the bosses' own module.
#include "game/engine/actor.h"

namespace tolvane {

void WandererBoss(TActor& actor);
void CirclerBoss(TActor& actor);
void LancerBoss(TActor& actor);
void GunshipEnemy(TActor& actor);
void BeamBoss(TActor& actor);
void SpiralBoss(TActor& actor);
void FortressBoss(TActor& actor);
void FinalBoss(TActor& actor);
void DrifterBoss(TActor& actor);

void SpawnWandererBoss(TActor& actor);
void SpawnCircler(TActor& actor);  // codes 15 and 102
void SpawnLancerBoss(TActor& actor);
void SpawnGunshipEnemy(TActor& actor);
void SpawnBeamBoss(TActor& actor);
void SpawnSpiralBoss(TActor& actor);
void SpawnFortressBoss(TActor& actor);
void SpawnFinalBoss(TActor& actor);
void SpawnDrifterBoss(TActor& actor);

// DrawProc of the flickering overlay.
void NoiseDraw(TActor& actor);

}  // namespace tolvane
