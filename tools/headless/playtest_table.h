#pragma once
// The figures of a playtest: whole games played by human-like pilots (human_pilot.h) at
// several lags with several seeds each, as a Markdown section for content/stages/PLAYTEST.md.
// Per game: the stage reached and, per stage, tails and orbs lost over all tries and the
// time of the try that cleared it; per lag, how many games got how far; and the walls:
// places where nearly every game at the lags a person plays at lost a tail or an orb.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/headless/play_log.h"

namespace tolvane::headless {

struct PlaytestGame {
  int32_t lag = 0;
  uint64_t seed = 0;
  std::vector<StageLog> stages;  // every try, in order (PlayLog::Stages)
};

// A place in a stage: a clock of its script, or a time into the fight with the boss that
// holds the script at `holdClock`.
struct StagePlace {
  int32_t stage = 0;
  int32_t holdClock = -1;  // -1: the script was running
  int32_t time = 0;        // the script's clock, or frames since the boss came
  bool operator==(const StagePlace&) const = default;
};

struct Wall {
  StagePlace from;  // the first and last centre of the windows that made it
  int32_t to = 0;   // time of the last centre
  int32_t hit = 0;  // games that lost something there
  int32_t reached = 0;
};

// Where each loss of a try happened.
std::vector<StagePlace> LossPlaces(const StageLog& stage);
// Whether any try of the game's at `place`'s stage got as far as `place`.
bool Reached(const PlaytestGame& game, const StagePlace& place);

// Places where, within `window` frames either side, at least `share` of the games (of the
// lags given) that got there lost a tail or an orb; at least `fewest` games must have got
// there. Overlapping windows make one wall.
std::vector<Wall> FindWalls(const std::vector<PlaytestGame>& games,
                            const std::vector<int32_t>& lags, int32_t window, double share,
                            int32_t fewest);

// The whole section, from its heading on.
std::string PlaytestSection(const std::vector<PlaytestGame>& games);

// `document` with the part between the two marker lines replaced by `section` (markers
// kept), or with markers and section appended when it has none.
std::string ReplaceSection(const std::string& document, const std::string& section);

}  // namespace tolvane::headless
