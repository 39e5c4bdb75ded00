#pragma once
// What the bosses share: the flash on the frames they are hit, the smoke that rises as they
// lose hit points, shootable bullets, looks that keep a boss's flash picture in step, the
// circling and sweeping arithmetic of their flights, and the pull a charging boss has on the
// player. Each boss keeps the words these helpers use at indices of its own, named in its
// header.
#include <cstdint>

#include "content/images/picture_ids.h"
#include "game/engine/actor.h"

namespace tolvane {

// Stream 3 drives the bosses' own choices (targets, seeds, particles).
inline constexpr int32_t kBossStream = 3;
// The last two bosses come from farther right than the record's default X.
inline constexpr int32_t kLateBossX = 650;
// The bosses' bullet (EnemyFire) speed before the stage is added.
inline constexpr int32_t kBossFireSpeed = 8;
// Shootable bullets of the bosses: seeds, volley bullets (image 18).
inline constexpr int32_t kSeedImage = pic::kSeed;
inline constexpr int32_t kSeedPatternPeriod = 5;
// A smoke threshold falls by this much per smoke blast.
inline constexpr int32_t kSmokeStep = 100;

// First thing every frame: Flash while the hit points differ from those remembered in
// Work[rememberedWord] last frame; then they are remembered.
void HitFlash(TActor& boss, int rememberedWord);

// Below the threshold in Work[thresholdWord]: the threshold falls by 100 and one damaging
// smoke blast (50 points, most often to the boss itself) rises from the boss. At most one
// a frame. True when it smoked.
bool DamageSmoke(TActor& boss, int thresholdWord);

// A shootable bullet: an enemy (Kind 3, front layer) flying straight from (x, y) toward
// (targetX, targetY) at speed, worth scoreValue, with hitPoints, dropping nothing.
TActor& NewShootableBullet(int32_t image, int32_t x, int32_t y, int32_t targetX, int32_t targetY,
                           int32_t speed, int32_t scoreValue, int32_t hitPoints);

// The boss's look: its picture (taken with SetImage only when it changes, so a look set
// every frame keeps its geometry) and its flash picture.
void ChangeLook(TActor& boss, int32_t image, int32_t flashImage);

// One step of at most `step` toward the target.
int32_t StepToward(int32_t value, int32_t target, int32_t step);
// A sweep between two ends: once the base has reached the target, the target becomes the
// other end.
int32_t NextSweepTarget(int32_t target, int32_t base, int32_t end1, int32_t end2);

// Sine and cosine of an angle in degrees.
double SinDeg(int32_t degrees);
double CosDeg(int32_t degrees);

// While a tail is left, one step of the player toward (x, y) with the pull table, or the
// strong one.
void PullPlayer(int32_t x, int32_t y, bool strong);

// DropCode of the stage record the script is at (what a boss's pods and darts drop).
int32_t CurrentRecordDrop();

// The actor in the slot when it is still active and shows the image; nullptr when the slot
// was freed or taken by something else meanwhile.
TActor* StillThere(int32_t slot, int32_t image);

}  // namespace tolvane
