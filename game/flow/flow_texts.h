#pragma once
// The texts the game flow shows or stores, each written once here.
#include <array>

namespace tolvane {

// The error box of a stage file that cannot be read; the program then closes.
inline constexpr const char* kStageFileError = "ステージファイルが読み込めません";
// Shown under the stage title at every stage start.
inline constexpr const char* kStartCaption = "Start!!";

// The three lines of the stage-clear tally.
inline constexpr const char* kTallyTailFormat = "TAIL      %6d";
inline constexpr const char* kTallyComboFormat = "MAXCOMBO  %6d";
inline constexpr const char* kTallyProtectionFormat = "PROTECTION%6d";

// One line of the high-score display: ordinal, name, score, year/month/day.
inline constexpr const char* kRankingLineFormat = "%4s %6s %8.8d %4.4d/%2.2d/%2.2d";
inline constexpr std::array<const char*, 10> kRankOrdinals = {
    "1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th", "10th",
};

// The high-score table in the settings file: one key per place, RANK0 to RANK9, in one
// section; each value is "name score year month day".
inline constexpr const char* kRankSection = "Tolvane Echo";
inline constexpr const char* kRankKeyPrefix = "RANK";
inline constexpr const char* kDefaultRankEntry = "TAIL 0 2000 01 01";
// What an empty name is stored and shown as.
inline constexpr const char* kEmptyNameStored = "TAIL";

}  // namespace tolvane
