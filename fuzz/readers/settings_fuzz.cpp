// libFuzzer target: the settings text and the high-score entries stored in it. The first
// line of the input is "section<TAB>key<TAB>value", the rest a settings file. Reading any
// file never fails; a value the text accepts for storing reads back as stored; other keys keep
// their values; a high-score entry read, written and read again is unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/flow/high_scores.h"
#include "presentation/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t lineEnd = std::min(input.find('\n'), input.size());
  const std::string_view head = input.substr(0, lineEnd);
  const std::string_view text = input.substr(std::min(lineEnd + 1, input.size()));
  const size_t tab1 = head.find('\t');
  const size_t tab2 = tab1 == head.npos ? head.npos : head.find('\t', tab1 + 1);
  if (tab2 == head.npos) {
    pres::IniText(text).Get("Tolvane Echo", "RANK0");
    return 0;
  }
  const std::string_view section = head.substr(0, tab1);
  const std::string_view key = head.substr(tab1 + 1, tab2 - tab1 - 1);
  const std::string_view value = head.substr(tab2 + 1);

  pres::IniText ini(text);
  const auto before = ini.Get(section, "RANK0");
  if (pres::IniText::CanStore(section, key, value)) {
    ini.Set(section, key, value);
    const pres::IniText again(ini.Text());
    if (again.Get(section, key) != std::optional<std::string>(value)) std::abort();
    // RANK0 is another key unless the names match without regard to case.
    const bool same = key.size() == 5 && (key[0] | 0x20) == 'r' && (key[1] | 0x20) == 'a' &&
                      (key[2] | 0x20) == 'n' && (key[3] | 0x20) == 'k' && key[4] == '0';
    if (!same && again.Get(section, "RANK0") != before) std::abort();
  }

  tolvane::SetRankFromText(0, value);
  const std::string stored = tolvane::RankAsText(0);
  tolvane::SetRankFromText(1, stored);
  if (tolvane::RankAsText(1) != stored) std::abort();
  return 0;
}
