#pragma once
// The ending: the final score's placement (and name entry), the ending tune, a timed
// series of scenes and captions closing with the charges and their balance and a
// verdict, and beside it 13 closing pictures scrolling up; the last one stops mid-screen
// and waits for button 1, which returns to the title.
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// Work words: EndingWait's frames left, then EndingTimeline's frame counter; a timed
// picture's frames left; the closing-picture holder's counter and its 13 pictures.
inline constexpr int kEndingWaitCounter = 0;
inline constexpr int kTimelineFrame = 0;
inline constexpr int kPictureLife = 0;
inline constexpr int kCreditsFrame = 0;
inline constexpr int kClosingPictureWord = 1;  // Work[1..13]
inline constexpr int32_t kClosingPictures = 13;

// What is left of the budget for the game's costs: 150000 minus both charges.
int64_t EndingBalance();
// The verdict picture of a balance: 287 above 49999, 289 below -50000, else 288.
int32_t VerdictImage(int64_t balance);

void EndingStart(TActor& actor);
void EndingWait(TActor& actor);
void EndingTimeline(TActor& actor);
// The label, the value's decimal digits and the unit, left to right from x 10, centred
// on y 266, each living `life` frames.
void NumberPicture(int32_t label, int64_t value, int32_t unit, int32_t life);
// Frees the picture when its life is used up: it lives Work[kPictureLife] + 1 frames.
void TimedPictureMove(TActor& actor);

void CreditsRoll(TActor& holder);
// A closing picture moving up and fading in; the last one stops at y 100 and waits.
void ClosingPictureMove(TActor& actor);
// The last closing picture: button 1 returns to the title.
void ClosingWaitMove(TActor& actor);

}  // namespace tolvane
