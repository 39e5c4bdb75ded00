#pragma once
// The replays menu: one item per replay kept in the replays folder, newest first, showing its
// date, final score, stage reached and length, with the access keys 1-9 and then A-Z. The list
// is read again each time the menu opens; an item's name is its file's path.
#include <span>
#include <string>
#include <vector>

#include "game/replay/replay_store.h"
#include "game/shell/main_menu.h"

namespace tolvane {

// Shown, greyed, in the replays menu while no replay is kept.
inline constexpr const char* kNoReplays = "リプレイはありません";

// Every character beyond ASCII an item of the menu may show (the menu font holds only those).
std::string ReplayMenuText();

// The item's caption, e.g. "&1 2026/12/08 21:05  123450点  ステージ3  12:34".
std::string ReplayCaption(const KeptReplay& replay, size_t index);

class ReplayMenu {
 public:
  void Refresh(std::vector<KeptReplay> kept);
  std::span<const MenuEntry> Items() const { return items_; }

 private:
  std::vector<KeptReplay> kept_;
  std::vector<std::string> captions_;
  std::vector<MenuEntry> items_;
};

}  // namespace tolvane
