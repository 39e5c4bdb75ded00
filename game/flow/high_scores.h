#pragma once
// The high-score table: ten entries, best first, kept in five parallel arrays for the
// whole run. Among equal scores the older entry stays above. This file holds the table
// and its text form; the settings file access is in high_score_file.h.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/host/host_services.h"

namespace tolvane {

inline constexpr int32_t kRankCount = 10;
// The place given to a score that does not enter the table.
inline constexpr int32_t kNotPlaced = kRankCount;
// The longest name the name entry builds.
inline constexpr size_t kMaxNameLength = 6;

extern std::array<std::string, kRankCount> RankName;  // empty only while being entered
extern std::array<int32_t, kRankCount> RankScore;
extern std::array<int32_t, kRankCount> RankYear;
extern std::array<int32_t, kRankCount> RankMonth;
extern std::array<int32_t, kRankCount> RankDay;

// Splitting a stored value: every character of code 32 or less ends the current field
// (runs of them count as one, leading ones are skipped). At most kMaxFields are kept;
// returns how many.
inline constexpr int32_t kMaxFields = 10;
using FieldList = std::array<std::string, kMaxFields>;
int32_t SplitFields(std::string_view value, FieldList& fields);

// Entry n (0-9) from a stored value "name score year month day". A missing field, or a
// number field that is not a whole decimal number in range, takes the default entry's.
void SetRankFromText(int32_t n, std::string_view value);
// Entry n as stored: numbers in plain decimal, an empty name as "TAIL".
std::string RankAsText(int32_t n);

// Where a score enters the table: counting up from the bottom past every entry with a
// lower score, so an equal score stays below. kNotPlaced when it does not enter.
int32_t PlaceOf(int32_t score);
// Moves entries n..8 down one place (the tenth is lost) and puts an empty-named entry
// with the score and date at n. Does nothing for n outside 0-9.
void InsertRank(int32_t n, int32_t score, CalendarDate date);

// Ten default entries (tests).
void ResetHighScores();

}  // namespace tolvane
