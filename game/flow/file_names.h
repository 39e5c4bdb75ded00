#pragma once
// The file names and stage titles of the game, numbered 1-16: 1-5 the stage files,
// 6-11 the tunes (five stages, then the ending), 12-16 the stage titles.
#include <array>
#include <cstddef>
#include <cstdint>

namespace tolvane {

inline constexpr std::array<const char*, 16> FileNameTable = {
    "stage1.bin",         "stage2.bin",           "stage3.bin",          "stage4.bin",
    "stage5.bin",         "tolvstg1.mid",         "tolvstg2.mid",        "tolvstg3.mid",
    "tolvstg4.mid",       "tolvstg5.mid",         "tolvend.mid",         "Stage1...Fukai",
    "Stage2...Sea Stage", "Stage3...Woody Stage", "Stage4...China Town", "Stage5...Unknown Space",
};

inline constexpr int32_t kStageCount = 5;
inline constexpr int32_t kTuneCount = 6;      // five stage tunes and the ending tune
inline constexpr int32_t kEndingTune = 6;     // tune number of the ending
inline constexpr int32_t kFirstTuneName = 6;  // tune i is name 5 + i
inline constexpr int32_t kFirstTitleName = 12;

// Entry `number` (1-16) of FileNameTable; an empty text for any other number.
constexpr const char* FileName(int32_t number) {
  return number >= 1 && number <= static_cast<int32_t>(FileNameTable.size())
             ? FileNameTable[static_cast<std::size_t>(number - 1)]
             : "";
}
// The stage file, tune file and title of stage n (1-5); tune 6 is the ending's.
constexpr const char* StageFileName(int32_t stage) {
  return stage >= 1 && stage <= kStageCount ? FileName(stage) : "";
}
constexpr const char* TuneFileName(int32_t tune) {
  return tune >= 1 && tune <= kTuneCount ? FileName(kFirstTuneName - 1 + tune) : "";
}
constexpr const char* StageTitle(int32_t stage) {
  return stage >= 1 && stage <= kStageCount ? FileName(kFirstTitleName - 1 + stage) : "";
}

}  // namespace tolvane
