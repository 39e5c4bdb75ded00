#include "tools/headless/key_script.h"

#include <cctype>
#include <charconv>
#include <sstream>
#include <utility>

#include "presentation/virtual_keys.h"

namespace tolvane::headless {
namespace {

constexpr std::pair<std::string_view, int> kKeyNames[] = {
    {"up", pres::vk::kUp},       {"down", pres::vk::kDown},    {"left", pres::vk::kLeft},
    {"right", pres::vk::kRight}, {"space", pres::vk::kSpace},  {"enter", pres::vk::kReturn},
    {"shift", pres::vk::kShift}, {"ctrl", pres::vk::kControl}, {"escape", pres::vk::kEscape},
    {"f2", pres::vk::kF2},       {"f4", pres::vk::kF4},
};
constexpr int kHighestVirtualKey = 255;

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (failure != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

int VirtualKeyByName(std::string_view name) {
  for (const auto& [known, key] : kKeyNames) {
    if (SameNoCase(name, known)) return key;
  }
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return std::toupper(
        static_cast<unsigned char>(name[0]));  // letters and digits are their own codes
  }
  const std::optional<int> code = Number(name);
  return code && *code > 0 && *code <= kHighestVirtualKey ? *code : 0;
}

std::optional<KeyScript> KeyScript::Parse(std::string_view text, std::string* error) {
  KeyScript script;
  std::istringstream lines{std::string(text)};
  int lineNumber = 0;
  int32_t lastFrame = 0;
  for (std::string line; std::getline(lines, line);) {
    ++lineNumber;
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string frameWord;
    if (!(words >> frameWord)) continue;
    const auto fail = [&](const std::string& why) {
      *error = "line " + std::to_string(lineNumber) + ": " + why;
      return std::nullopt;
    };
    const std::optional<int> frame = Number(frameWord);
    if (!frame || *frame < 1) return fail("'" + frameWord + "' is not a frame number (1 or more)");
    if (*frame < lastFrame)
      return fail("frame " + frameWord + " comes after frame " + std::to_string(lastFrame));
    lastFrame = *frame;
    bool any = false;
    for (std::string change; words >> change; any = true) {
      if (change.size() < 2 || (change[0] != '+' && change[0] != '-'))
        return fail("'" + change + "' is not +KEY or -KEY");
      const int key = VirtualKeyByName(std::string_view(change).substr(1));
      if (key == 0) return fail("no key is called '" + change.substr(1) + "'");
      script.changes_.push_back({*frame, key, change[0] == '+'});
    }
    if (!any) return fail("frame " + frameWord + " changes no key");
  }
  return script;
}

void KeyScript::BeforeFrame(int32_t frame, pres::InputDevice& input) {
  for (; next_ < changes_.size() && changes_[next_].frame <= frame; ++next_) {
    const KeyChange& change = changes_[next_];
    if (change.down) {
      input.KeyDown(change.virtualKey);
    } else {
      input.KeyUp(change.virtualKey);
    }
  }
}

}  // namespace tolvane::headless
