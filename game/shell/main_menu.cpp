#include "game/shell/main_menu.h"

#include <array>
#include <cctype>

#include "game/replay/replays.h"
#include "game/shell/form_main.h"
#include "game/shell/replay_menu.h"

namespace tolvane {
namespace {

constexpr std::array<MenuEntry, kSkipItems> kSkipMenu{{
    {"Skip0", "&0", MenuCommand::Skip, 0, {}},
    {"Skip1", "&1", MenuCommand::Skip, 1, {}},
    {"Skip2", "&2", MenuCommand::Skip, 2, {}},
    {"Skip3", "&3", MenuCommand::Skip, 3, {}},
    {"Skip4", "&4", MenuCommand::Skip, 4, {}},
    {"Skip5", "&5", MenuCommand::Skip, 5, {}},
    {"Skip6", "&6", MenuCommand::Skip, 6, {}},
    {"Skip7", "&7", MenuCommand::Skip, 7, {}},
    {"Skip8", "&8", MenuCommand::Skip, 8, {}},
    {"Skip9", "&9", MenuCommand::Skip, 9, {}},
}};

constexpr std::array<MenuEntry, 3> kScreenMenu{{
    {"MenuNormal", "ノーマル(&N)", MenuCommand::Normal, 0, {}},
    {"MenuFullScreen", "フルスクリーン(&F)", MenuCommand::FullScreen, 0, {}},
    {"MenuSkip", "最大フレームスキップ数(&S)", MenuCommand::Submenu, 0, kSkipMenu},
}};

constexpr std::array<MenuEntry, 4> kSizeMenu{{
    {"MenuScale1", "×1(&1)", MenuCommand::WindowScale, 1, {}},
    {"MenuScale2", "×2(&2)", MenuCommand::WindowScale, 2, {}},
    {"MenuScale3", "×3(&3)", MenuCommand::WindowScale, 3, {}},
    {"MenuScale4", "×4(&4)", MenuCommand::WindowScale, 4, {}},
}};

constexpr std::array<MenuEntry, 4> kMenuBar{{
    {"MenuClose", "閉じる(&E)", MenuCommand::Close, 0, {}},
    {"MenuScreen", "画面モード(&S)", MenuCommand::Submenu, 0, kScreenMenu},
    {"MenuSize", "ウィンドウサイズ(&W)", MenuCommand::Submenu, 0, kSizeMenu},
    {"MenuReplay", "リプレイ(&R)", MenuCommand::Replays, 0, {}},
}};

}  // namespace

std::span<const MenuEntry> MainMenuBar() {
  return kMenuBar;
}

std::string DisplayCaption(std::string_view caption) {
  std::string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size())
      ++i;  // the marked character (or a second '&') stays
    shown += caption[i];
  }
  return shown;
}

namespace {

void AppendCaptions(std::span<const MenuEntry> menu, std::string& text) {
  for (const MenuEntry& entry : menu) {
    text += DisplayCaption(entry.caption);
    AppendCaptions(entry.submenu, text);
  }
}

}  // namespace

std::string AllCaptionText() {
  std::string text;
  AppendCaptions(MainMenuBar(), text);
  return text + ReplayMenuText();
}

size_t AccessKeyOffset(std::string_view caption) {
  size_t shown = 0;
  for (size_t i = 0; i + 1 < caption.size(); ++i, ++shown) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return shown;
    ++i;  // "&&" shows one '&'
  }
  return std::string_view::npos;
}

char AccessKey(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const auto c = static_cast<unsigned char>(caption[i + 1]);
    return std::isalnum(c) ? static_cast<char>(std::toupper(c)) : 0;
  }
  return 0;
}

const MenuEntry* FindByAccessKey(std::span<const MenuEntry> menu, char key) {
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
  if (wanted == 0) return nullptr;
  for (const MenuEntry& entry : menu) {
    if (AccessKey(entry.caption) == wanted) return &entry;
  }
  return nullptr;
}

bool OpensMenu(const MenuEntry& entry) {
  return entry.command == MenuCommand::Submenu || entry.command == MenuCommand::Replays;
}

void RunMenuCommand(TFormMain& form, const MenuEntry& entry) {
  switch (entry.command) {
    case MenuCommand::Close:
      form.MenuCloseClick();
      break;
    case MenuCommand::Normal:
      form.MenuNormalClick();
      break;
    case MenuCommand::FullScreen:
      form.MenuFullScreenClick();
      break;
    case MenuCommand::WindowScale:
      form.WindowScaleClick(entry.tag);
      break;
    case MenuCommand::Skip:
      form.Skip0Click(entry.tag);
      break;
    case MenuCommand::Watch:
      WatchReplay(entry.name);
      break;
    case MenuCommand::Submenu:
    case MenuCommand::Replays:
      break;
  }
}

bool MenuChecked(const TFormMain& form, const MenuEntry& entry) {
  if (entry.command == MenuCommand::WindowScale) return form.WindowScale() == entry.tag;
  return entry.command == MenuCommand::Skip && form.SkipChecked(entry.tag);
}

bool MenuEnabled(const TFormMain& form, const MenuEntry& entry) {
  return entry.command != MenuCommand::WindowScale || form.WindowScaleFits(entry.tag);
}

}  // namespace tolvane
