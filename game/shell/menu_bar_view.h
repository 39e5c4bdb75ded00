#pragma once
// Draws the main menu bar with Dear ImGui and gives its access keys the behaviour of a
// native menu: Alt + key opens a menu or runs an item, a plain key chooses inside an open
// menu, Escape closes one level, a lone Alt press opens the first menu; each caption's
// access letter is underlined. Chosen items are handed out as commands to run between
// frames.
#include <cstddef>
#include <optional>
#include <vector>

#include "game/shell/main_menu.h"
#include "game/shell/replay_menu.h"

namespace tolvane {

class MenuBarView {
 public:
  // Inside an ImGui frame: the menu bar, with check marks as the form has them.
  void Draw(const TFormMain& form);
  // The menu bar is not drawn (full screen): ImGui drops its popups, so the view forgets
  // what was open or about to open or close.
  void Forget();

  // A key pressed while the menu bar is shown. `character` is the key's letter or digit
  // (0 for other keys). True when the menu took the key, so the game must not see it.
  bool HandleKey(char character, bool alt, bool escape);
  // The Alt key on its own: down, then up with no other key or mouse button between,
  // opens the first menu (or closes the open menus). True when the menu changed.
  void AltDown();
  bool AltUp();
  // Any other key or mouse button: the Alt press is no longer a lone one.
  void OtherInput() { altAlone_ = false; }
  // True when a menu was open at the last frame.
  bool MenuOpen() const { return !openPath_.empty(); }

  // The item chosen since the last call, if any.
  std::optional<const MenuEntry*> TakeChosen();

 private:
  void DrawMenu(std::span<const MenuEntry> menu, const TFormMain& form, size_t depth,
                std::vector<const MenuEntry*>& openNow);
  // The items of a menu entry: its submenu, or the replays read when their menu opened.
  std::span<const MenuEntry> Items(const MenuEntry& entry) const;
  bool WasOpen(const MenuEntry& entry) const;
  void Choose(const MenuEntry& entry);
  void CloseTo(size_t levels);

  std::vector<const MenuEntry*> openPath_;     // open menus at the last frame, outermost first
  std::vector<const MenuEntry*> pendingOpen_;  // menus to open at the next frame
  std::optional<size_t> closeTo_;              // menu levels to keep open at the next frame
  bool altAlone_ = false;
  const MenuEntry* chosen_ = nullptr;
  ReplayMenu replays_;
};

}  // namespace tolvane
