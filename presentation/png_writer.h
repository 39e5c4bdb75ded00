#pragma once
// PNG files of 0x00RRGGBB pixels (screenshots, extracted patterns).
#include <cstdint>
#include <span>
#include <string>

namespace pres {

// Writes width x height pixels, top row first, as an RGB PNG; false on failure.
bool WritePng(const std::string& path, int width, int height, std::span<const uint32_t> pixels);

}  // namespace pres
