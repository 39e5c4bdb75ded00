// fontsheet: draws the game's bitmap font as a pixel-exact SVG sheet of 16 x 6 glyph cells
// (characters 32-127, row by row), from an installed font rendered without smoothing.
// The SVG holds only pixel squares, so it renders the same everywhere and artists can
// retouch single pixels.
//   fontsheet [--family F] [--size PX] [--cell WxH] [--baseline Y] -o font.svg
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "tools/common/file_io.h"

namespace {

struct Options {
  std::string family = "DejaVu Sans Mono";
  double size = 13;
  int cellWidth = 16;
  int cellHeight = 16;
  int baseline = 12;
  int left = 0;  // pen position inside the cell
  std::string output;
};

// One glyph as ink bits, cell-sized.
std::vector<bool> Glyph(const Options& o, char c) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, o.cellWidth, o.cellHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, fo);
  cairo_font_options_destroy(fo);
  cairo_select_font_face(cr, o.family.c_str(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, o.size);
  cairo_move_to(cr, o.left, o.baseline);
  const char text[2] = {c, 0};
  cairo_show_text(cr, text);
  cairo_surface_flush(surface);
  std::vector<bool> ink(static_cast<size_t>(o.cellWidth * o.cellHeight));
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < o.cellHeight; ++y) {
    for (int x = 0; x < o.cellWidth; ++x)
      ink[static_cast<size_t>(y * o.cellWidth + x)] = data[y * stride + x] >= 128;
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return ink;
}

// Appends one path run per horizontal stretch of set pixels.
void Runs(std::string& d, const std::vector<bool>& bits, int width, int height, int ox, int oy) {
  char buffer[64];
  for (int y = 0; y < height; ++y) {
    int x = 0;
    while (x < width) {
      if (!bits[static_cast<size_t>(y * width + x)]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < width && bits[static_cast<size_t>(y * width + x)]) ++x;
      std::snprintf(buffer, sizeof buffer, "M%d %dh%dv1h-%dz", ox + start, oy + y, x - start,
                    x - start);
      d += buffer;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string key = argv[i];
    const std::string value = argv[i + 1];
    if (key == "--family") {
      o.family = value;
    } else if (key == "--size") {
      o.size = std::stod(value);
    } else if (key == "--cell") {
      if (std::sscanf(value.c_str(), "%dx%d", &o.cellWidth, &o.cellHeight) != 2) return 2;
    } else if (key == "--baseline") {
      o.baseline = std::stoi(value);
    } else if (key == "-o") {
      o.output = value;
    } else {
      std::cerr << "fontsheet: unknown option " << key << "\n";
      return 2;
    }
  }
  if (o.output.empty() || argc % 2 == 0) {
    std::cerr
        << "usage: fontsheet [--family F] [--size PX] [--cell WxH] [--baseline Y] -o font.svg\n";
    return 2;
  }

  // Text advances cell width - 5 per character: ink must stay left of that, with a pixel spare.
  const int inkLimit = o.cellWidth - 5 - 1;
  std::string ink;
  std::string shadow;
  for (int code = 33; code < 127; ++code) {
    const int cell = code - 32;
    const int ox = (cell % 16) * o.cellWidth;
    const int oy = (cell / 16) * o.cellHeight;
    const std::vector<bool> glyph = Glyph(o, static_cast<char>(code));
    std::vector<bool> below(glyph.size());
    int right = -1;
    for (int y = 0; y < o.cellHeight; ++y) {
      for (int x = 0; x < o.cellWidth; ++x) {
        if (!glyph[static_cast<size_t>(y * o.cellWidth + x)]) continue;
        right = std::max(right, x + 1);
        if (x + 1 < o.cellWidth && y + 1 < o.cellHeight &&
            !glyph[static_cast<size_t>((y + 1) * o.cellWidth + x + 1)]) {
          below[static_cast<size_t>((y + 1) * o.cellWidth + x + 1)] = true;
        }
      }
    }
    if (right + 1 > inkLimit) {
      std::cerr << "fontsheet: '" << static_cast<char>(code) << "' is " << right + 1
                << " px wide with its shadow, over " << inkLimit << "\n";
    }
    Runs(ink, glyph, o.cellWidth, o.cellHeight, ox, oy);
    Runs(shadow, below, o.cellWidth, o.cellHeight, ox, oy);
  }

  const int width = 16 * o.cellWidth;
  const int height = 6 * o.cellHeight;
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
                    "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
                    std::to_string(width) + " " + std::to_string(height) +
                    "\" shape-rendering=\"crispEdges\">\n";
  svg += "  <!-- The bitmap font: characters 32-127 in " + std::to_string(o.cellWidth) + " x " +
         std::to_string(o.cellHeight) + " cells, row by row. Drawn by fontsheet from " + o.family +
         " Bold " + std::to_string(static_cast<int>(o.size)) +
         " px; pixels may be retouched by hand. -->\n";
  svg += "  <path fill=\"#141420\" d=\"" + shadow + "\"/>\n";
  svg += "  <path fill=\"#ffffff\" d=\"" + ink + "\"/>\n";
  svg += "</svg>\n";
  if (!tools::WriteAtomically(o.output, svg.data(), svg.size())) {
    std::cerr << "fontsheet: cannot write " << o.output << "\n";
    return 1;
  }
  return 0;
}
