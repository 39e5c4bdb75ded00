#include "game/shell/menu_bar_view.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

#include "game/replay/replays.h"

namespace tolvane {
namespace {

// A thin bar under the access letter of a caption whose text starts at `textAt`, in the
// draw list of the bar or menu that holds the caption.
void UnderlineAccessKey(ImDrawList* list, ImVec2 textAt, const std::string& shown, size_t at) {
  if (at >= shown.size()) return;
  const char* text = shown.c_str();
  const float left = std::floor(textAt.x + ImGui::CalcTextSize(text, text + at).x);
  const float width = ImGui::CalcTextSize(text + at, text + at + 1).x;
  const float top = std::floor(textAt.y + ImGui::GetFont()->Ascent) + 2.0f;  // below the baseline
  list->AddRectFilled(ImVec2(left, top), ImVec2(left + width, top + 1.0f),
                      ImGui::GetColorU32(ImGuiCol_Text));
}

// A menu is never taller than the window below the menu bar; a longer one scrolls.
constexpr float kMenuBottomMargin = 4.0f;

}  // namespace

void MenuBarView::Draw(const TFormMain& form) {
  if (closeTo_.has_value()) {
    // Only menus still open are closed: ImGui closes a menu itself when an item in it is
    // clicked, and drops them all while the bar is not drawn.
    const int keep = static_cast<int>(*closeTo_);
    if (keep < ImGui::GetCurrentContext()->OpenPopupStack.Size)
      ImGui::ClosePopupToLevel(keep, true);
    closeTo_.reset();
  }
  std::vector<const MenuEntry*> openNow;
  if (ImGui::BeginMainMenuBar()) {
    DrawMenu(MainMenuBar(), form, 0, openNow);
    ImGui::EndMainMenuBar();
  }
  openPath_ = std::move(openNow);
  // An item clicked just now closed its menus.
  if (closeTo_.has_value()) openPath_.resize(std::min(openPath_.size(), *closeTo_));
  // A requested menu that is open now has been served; one that did not open is dropped.
  pendingOpen_.clear();
}

void MenuBarView::Forget() {
  openPath_.clear();
  pendingOpen_.clear();
  closeTo_.reset();
  altAlone_ = false;
}

void MenuBarView::DrawMenu(std::span<const MenuEntry> menu, const TFormMain& form, size_t depth,
                           std::vector<const MenuEntry*>& openNow) {
  // In the bar a caption starts half an item spacing right of the cursor; in a menu, at it.
  const float indent = depth == 0 ? std::floor(ImGui::GetStyle().ItemSpacing.x * 0.5f) : 0.0f;
  for (const MenuEntry& entry : menu) {
    const std::string caption = DisplayCaption(entry.caption);
    ImDrawList* list = ImGui::GetWindowDrawList();
    ImVec2 textAt = ImGui::GetCursorScreenPos();
    textAt.x += indent;
    const size_t accessAt = AccessKeyOffset(entry.caption);
    if (!OpensMenu(entry)) {
      if (ImGui::MenuItem(caption.c_str(), nullptr, MenuChecked(form, entry),
                          MenuEnabled(form, entry)))
        Choose(entry);
      UnderlineAccessKey(list, textAt, caption, accessAt);
      continue;
    }
    if (depth < pendingOpen_.size() && pendingOpen_[depth] == &entry &&
        !ImGui::IsPopupOpen(caption.c_str())) {
      ImGui::OpenPopup(caption.c_str());
    }
    if (entry.command == MenuCommand::Replays) {
      const float below = ImGui::GetCursorScreenPos().y + ImGui::GetFrameHeight();
      ImGui::SetNextWindowSizeConstraints(
          ImVec2(0.0f, 0.0f),
          ImVec2(FLT_MAX, std::max(ImGui::GetFrameHeight(),
                                   ImGui::GetIO().DisplaySize.y - below - kMenuBottomMargin)));
    }
    const bool open = ImGui::BeginMenu(caption.c_str());
    UnderlineAccessKey(list, textAt, caption, accessAt);
    if (open) {
      if (entry.command == MenuCommand::Replays && !WasOpen(entry)) replays_.Refresh(KeptReplays());
      openNow.push_back(&entry);
      if (Items(entry).empty()) ImGui::MenuItem(kNoReplays, nullptr, false, false);
      DrawMenu(Items(entry), form, depth + 1, openNow);
      ImGui::EndMenu();
    }
  }
}

bool MenuBarView::HandleKey(char character, bool alt, bool escape) {
  // Menus asked for by keys since the last frame count as open already.
  const std::vector<const MenuEntry*>& path =
      pendingOpen_.size() > openPath_.size() ? pendingOpen_ : openPath_;
  if (escape) {
    if (path.empty()) return false;
    std::vector<const MenuEntry*> shorter(path.begin(), path.end() - 1);
    pendingOpen_.clear();
    openPath_ = std::move(shorter);
    CloseTo(openPath_.size());
    return true;
  }
  if (path.empty() && !alt) return false;
  const std::span<const MenuEntry> menu = path.empty() ? MainMenuBar() : Items(*path.back());
  const MenuEntry* entry = FindByAccessKey(menu, character);
  if (entry == nullptr) return !path.empty();  // an open menu swallows the keys it does not know
  if (OpensMenu(*entry)) {
    // The items must be known now: the next key may choose one before the menu is drawn.
    if (entry->command == MenuCommand::Replays && !WasOpen(*entry)) replays_.Refresh(KeptReplays());
    std::vector<const MenuEntry*> longer = path;
    longer.push_back(entry);
    pendingOpen_ = std::move(longer);
  } else {
    Choose(*entry);
  }
  return true;
}

void MenuBarView::AltDown() {
  altAlone_ = true;
}

bool MenuBarView::AltUp() {
  if (!altAlone_) return false;
  altAlone_ = false;
  if (MenuOpen() || !pendingOpen_.empty()) {
    openPath_.clear();
    pendingOpen_.clear();
    CloseTo(0);
    return true;
  }
  for (const MenuEntry& entry : MainMenuBar()) {
    if (entry.command != MenuCommand::Submenu) continue;
    pendingOpen_ = {&entry};
    return true;
  }
  return false;
}

std::span<const MenuEntry> MenuBarView::Items(const MenuEntry& entry) const {
  return entry.command == MenuCommand::Replays ? replays_.Items() : entry.submenu;
}

bool MenuBarView::WasOpen(const MenuEntry& entry) const {
  const auto in = [&entry](const std::vector<const MenuEntry*>& path) {
    return std::find(path.begin(), path.end(), &entry) != path.end();
  };
  return in(openPath_) || in(pendingOpen_);
}

void MenuBarView::Choose(const MenuEntry& entry) {
  chosen_ = &entry;
  openPath_.clear();
  pendingOpen_.clear();
  CloseTo(0);
}

void MenuBarView::CloseTo(size_t levels) {
  closeTo_ = closeTo_.has_value() ? std::min(*closeTo_, levels) : levels;
}

std::optional<const MenuEntry*> MenuBarView::TakeChosen() {
  if (chosen_ == nullptr) return std::nullopt;
  const MenuEntry* entry = chosen_;
  chosen_ = nullptr;
  return entry;
}

}  // namespace tolvane
