#pragma once
// The named colour constants an archive may store instead of a number (0x00BBGGRR).
#include <cstdint>
#include <optional>
#include <string_view>

namespace pres {

// The colour a name stands for; names match without regard to case.
std::optional<uint32_t> ColorFromName(std::string_view name);
// The name of a colour, when it has one.
std::optional<std::string_view> NameOfColor(uint32_t color);

}  // namespace pres
