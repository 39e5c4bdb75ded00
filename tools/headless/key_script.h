#pragma once
// A key script: which keys go down and up before which frame. One line per frame that
// changes anything, frames in rising order:
//
//   # comment
//   120 +Space          Space goes down before frame 120
//   124 -Space +Right   Space up and the right cursor down before frame 124
//
// Keys are named (Up, Down, Left, Right, Space, Enter, Shift, Ctrl, Escape, F2, F4), or
// a single letter or digit, or a Windows virtual-key code in decimal.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/headless/pad_source.h"

namespace tolvane::headless {

struct KeyChange {
  int32_t frame = 0;
  int virtualKey = 0;
  bool down = false;
};

// The virtual-key code of a key name; 0 when there is no such key.
int VirtualKeyByName(std::string_view name);

class KeyScript final : public PadSource {
 public:
  // Nothing, with *error naming the line and what is wrong, when the text is not a script.
  static std::optional<KeyScript> Parse(std::string_view text, std::string* error);

  const std::vector<KeyChange>& Changes() const { return changes_; }
  void BeforeFrame(int32_t frame, pres::InputDevice& input) override;

 private:
  std::vector<KeyChange> changes_;
  size_t next_ = 0;
};

}  // namespace tolvane::headless
