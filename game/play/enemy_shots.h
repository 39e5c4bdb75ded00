#pragma once
// Enemy shots: aimed shots that fly in a straight line from where they were fired toward
// a point, polar shots that fly from an origin at an angle, growing shots, and the fast
// rotated rays of the bosses. All are Kind 1 (they hurt and cannot be shot) unless the
// caller makes one a shootable bullet (Kind 3 with enemy words) and leave the field on
// any edge.
#include <cstdint>

#include "content/images/picture_ids.h"
#include "game/engine/actor.h"

namespace tolvane {

// Line-motion Work words of enemy shots (and of the enemies that fly the same way).
inline constexpr int kOriginX = 50;
inline constexpr int kOriginY = 51;
inline constexpr int kTargetX = 52;  // aimed shots
inline constexpr int kTargetY = 53;
inline constexpr int kShotSpeed = 54;   // pixels per frame
inline constexpr int kShotFrames = 55;  // frames flown
inline constexpr int kShotAngle = 56;   // polar shots, 256ths of a turn (0 right, 64 down)

// The enemies' usual bullet and its animation.
inline constexpr int32_t kBulletImage = pic::kBullet;
inline constexpr int32_t kBulletPatternPeriod = 5;

// With (chance + 1) in 1000, an aimed bullet from the enemy at the player's position now,
// at speed + StageNumber - 1. A chance of -1 never fires, 999 always.
void EnemyFire(const TActor& enemy, int32_t chance, int32_t speed);

// An aimed shot (front layer, Kind 1, AimedShotMove) from (x, y) toward (targetX, targetY).
TActor& NewAimedShot(int32_t image, int32_t x, int32_t y, int32_t targetX, int32_t targetY,
                     int32_t speed);
// A polar shot (front layer, Kind 1, PolarShotMove) from (x, y) at the angle in 256ths.
TActor& NewPolarShot(int32_t image, int32_t x, int32_t y, int32_t angle, int32_t speed);
// A ray (image 177, front layer, Kind 1) from (x, y) toward (targetX, targetY) at 32
// pixels per frame, drawn rotated along its flight.
TActor& SpawnRay(int32_t x, int32_t y, int32_t targetX, int32_t targetY);

void AimedShotMove(TActor& actor);
void PolarShotMove(TActor& actor);
// As PolarShotMove; on its 5th and 10th frames the next pattern and a hit box 20 % larger.
void GrowingShotMove(TActor& actor);
// DrawProc of rays: 50 x 10 pixels turned by the shot's angle about its middle.
void RayDraw(TActor& actor);

}  // namespace tolvane
