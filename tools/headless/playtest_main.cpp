// tolvane-playtest: whole games played by the human-like pilot at several lags with several
// seeds each, one after the other, and their figures (playtest_table.h).
//
//   tolvane-playtest [--lags 0,3,6,9] [--seeds 5] [--continues 3] [--stage S --level L]
//                    [--last-stage N] [--reports DIR] [--write FILE]
//
// Each game starts from the title (or at stage S with every weapon at level L) and ends at
// the title again, or when stage N is cleared. --write puts the figures into FILE between
// its markers (standard output without it); --reports keeps each game's play log in DIR.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "game/host/program_paths.h"
#include "tools/headless/autopilot.h"
#include "tools/headless/headless_run.h"
#include "tools/headless/playtest_table.h"

namespace {

using tolvane::headless::AutopilotOptions;
using tolvane::headless::PlaytestGame;

// Far more than a game of five stages with every continue taken lasts.
constexpr int32_t kFrameCap = 200000;

int Usage() {
  std::fprintf(stderr,
               "usage: tolvane-playtest [--lags 0,3,6,9] [--seeds 5] [--continues 3]\n"
               "                        [--stage S --level L] [--last-stage N] [--reports DIR]\n"
               "                        [--write FILE]\n");
  return 2;
}

std::optional<int> Number(const std::string& text, long least, long most) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < least || value > most) return std::nullopt;
  return static_cast<int>(value);
}

// Plays one game; with `reports`, keeps its play log there and clears `written` if it cannot.
PlaytestGame Play(const AutopilotOptions& options, int32_t lastStage, const std::string& reports,
                  bool& written) {
  tolvane::headless::Autopilot pilot(options);
  tolvane::headless::RunOptions run;
  run.dataDirectory = tolvane::ProgramDirectory();
  run.frames = kFrameCap;
  run.done = [&] {
    if (pilot.BackAtTitleAfterGame()) return true;
    const auto& stages = pilot.Log().Stages();
    return !stages.empty() && stages.back().stage == lastStage && stages.back().Cleared();
  };
  std::ostringstream digests;
  tolvane::headless::RunHeadless(run, &pilot, digests);
  if (!reports.empty()) {
    std::ofstream out(
        std::filesystem::path(reports) /
        ("lag" + std::to_string(options.lag) + "-seed" + std::to_string(*options.human) + ".txt"));
    pilot.Log().Write(out);
    if (!out) written = false;
  }
  return {options.lag, *options.human, pilot.Log().Stages()};
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int32_t> lags = {0, 3, 6, 9};
  int32_t seeds = 5;
  int32_t lastStage = 5;
  std::string reports;
  std::string write;
  AutopilotOptions options;
  options.continues = 3;
  for (int i = 1; i < argc; i += 2) {
    if (i + 1 >= argc) return Usage();
    const std::string option = argv[i];
    const std::string value = argv[i + 1];
    if (option == "--lags") {
      lags.clear();
      std::stringstream list(value);
      for (std::string item; std::getline(list, item, ',');) {
        const std::optional<int> lag = Number(item, 0, 30);
        if (!lag) return Usage();
        lags.push_back(*lag);
      }
    } else if (option == "--reports") {
      // The run moves into the game's folder: a relative folder is taken from here first.
      reports = std::filesystem::absolute(value).string();
      std::filesystem::create_directories(reports);
    } else if (option == "--write") {
      write = std::filesystem::absolute(value).string();
    } else {
      const std::optional<int> n = option == "--seeds"        ? Number(value, 1, 1000)
                                   : option == "--continues"  ? Number(value, 0, 1000)
                                   : option == "--stage"      ? Number(value, 1, 5)
                                   : option == "--level"      ? Number(value, 1, 50)
                                   : option == "--last-stage" ? Number(value, 1, 5)
                                                              : std::nullopt;
      if (!n) return Usage();
      (option == "--seeds"       ? seeds
       : option == "--continues" ? options.continues
       : option == "--stage"     ? options.stage
       : option == "--level"     ? options.weaponLevel
                                 : lastStage) = *n;
    }
  }

  std::vector<PlaytestGame> games;
  bool reportsWritten = true;
  for (int32_t lag : lags) {
    for (int32_t seed = 1; seed <= seeds; ++seed) {
      options.lag = lag;
      options.human = static_cast<uint64_t>(seed);
      if (lag == 0 && seed > 1) {
        // Without a lag the pilot has no slips: every seed plays the same game.
        games.push_back(games.back());
        games.back().seed = options.human.value();
        continue;
      }
      games.push_back(Play(options, lastStage, reports, reportsWritten));
      const auto& stages = games.back().stages;
      std::fprintf(stderr, "lag %d seed %d: stage %d%s after %zu tries\n", lag, seed,
                   stages.empty() ? 0 : stages.back().stage,
                   !stages.empty() && stages.back().Cleared() ? " cleared" : "", stages.size());
    }
  }

  if (!reportsWritten)
    std::fprintf(stderr, "tolvane-playtest: cannot write the play logs in %s\n", reports.c_str());
  const std::string section = tolvane::headless::PlaytestSection(games);
  if (write.empty()) {
    std::cout << section;
    return reportsWritten ? 0 : 1;
  }
  std::stringstream document;
  if (std::ifstream in(write); in) document << in.rdbuf();
  std::ofstream out(write, std::ios::trunc);
  out << tolvane::headless::ReplaceSection(document.str(), section);
  if (!out) {
    std::fprintf(stderr, "tolvane-playtest: cannot write %s\n", write.c_str());
    return 1;
  }
  return reportsWritten ? 0 : 1;
}
