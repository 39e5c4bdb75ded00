#include "game/shell/pad_mappings.h"

#include <SDL2/SDL_gamecontroller.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

namespace tolvane {
namespace {

constexpr size_t kGuidDigits = 32;

bool IsGuid(std::string_view field) {
  if (field == "xinput") return true;
  return field.size() == kGuidDigits && std::all_of(field.begin(), field.end(), [](char c) {
           return std::isxdigit(static_cast<unsigned char>(c)) != 0;
         });
}

// The field before the next comma, and `rest` moved past it.
std::string_view NextField(std::string_view& rest) {
  const size_t comma = rest.find(',');
  const std::string_view field = rest.substr(0, comma);
  rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  return field;
}

}  // namespace

bool IsPadMapping(std::string_view line) {
  std::string_view rest = line;
  if (!IsGuid(NextField(rest)) || rest.empty()) return false;
  if (NextField(rest).empty()) return false;  // the name
  int elements = 0;
  while (!rest.empty()) {
    const std::string_view element = NextField(rest);
    if (element.empty() && rest.empty()) break;  // a closing comma
    const size_t colon = element.find(':');
    if (colon == 0 || colon == std::string_view::npos || colon + 1 == element.size()) return false;
    ++elements;
  }
  return elements > 0;
}

void AddPadMappings(std::string_view text) {
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (!IsPadMapping(line)) {
      std::fprintf(stderr,
                   "tolvane: line %d of SDL_GAMECONTROLLERCONFIG is not a pad mapping "
                   "(GUID,name,element:input,...); it is left out\n",
                   number);
    } else if (SDL_GameControllerAddMapping(line.c_str()) < 0) {
      std::fprintf(stderr,
                   "tolvane: line %d of SDL_GAMECONTROLLERCONFIG is not a pad mapping (%s); it "
                   "is left out\n",
                   number, SDL_GetError());
    }
  }
}

}  // namespace tolvane
