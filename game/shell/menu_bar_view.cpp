#include "game/shell/menu_bar_view.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <string>

namespace tolvane {

void MenuBarView::Draw(const TFormMain& form) {
  if (pendingClose_) {
    ImGui::ClosePopupToLevel(0, true);
    pendingClose_ = false;
  }
  std::vector<const MenuEntry*> openNow;
  if (ImGui::BeginMainMenuBar()) {
    DrawMenu(MainMenuBar(), form, 0, openNow);
    ImGui::EndMainMenuBar();
  }
  openPath_ = std::move(openNow);
  // A requested menu that is open now has been served; one that did not open is dropped.
  pendingOpen_.clear();
}

void MenuBarView::DrawMenu(std::span<const MenuEntry> menu, const TFormMain& form, size_t depth,
                           std::vector<const MenuEntry*>& openNow) {
  for (const MenuEntry& entry : menu) {
    const std::string caption = DisplayCaption(entry.caption);
    if (entry.command != MenuCommand::Submenu) {
      if (ImGui::MenuItem(caption.c_str(), nullptr, MenuChecked(form, entry))) Choose(entry);
      continue;
    }
    if (depth < pendingOpen_.size() && pendingOpen_[depth] == &entry &&
        !ImGui::IsPopupOpen(caption.c_str())) {
      ImGui::OpenPopup(caption.c_str());
    }
    if (ImGui::BeginMenu(caption.c_str())) {
      openNow.push_back(&entry);
      DrawMenu(entry.submenu, form, depth + 1, openNow);
      ImGui::EndMenu();
    }
  }
}

bool MenuBarView::HandleKey(char character, bool alt, bool escape) {
  if (escape) {
    if (!MenuOpen()) return false;
    pendingClose_ = true;
    return true;
  }
  if (!MenuOpen() && !alt) return false;
  const std::span<const MenuEntry> menu = MenuOpen() ? openPath_.back()->submenu : MainMenuBar();
  const MenuEntry* entry = FindByAccessKey(menu, character);
  if (entry == nullptr) return MenuOpen();  // an open menu swallows the keys it does not know
  if (entry->command == MenuCommand::Submenu) {
    pendingOpen_ = openPath_;
    pendingOpen_.push_back(entry);
  } else {
    Choose(*entry);
  }
  return true;
}

void MenuBarView::Choose(const MenuEntry& entry) {
  chosen_ = &entry;
  pendingClose_ = true;
}

std::optional<const MenuEntry*> MenuBarView::TakeChosen() {
  if (chosen_ == nullptr) return std::nullopt;
  const MenuEntry* entry = chosen_;
  chosen_ = nullptr;
  return entry;
}

}  // namespace tolvane
