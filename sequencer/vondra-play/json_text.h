#pragma once
#include <string>
#include <string_view>

namespace vondra::play {

// A JSON string literal for text of unknown encoding: valid UTF-8 passes through, control
// characters are escaped, and bytes that are not UTF-8 are taken as Latin-1.
std::string JsonString(std::string_view text);

}  // namespace vondra::play
