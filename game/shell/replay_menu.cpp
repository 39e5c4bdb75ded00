#include "game/shell/replay_menu.h"

#include <cstdio>
#include <string_view>

#include "game/replay/replay_record.h"
#include "game/shell/frame_driver.h"

namespace tolvane {
namespace {

constexpr std::string_view kAccessKeys = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr uint32_t kMillisecondsPerSecond = 1000;
constexpr uint32_t kSecondsPerMinute = 60;

constexpr const char* kScoreUnit = "点";
constexpr const char* kStageWord = "ステージ";
constexpr const char* kEndingWord = "エンディング";

}  // namespace

std::string ReplayMenuText() {
  return std::string(kScoreUnit) + kStageWord + kEndingWord + kNoReplays;
}

std::string ReplayCaption(const KeptReplay& replay, size_t index) {
  const ReplayDate& d = replay.date;
  const uint32_t seconds =
      static_cast<uint32_t>(uint64_t{replay.frames} * kFrameIntervalMs / kMillisecondsPerSecond);
  const std::string stage = replay.stageReached == kEndingReached
                                ? std::string(kEndingWord)
                                : kStageWord + std::to_string(replay.stageReached);
  char text[160];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d  %d%s  %s  %u:%02u", d.year, d.month,
                d.day, d.hour, d.minute, replay.finalScore, kScoreUnit, stage.c_str(),
                seconds / kSecondsPerMinute, seconds % kSecondsPerMinute);
  if (index >= kAccessKeys.size()) return text;
  return std::string("&") + kAccessKeys[index] + " " + text;
}

void ReplayMenu::Refresh(std::vector<KeptReplay> kept) {
  kept_ = std::move(kept);
  captions_.clear();
  items_.clear();
  for (size_t i = 0; i < kept_.size(); ++i) captions_.push_back(ReplayCaption(kept_[i], i));
  // Built once the captions are all in place: the entries point into both lists.
  for (size_t i = 0; i < kept_.size(); ++i) {
    items_.push_back(
        {kept_[i].path.c_str(), captions_[i].c_str(), MenuCommand::Watch, static_cast<int>(i), {}});
  }
}

}  // namespace tolvane
