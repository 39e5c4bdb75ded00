#pragma once
// Writes a picture as C++ source: <name>Width, <name>Height and <name>Pixels
// (0xAARRGGBB, straight alpha, top row first) inside the namespace of the qualified name.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace svgembed {

// name: a qualified C++ name such as "tolvane::kSplashPicture".
std::string PictureSource(std::string_view name, std::string_view source, int width, int height,
                          const std::vector<uint32_t>& argb);

// Cairo's premultiplied ARGB to straight ARGB.
uint32_t Unpremultiply(uint32_t argb);

}  // namespace svgembed
