#pragma once
// FinalBoss (code 110): comes in to x 300 with a core that circles above the middle of the
// screen, then idles and chooses: bursts of rays, or (with a core on the field, or when
// weakened) a charged beam that costs the player a protection orb; without a core it first
// summons a new one. Its smoke is the big blast, each time a quarter further down.
#include <cstdint>

#include "content/images/picture_ids.h"
#include "game/engine/actor.h"

namespace tolvane {

// Work words (start values from its spawn).
inline constexpr int kFinalLastHitPoints = 0;  // for the hit flash
inline constexpr int kFinalSmoke = 1;          // big-blast threshold, from 40000
inline constexpr int kFinalClock = 2;
inline constexpr int kFinalCoreFlag = 3;  // 1 while a core is on the field
inline constexpr int kFinalOrb = 4;       // slot of the charge orb
inline constexpr int kFinalAimX = 5;
inline constexpr int kFinalAimY = 6;

inline constexpr int32_t kFinalRestX = 300;
inline constexpr int32_t kFinalIdleFrames = 100;  // it chooses when the clock passes this
inline constexpr int32_t kFinalRayFrames = 150;
inline constexpr int32_t kFinalChargeFrames = 100;
inline constexpr int32_t kFinalRecoilFrames = 10;  // back to idle when the clock passes this
// Without a core and above this, choice 0 only summons one.
inline constexpr int32_t kFinalStrong = 19999;
// The choice after idling.
inline constexpr int32_t kFinalChooseBeam = 0;
inline constexpr int32_t kFinalChooseRays = 1;

inline constexpr int32_t kFinalBeamImage = pic::kFinalBeam;

// Core Work words.
inline constexpr int kCoreAngleU = 0;  // 256ths
inline constexpr int kCoreAngleV = 1;
inline constexpr int kCoreAngleW = 2;
inline constexpr int kCoreShotClock = 3;
inline constexpr int kCoreBoss = 4;  // slot of the boss
inline constexpr int kCoreLastHitPoints = 5;

inline constexpr int32_t kCoreImage = pic::kFinalCore;
inline constexpr int32_t kCoreScore = 3000;
inline constexpr int32_t kCoreHitPoints = 6000;
inline constexpr int32_t kCoreBreaks = 4999;  // it dies at this many hit points or fewer

// The boss's later states.
void FinalIdle(TActor& actor);
void FinalRays(TActor& actor);
void FinalBeamStart(TActor& actor);
void FinalCharging(TActor& actor);
void FinalRecoil(TActor& actor);
// What the idle boss does with a choice (kFinalChooseBeam or kFinalChooseRays).
void FinalChoose(TActor& boss, int32_t choice);
// The beam: Kind 4, sweeping left with the launch table until it leaves.
void FinalBeamMove(TActor& actor);

// A new core for the boss when it has none (sets the flag).
void SummonFinalCore(TActor& boss);
// The core's behaviour.
void FinalCore(TActor& actor);

}  // namespace tolvane
