// tolvane-headless: the game without window or sound, for tests and content designers.
//
//   tolvane-headless [--frames N] [--keys SCRIPT] [--png-dir DIR] [--png-every K]
//                    [--digest FILE] [--data DIR] [--record]
//                    [--autopilot [--stage S] [--level L] [--weapon W] [--from-time T]
//                                 [--lag F] [--human SEED] [--continues N]
//                                 [--until clear|title] [--report FILE]]
//   tolvane-headless --replay FILE [--png-dir DIR] [--png-every K] [--digest FILE] [--data DIR]
//
// Runs N frames (300; with --until, enough for the goal) from start-up, pressing keys as the script
// says (see key_script.h), and writes one digest line per frame to FILE (standard output by
// default) and every K-th frame's picture to DIR. The data folder defaults to the program's own.
//
// With --autopilot the game plays itself (autopilot.h): from the title, or from stage S
// with every weapon at level L; keeping weapon W; each stage's script started at clock T;
// steering F frames after it saw the game (a slower pilot, for judging difficulty); with
// --human, as a person would (human_pilot.h), its slips drawn from a stream seeded with SEED;
// taking at most N continues in a game. --until clear ends the run when a stage's clear
// tally begins, --until title when the title is back after the game (the ending, or the
// last game over). What happened, stage by stage, goes to the report FILE (standard error
// by default).
//
// --record keeps every game started from the title as a replay, as the game does
// ($XDG_DATA_HOME/tolvane-echo/replays). --replay plays a replay file from start-up to its
// end, checking it as it goes; the status is 1 when it cannot be played or goes astray.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "game/host/program_paths.h"
#include "game/replay/replay_file.h"
#include "tools/headless/autopilot.h"
#include "tools/headless/headless_run.h"
#include "tools/headless/key_script.h"

namespace {

// Frames a goal needs when --frames is not given: a stage takes 6000-8000 frames; the whole
// game with its ending about 60000, continues included.
constexpr int kClearFrames = 50000;
constexpr int kTitleFrames = 200000;

int Usage() {
  std::fprintf(
      stderr,
      "usage: tolvane-headless [--frames N] [--keys SCRIPT] [--png-dir DIR] [--png-every K]\n"
      "                        [--digest FILE] [--data DIR] [--record]\n"
      "                        [--autopilot [--stage S] [--level L] [--weapon W] [--from-time T]\n"
      "                                     [--lag F] [--human SEED] [--continues N]\n"
      "                                     [--until clear|title] [--report FILE]]\n"
      "       tolvane-headless --replay FILE [--png-dir DIR] [--png-every K] [--digest FILE]\n"
      "                        [--data DIR]\n");
  return 2;
}

std::optional<int> Number(const char* text, long least, long most) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < least || value > most) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<int> Count(const char* text) {
  return Number(text, 1, 100000000);
}

}  // namespace

int main(int argc, char** argv) {
  tolvane::headless::RunOptions options;
  options.dataDirectory = tolvane::ProgramDirectory();
  std::string keysPath;
  std::string digestPath;
  std::string reportPath;
  std::string until;
  bool autopilot = false;
  bool framesGiven = false;
  tolvane::headless::AutopilotOptions pilot;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--autopilot" || option == "--record") {
      (option == "--autopilot" ? autopilot : options.record) = true;
      continue;
    }
    if (i + 1 >= argc) return Usage();
    const char* value = argv[++i];
    if (option == "--frames" || option == "--png-every") {
      const std::optional<int> count = Count(value);
      if (!count) return Usage();
      (option == "--frames" ? options.frames : options.pngEvery) = *count;
      framesGiven = framesGiven || option == "--frames";
    } else if (option == "--replay") {
      // The run moves into the data folder, so a relative path is fixed to where we start.
      options.replayFile = std::filesystem::absolute(value).string();
    } else if (option == "--keys") {
      keysPath = value;
    } else if (option == "--png-dir") {
      // The run moves into the data folder, so a relative folder is fixed to where we start.
      options.pngDirectory = std::filesystem::absolute(value).string();
    } else if (option == "--digest") {
      digestPath = value;
    } else if (option == "--data") {
      options.dataDirectory = value;
    } else if (option == "--stage" || option == "--level" || option == "--weapon" ||
               option == "--from-time" || option == "--lag" || option == "--continues") {
      const std::optional<int> n = option == "--stage"       ? Number(value, 1, 5)
                                   : option == "--level"     ? Number(value, 1, 50)
                                   : option == "--weapon"    ? Number(value, 0, 2)
                                   : option == "--lag"       ? Number(value, 0, 30)
                                   : option == "--continues" ? Number(value, 0, 1000)
                                                             : Number(value, 0, 1000000);
      if (!n) return Usage();
      (option == "--stage"       ? pilot.stage
       : option == "--level"     ? pilot.weaponLevel
       : option == "--weapon"    ? pilot.weapon
       : option == "--lag"       ? pilot.lag
       : option == "--continues" ? pilot.continues
                                 : pilot.fromTime) = *n;
    } else if (option == "--human") {
      const std::optional<int> seed = Number(value, 0, 1000000000);
      if (!seed) return Usage();
      pilot.human = static_cast<uint64_t>(*seed);
    } else if (option == "--until") {
      until = value;
      if (until != "clear" && until != "title") return Usage();
    } else if (option == "--report") {
      reportPath = value;
    } else {
      return Usage();
    }
  }
  if (autopilot && !keysPath.empty()) {
    std::fprintf(stderr, "tolvane-headless: --keys and --autopilot exclude each other\n");
    return 2;
  }
  if (!options.replayFile.empty() && (autopilot || !keysPath.empty() || options.record)) {
    std::fprintf(stderr, "tolvane-headless: --replay plays on its own input\n");
    return 2;
  }
  // A replay runs to its end: the boot frame and every recorded frame.
  if (!options.replayFile.empty() && !framesGiven)
    options.frames = 1 + int32_t(tolvane::kMostReplayFrames);

  std::optional<tolvane::headless::KeyScript> keys;
  if (!keysPath.empty()) {
    std::ifstream in(keysPath);
    if (!in) {
      std::fprintf(stderr, "tolvane-headless: cannot read the key script %s\n", keysPath.c_str());
      return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    keys = tolvane::headless::KeyScript::Parse(text.str(), &error);
    if (!keys) {
      std::fprintf(stderr, "tolvane-headless: %s: %s\n", keysPath.c_str(), error.c_str());
      return 1;
    }
  }

  std::ofstream digestFile;
  if (!digestPath.empty()) {
    digestFile.open(digestPath, std::ios::trunc);
    if (!digestFile) {
      std::fprintf(stderr, "tolvane-headless: cannot write %s\n", digestPath.c_str());
      return 1;
    }
  }
  std::ostream& digests = digestPath.empty() ? std::cout : digestFile;
  // Opened before the run: the program may change the working folder at start-up.
  std::ofstream reportFile;
  if (!reportPath.empty()) {
    reportFile.open(reportPath, std::ios::trunc);
    if (!reportFile) {
      std::fprintf(stderr, "tolvane-headless: cannot write the report %s\n", reportPath.c_str());
      return 1;
    }
  }
  std::optional<tolvane::headless::Autopilot> player;
  tolvane::headless::PadSource* source =
      keys ? static_cast<tolvane::headless::PadSource*>(&*keys) : nullptr;
  if (autopilot) {
    player.emplace(pilot);
    source = &*player;
    if (until == "clear") options.done = [&player] { return player->Log().TakeClear(); };
    if (until == "title") options.done = [&player] { return player->BackAtTitleAfterGame(); };
    if (!until.empty() && !framesGiven)
      options.frames = until == "clear" ? kClearFrames : kTitleFrames;
  }
  const int status = tolvane::headless::RunHeadless(options, source, digests);
  digests.flush();
  if (player) {
    std::ostream& report = reportPath.empty() ? std::cerr : reportFile;
    player->Log().Write(report);
    if (!report) {
      std::fprintf(stderr, "tolvane-headless: cannot write the report %s\n", reportPath.c_str());
      return 1;
    }
  }
  if (!digests) {
    std::fprintf(stderr, "tolvane-headless: cannot write the digests\n");
    return 1;
  }
  return status;
}
