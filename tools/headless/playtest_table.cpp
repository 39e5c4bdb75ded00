#include "tools/headless/playtest_table.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <tuple>

namespace tolvane::headless {
namespace {

constexpr int32_t kStages = 5;
constexpr double kFramesPerMinute = 1875.0;  // 32 ms frames
constexpr const char* kBegin = "<!-- make playtest: from here -->";
constexpr const char* kEnd = "<!-- make playtest: to here -->";

std::string Format(const char* format, auto... values) {
  char text[256];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

std::vector<int32_t> Lags(const std::vector<PlaytestGame>& games) {
  std::set<int32_t> lags;
  for (const PlaytestGame& g : games) lags.insert(g.lag);
  return {lags.begin(), lags.end()};
}

int32_t Reached(const PlaytestGame& game) {
  int32_t stage = 0;
  for (const StageLog& s : game.stages) stage = std::max(stage, s.stage);
  return stage;
}

bool Cleared(const PlaytestGame& game, int32_t stage) {
  return std::any_of(game.stages.begin(), game.stages.end(),
                     [&](const StageLog& s) { return s.stage == stage && s.Cleared(); });
}

int32_t Tries(const PlaytestGame& game, int32_t stage) {
  return static_cast<int32_t>(std::count_if(game.stages.begin(), game.stages.end(),
                                            [&](const StageLog& s) { return s.stage == stage; }));
}

int32_t Continues(const PlaytestGame& game) {
  return static_cast<int32_t>(std::count_if(game.stages.begin(), game.stages.end(),
                                            [](const StageLog& s) { return s.again; }));
}

std::string Place(const StagePlace& p, int32_t to) {
  const std::string span = to != p.time ? Format("%d-%d", p.time, to) : Format("%d", p.time);
  if (p.holdClock < 0) return Format("stage %d, clock %s", p.stage, span.c_str());
  return Format("stage %d, boss (clock %d), %s frames into the fight", p.stage, p.holdClock,
                span.c_str());
}

std::string StageCell(const PlaytestGame& game, int32_t stage) {
  int32_t tails = 0, orbs = 0, frames = -1;
  for (const StageLog& s : game.stages) {
    if (s.stage != stage) continue;
    tails += s.tailsLost;
    orbs += s.orbsLost;
    if (s.Cleared()) frames = s.clearFrame - s.startFrame;
  }
  const int32_t tries = Tries(game, stage);
  if (tries == 0) return "";
  std::string cell = Format("%d/%d, ", tails, orbs);
  cell += frames >= 0 ? Format("%.1f min", frames / kFramesPerMinute) : "not cleared";
  if (tries > 1) cell += Format(", %d tries", tries);
  return cell;
}

void GameTable(std::ostream& out, const std::vector<PlaytestGame>& games) {
  out << "| Lag | Seed | Reached | Continues | Stage 1 | Stage 2 | Stage 3 | Stage 4 | Stage 5 |\n"
      << "|---|---|---|---|---|---|---|---|---|\n";
  for (const PlaytestGame& g : games) {
    out << "| " << g.lag << " | " << g.seed << " | "
        << (Cleared(g, kStages) ? std::string("cleared") : Format("%d", Reached(g))) << " | "
        << Continues(g);
    for (int32_t stage = 1; stage <= kStages; ++stage) out << " | " << StageCell(g, stage);
    out << " |\n";
  }
}

void SummaryTable(std::ostream& out, const std::vector<PlaytestGame>& games) {
  out << "| Lag | Stage 1 without a continue | Reached 2 | Reached 3 | Reached 4 | Reached 5 | "
         "Game cleared | Tails lost |\n"
      << "|---|---|---|---|---|---|---|---|\n";
  for (int32_t lag : Lags(games)) {
    int32_t n = 0, firstClean = 0, cleared = 0, tails = 0;
    std::array<int32_t, kStages + 1> reached{};
    for (const PlaytestGame& g : games) {
      if (g.lag != lag) continue;
      ++n;
      firstClean += Cleared(g, 1) && Tries(g, 1) == 1 ? 1 : 0;
      cleared += Cleared(g, kStages) ? 1 : 0;
      for (int32_t stage = 1; stage <= Reached(g); ++stage) ++reached[static_cast<size_t>(stage)];
      for (const StageLog& s : g.stages) tails += s.tailsLost;
    }
    out << "| " << lag << " | " << firstClean << " of " << n;
    for (int32_t stage = 2; stage <= kStages; ++stage)
      out << " | " << reached[static_cast<size_t>(stage)] << " of " << n;
    out << " | " << cleared << " of " << n << " | " << tails << " |\n";
  }
}

void Fights(std::ostream& out, const PlaytestGame& game) {
  out << "Boss fights of the lag-" << game.lag << " game, seed " << game.seed
      << " (frames the boss lived):";
  const char* separator = " ";
  for (const StageLog& s : game.stages) {
    if (!s.Cleared()) continue;
    out << separator << "stage " << s.stage;
    separator = "; ";
    for (const BossWait& w : s.waits) out << ' ' << (w.endFrame - w.frame);
  }
  out << ".\n";
}

}  // namespace

std::vector<StagePlace> LossPlaces(const StageLog& stage) {
  std::vector<StagePlace> places;
  for (size_t i = 0; i < stage.lossClocks.size(); ++i) {
    const int32_t clock = stage.lossClocks[i];
    const int32_t frame = stage.lossFrames[i];
    StagePlace place{stage.stage, -1, clock};
    for (const BossWait& w : stage.waits)
      if (w.clock == clock && frame >= w.frame && (w.endFrame < 0 || frame <= w.endFrame))
        place = {stage.stage, clock, frame - w.frame};
    places.push_back(place);
  }
  return places;
}

bool Reached(const PlaytestGame& game, const StagePlace& place) {
  for (const StageLog& s : game.stages) {
    if (s.stage != place.stage) continue;
    if (place.holdClock < 0 && s.lastClock >= place.time) return true;
    for (const BossWait& w : s.waits) {
      const int32_t end = w.endFrame >= 0 ? w.endFrame : s.lastFrame;
      if (place.holdClock == w.clock && end - w.frame >= place.time) return true;
    }
  }
  return false;
}

std::vector<Wall> FindWalls(const std::vector<PlaytestGame>& games,
                            const std::vector<int32_t>& lags, int32_t window, double share,
                            int32_t fewest) {
  std::vector<const PlaytestGame*> pool;
  for (const PlaytestGame& g : games)
    if (std::find(lags.begin(), lags.end(), g.lag) != lags.end()) pool.push_back(&g);
  // Every game's loss places, by game.
  std::vector<std::vector<StagePlace>> losses(pool.size());
  std::vector<StagePlace> centres;
  for (size_t i = 0; i < pool.size(); ++i)
    for (const StageLog& s : pool[i]->stages)
      for (const StagePlace& p : LossPlaces(s)) {
        losses[i].push_back(p);
        centres.push_back(p);
      }
  const auto order = [](const StagePlace& a, const StagePlace& b) {
    const int32_t ca = a.holdClock < 0 ? a.time : a.holdClock;
    const int32_t cb = b.holdClock < 0 ? b.time : b.holdClock;
    return std::tie(a.stage, ca, a.holdClock, a.time) < std::tie(b.stage, cb, b.holdClock, b.time);
  };
  std::sort(centres.begin(), centres.end(), order);
  centres.erase(std::unique(centres.begin(), centres.end()), centres.end());

  std::vector<Wall> walls;
  for (const StagePlace& c : centres) {
    int32_t hit = 0, reached = 0;
    for (size_t i = 0; i < pool.size(); ++i) {
      if (!Reached(*pool[i], c)) continue;
      ++reached;
      hit += std::any_of(losses[i].begin(), losses[i].end(),
                         [&](const StagePlace& p) {
                           return p.stage == c.stage && p.holdClock == c.holdClock &&
                                  std::abs(p.time - c.time) <= window;
                         })
                 ? 1
                 : 0;
    }
    if (reached < fewest || hit < share * reached) continue;
    Wall* last = walls.empty() ? nullptr : &walls.back();
    if (last != nullptr && last->from.stage == c.stage && last->from.holdClock == c.holdClock &&
        c.time - last->to <= 2 * window) {
      last->to = c.time;
      if (hit * last->reached > last->hit * reached) {
        last->hit = hit;
        last->reached = reached;
      }
    } else {
      walls.push_back({c, c.time, hit, reached});
    }
  }
  return walls;
}

std::string PlaytestSection(const std::vector<PlaytestGame>& games) {
  std::ostringstream out;
  out << "## Human-like pilots\n\n"
         "Written by `make playtest`: whole games from a new game at level 1, played by the "
         "human-like pilot (`--human SEED`, `tools/headless/human_pilot.h`) at each lag with "
         "each seed, at most 3 continues a game. Lag 0 is the exact autopilot: one game, the "
         "same for every seed.\n\n"
         "- *Reached*: the last stage played, or *cleared* for the whole game.\n"
         "- *Stage n*: tails / orbs lost over all tries of the stage, the minutes of the try "
         "that cleared it, and the tries when more than one.\n"
         "- *Walls*: places (a stage's clock, or frames into a boss fight) where, within 2 s "
         "either side, at least 80 % of the lag-3 and lag-6 games that got there lost a tail "
         "or an orb.\n\n";
  GameTable(out, games);
  out << "\n";
  SummaryTable(out, games);
  out << "\nWalls:";
  const std::vector<Wall> walls = FindWalls(games, {3, 6}, 62, 0.8, 3);
  if (walls.empty()) out << " none.";
  out << "\n";
  if (!walls.empty()) out << "\n";
  for (const Wall& w : walls)
    out << "- " << Place(w.from, w.to) << ": " << w.hit << " of " << w.reached << " games\n";
  const auto reference =
      std::min_element(games.begin(), games.end(),
                       [](const PlaytestGame& a, const PlaytestGame& b) { return a.lag < b.lag; });
  if (reference != games.end()) {
    out << "\n";
    Fights(out, *reference);
  }
  return out.str();
}

std::string ReplaceSection(const std::string& document, const std::string& section) {
  const size_t begin = document.find(kBegin);
  const size_t end = document.find(kEnd);
  const std::string block = std::string(kBegin) + "\n\n" + section + "\n" + kEnd;
  if (begin == std::string::npos || end == std::string::npos || end < begin) {
    std::string out = document;
    if (!out.empty() && out.back() != '\n') out += '\n';
    return out + "\n" + block + "\n";
  }
  return document.substr(0, begin) + block + document.substr(end + std::string(kEnd).size());
}

}  // namespace tolvane::headless
