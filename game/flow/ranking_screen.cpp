#include "game/flow/ranking_screen.h"

#include <array>
#include <cstdio>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/engine/text_actors.h"
#include "game/engine/text_slots.h"
#include "game/flow/flow_texts.h"
#include "game/flow/high_scores.h"
#include "game/flow/title_screen.h"

namespace tolvane {

namespace {

constexpr int32_t kHeadingImage = pic::kHighScores;
constexpr int32_t kHeadingX = 240;
constexpr int32_t kHeadingY = 40;

// Centred (a negative column), not at column 1: with the game's 16-pixel font cells a line of
// 31 characters at 110 % is 375 pixels wide, and from column 1 it sat 40 pixels left of the
// centred heading above it.
constexpr int32_t kLineColumn = -1;
constexpr int32_t kFirstLineRow = 6;
constexpr int32_t kLineScale = 110;
constexpr int32_t kLineInterval = 3;  // frames between two lines

}  // namespace

std::string RankingLine(int32_t n) {
  if (n < 0 || n >= kRankCount) return {};
  const auto i = static_cast<size_t>(n);
  std::array<char, kTextSlotSize> line{};
  std::snprintf(line.data(), line.size(), kRankingLineFormat, kRankOrdinals[i], RankName[i].c_str(),
                RankScore[i], RankYear[i], RankMonth[i], RankDay[i]);
  return line.data();
}

void RankingSetup(TActor& controller) {
  ClearSceneActors();
  TextAtCell(0, 0, "", 0, 0);
  TextAtCell(0, 1, "", 0, 0);
  PopPicture(kHeadingX, kHeadingY, kHeadingImage, 0, 0);
  controller.Work[kRankingReaderWord] = SlotOf(NewMenuKeyReader());
  controller.Work[kRankingLineWord] = 0;
  controller.Work[kRankingPhaseWord] = kLineInterval;
  controller.Move = RankingMove;
}

void RankingMove(TActor& controller) {
  TPadState keys{};
  ReadMenuKey(ActorAt(controller.Work[kRankingReaderWord]), keys);
  if (PadHeld(keys, PadButton1)) controller.Move = TitleSetup;

  int32_t& line = controller.Work[kRankingLineWord];
  int32_t& phase = controller.Work[kRankingPhaseWord];
  if (line >= kRankCount) return;
  if (phase == kLineInterval) {
    GlideText(kLineColumn, kFirstLineRow + line, RankingLine(line), kLineScale, kLineScale, 0, 0);
    line += 1;
    phase = 0;
  }
  phase += 1;
}

}  // namespace tolvane
