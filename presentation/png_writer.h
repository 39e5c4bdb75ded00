#pragma once
// PNG files of 0x00RRGGBB pixels (screenshots, extracted patterns). A library of its own
// (presentation_png), so only the tools and tests that write pictures carry the PNG encoder.
#include <cstdint>
#include <span>
#include <string>

namespace pres {

class Display;

// Writes width x height pixels, top row first, as an RGB PNG; false on failure.
bool WritePng(const std::string& path, int width, int height, std::span<const uint32_t> pixels);

// Writes width x height 0xAARRGGBB pixels (straight, not premultiplied alpha) as an RGBA PNG.
bool WritePngWithAlpha(const std::string& path, int width, int height,
                       std::span<const uint32_t> pixels);

// Writes the display's back buffer as a PNG; false on failure.
bool SaveScreenshot(const Display& display, const std::string& path);

}  // namespace pres
