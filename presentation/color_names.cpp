#include "presentation/color_names.h"

#include <array>

#include "presentation/text_compare.h"

namespace pres {
namespace {

struct NamedColor {
  std::string_view name;
  uint32_t color;  // 0x00BBGGRR
};

// The first name of a colour is the one written; later ones are accepted aliases.
constexpr std::array<NamedColor, 24> kNamedColors{{
    {"clBlack", 0x000000},     {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080},     {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},      {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},       {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},      {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},     {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},     {"clMedGray", 0xA4A0A0},    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000}, {"clLtGray", 0xC0C0C0},     {"clDkGray", 0x808080},
}};

}  // namespace

std::optional<uint32_t> ColorFromName(std::string_view name) {
  for (const auto& c : kNamedColors) {
    if (EqualsIgnoringCase(c.name, name)) return c.color;
  }
  return std::nullopt;
}

std::optional<std::string_view> NameOfColor(uint32_t color) {
  for (const auto& c : kNamedColors) {
    if (c.color == color) return c.name;
  }
  return std::nullopt;
}

}  // namespace pres
