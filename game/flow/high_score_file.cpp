#include "game/flow/high_score_file.h"

#include <cstdio>
#include <vector>

#include "game/flow/flow_texts.h"
#include "game/flow/game_watch.h"
#include "game/flow/high_scores.h"
#include "game/host/program_state.h"

namespace tolvane {

std::string RankKey(int32_t n) {
  return kRankKeyPrefix + std::to_string(n);
}

void ReadHighScores() {
  if (IniFile != nullptr) {
    const std::string problem = IniFile->ReadProblem();
    if (!problem.empty())
      std::fprintf(stderr, "tolvane: the high-score table could not be read, defaults used: %s\n",
                   problem.c_str());
  }
  for (int32_t n = 0; n < kRankCount; ++n) {
    const std::string value = IniFile != nullptr
                                  ? IniFile->ReadString(kRankSection, RankKey(n), kDefaultRankEntry)
                                  : kDefaultRankEntry;
    SetRankFromText(n, value);
  }
}

bool WriteHighScores() {
  for (std::string& name : RankName) {
    if (name.empty()) name = kEmptyNameStored;
  }
  if (!StoreHighScores) return true;
  if (IniFile == nullptr) return false;
  std::vector<pres::SettingsFile::KeyValue> table;
  for (int32_t n = 0; n < kRankCount; ++n) table.emplace_back(RankKey(n), RankAsText(n));
  if (IniFile->WriteStrings(kRankSection, table)) return true;
  std::fprintf(stderr, "tolvane: the high-score table could not be saved: %s\n",
               IniFile->LastError().c_str());
  return false;
}

}  // namespace tolvane
