#pragma once
// Blasts: the explosions that carry the combo. A blast waits its delay, then strikes the
// first enemy it touches (once) with its damage at its level; a kill by a level-n blast
// spawns three blasts of level n + 1, so kills can chain. The render pass frees a blast
// at the end of its animation. A big blast throws small blasts over a dead enemy's box.
#include <cstdint>

#include "content/images/picture_ids.h"
#include "game/engine/actor.h"

namespace tolvane {

// Blast Work words.
inline constexpr int kBlastDelay = 0;   // frames before it strikes
inline constexpr int kBlastDamage = 1;  // given to the first enemy touched, then 0
inline constexpr int kBlastLevel = 2;   // combo level of its damage
inline constexpr int kBlastDrift = 3;   // vertical pixels per frame
// Big blast Work word.
inline constexpr int kBigBlastFrames = 0;  // frames left

// The explosion animations (archive entry, drawn frames).
inline constexpr AnimRow BlastAnimA[] = {
    {pic::kBlastA1, 2}, {pic::kBlastA2, 2}, {pic::kBlastA3, 2}, {pic::kBlastA4, 2},
    {pic::kBlastA5, 1}, {pic::kBlastA6, 1}, {pic::kBlastA7, 1}, {kAnimEnd, 0},
};
inline constexpr AnimRow BlastAnimB[] = {
    {pic::kBlastB1, 2}, {pic::kBlastB2, 2}, {pic::kBlastB3, 2}, {pic::kBlastB4, 2},
    {pic::kBlastB5, 1}, {pic::kBlastB6, 1}, {pic::kBlastB7, 1}, {kAnimEnd, 0},
};

// One blast (front layer) at a random point of the source's box, or at its position when
// the source has no size. Its level is level + 1, which raises MaxCombo when higher.
TActor& SpawnBlast(const TActor& source, int32_t delay, int32_t damage, int32_t drift,
                   int32_t level);
// A big blast (back layer, never drawn) over the source's box for the given frames.
TActor& SpawnBigBlast(const TActor& source, int32_t frames);

void BlastMove(TActor& actor);
void BigBlastMove(TActor& actor);

}  // namespace tolvane
