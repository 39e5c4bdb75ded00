#pragma once
// FortressBoss (code 109): a tower that comes in to x 460, fires bursts of rays for 200
// frames, launches pods with tails for 200 frames, then retreats off to the right under a
// rain of darts for 300 frames and comes in again. Damage taken while it retreats does not
// count: it comes back with the hit points it left with.
#include <cstdint>

#include "content/images/picture_ids.h"
#include "game/engine/actor.h"

namespace tolvane {

// Work words (start values from its spawn).
inline constexpr int kFortressKeptHitPoints = 0;  // restored when it comes in
inline constexpr int kFortressSmoke = 1;          // smoke threshold, from 6000
inline constexpr int kFortressPhaseClock = 2;
inline constexpr int kFortressStepClock = 3;
inline constexpr int kFortressAimX = 4;
inline constexpr int kFortressAimY = 5;
inline constexpr int kFortressLastHitPoints = 6;  // for the hit flash
inline constexpr int kFortressHurry = 7;          // below this: more rays, faster pods (6000)

inline constexpr int32_t kFortressRestX = 460;
inline constexpr int32_t kFortressRestY = 160;
inline constexpr int32_t kFortressPhaseFrames = 200;  // rays, then pods
inline constexpr int32_t kFortressRetreatFrames = 300;
inline constexpr int32_t kFortressRetreatHitPoints = 30000;

// Pods: worth 1500, 400 hit points, each with a tail of 10 segments that cannot be shot.
inline constexpr int32_t kPodImage = pic::kDragonHead;
inline constexpr int32_t kPodScore = 1500;
inline constexpr int32_t kPodHitPoints = 400;
inline constexpr int32_t kPodTailSegments = 10;
inline constexpr int32_t kPodTailImage = pic::kDragonBody;
// Darts of the retreat.
inline constexpr int32_t kFortressDartImage = pic::kDart;

// Pod Work words besides the line-motion words (start in kOriginX/Y, direction in
// kShotAngle, frames flown in kShotFrames).
inline constexpr int kPodWiggle = 0;         // 256ths
inline constexpr int kPodLastHitPoints = 1;  // for the hit flash
// Tail segment Work words.
inline constexpr int kPodTailLeader = 0;  // slot of the pod or segment it follows
inline constexpr int kPodTailPod = 1;     // slot of its pod

// The fortress's later states.
void FortressRays(TActor& actor);
void FortressLaunch(TActor& actor);
void FortressRetreat(TActor& actor);

// A pod and its tail from (x, y), heading for the player; the pod's slot.
int32_t LaunchPod(int32_t x, int32_t y);
void WavePodMove(TActor& actor);
void PodTailMove(TActor& actor);

}  // namespace tolvane
