#pragma once
// The high-score display: a heading and the ten entries gliding in one after another,
// three frames apart; button 1 returns to the title.
#include <cstdint>
#include <string>

#include "game/engine/actor.h"

namespace tolvane {

// Work words of the display's controller (a persistent actor made by the title menu).
inline constexpr int kRankingReaderWord = 10;
inline constexpr int kRankingLineWord = 11;   // entries shown so far
inline constexpr int kRankingPhaseWord = 12;  // frames since the last one, up to 3

// Entry n as a display line: ordinal, name, score in 8 digits, date as yyyy/mm/dd.
std::string RankingLine(int32_t n);

void RankingSetup(TActor& controller);
void RankingMove(TActor& controller);

}  // namespace tolvane
