#pragma once
// The main window's menu bar as data: captions with '&' before the access key, the
// command of each item and the submenus. The window draws it and routes access keys
// through it; nothing here knows the toolkit.
#include <span>
#include <string>
#include <string_view>

namespace tolvane {

class TFormMain;

// Replays: a menu whose items are the kept replays, read when it opens (replay_menu.h);
// Watch: one of them, whose name is the replay file's path.
enum class MenuCommand { Submenu, Close, Normal, FullScreen, Skip, WindowScale, Replays, Watch };

struct MenuEntry {
  const char* name;     // the item's name in the form; a replay's file path
  const char* caption;  // '&' marks the access key, as in "閉じる(&E)"
  MenuCommand command;
  int tag;  // Skip0..Skip9: 0..9; the window sizes: the scale 1..4
  std::span<const MenuEntry> submenu;
};

// The top level of the menu bar.
std::span<const MenuEntry> MainMenuBar();

// The caption as shown: each '&' that marks an access key left out ("閉じる(E)"),
// "&&" shown as one '&'.
std::string DisplayCaption(std::string_view caption);
// Every caption of the bar and its menus as shown, one after another, and the words of the
// replays menu's items: what the menu font must be able to draw.
std::string AllCaptionText();
// Where the access key stands in DisplayCaption(caption), in bytes; npos when none.
size_t AccessKeyOffset(std::string_view caption);
// The access key as an upper-case letter or digit; 0 when the caption has none.
char AccessKey(std::string_view caption);
// The entry of the menu whose access key is `key` (any case); nullptr when none.
const MenuEntry* FindByAccessKey(std::span<const MenuEntry> menu, char key);

// True for an entry that opens a menu.
bool OpensMenu(const MenuEntry& entry);

// Runs the item's command on the form (nothing for a submenu); a replay is watched from the
// next frame on.
void RunMenuCommand(TFormMain& form, const MenuEntry& entry);
// True when the item shows a check mark now.
bool MenuChecked(const TFormMain& form, const MenuEntry& entry);
// False when the item cannot be chosen now (a window size larger than the desktop).
bool MenuEnabled(const TFormMain& form, const MenuEntry& entry);

}  // namespace tolvane
