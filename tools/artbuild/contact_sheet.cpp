#include "tools/artbuild/contact_sheet.h"

#include <cairo.h>

#include <algorithm>

namespace artbuild {
namespace {

constexpr int kColumns = 8;
constexpr int kThumbWidth = 152;
constexpr int kThumbHeight = 112;
constexpr int kCaption = 26;
constexpr int kMargin = 4;
constexpr int kTileWidth = kThumbWidth + 2 * kMargin;
constexpr int kTileHeight = kThumbHeight + kCaption + 2 * kMargin;

uint32_t KeyRgb(const pres::ImageEntry& e) {
  const uint32_t c = e.transparentColor;
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The picture at a whole-number zoom (or shrunk to fit), nearest neighbour, key pixels
// over a checkerboard, pattern cells outlined.
void DrawThumb(cairo_t* cr, const pres::ImageEntry& e, int left, int top) {
  const int w = e.picture.width;
  const int h = e.picture.height;
  if (w <= 0 || h <= 0) return;
  double scale =
      std::min(static_cast<double>(kThumbWidth) / w, static_cast<double>(kThumbHeight) / h);
  if (scale >= 1) scale = std::min(4.0, static_cast<double>(static_cast<int>(scale)));
  const int tw = std::max(1, static_cast<int>(w * scale));
  const int th = std::max(1, static_cast<int>(h * scale));
  cairo_surface_t* thumb = cairo_image_surface_create(CAIRO_FORMAT_RGB24, tw, th);
  unsigned char* data = cairo_image_surface_get_data(thumb);
  const int stride = cairo_image_surface_get_stride(thumb);
  const uint32_t key = KeyRgb(e);
  for (int y = 0; y < th; ++y) {
    for (int x = 0; x < tw; ++x) {
      uint32_t p = e.picture.At(std::min(w - 1, static_cast<int>(x / scale)),
                                std::min(h - 1, static_cast<int>(y / scale)));
      if (e.transparent && p == key) p = (((x / 6) + (y / 6)) % 2 == 0) ? 0x505050 : 0x606060;
      *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) = p;
    }
  }
  cairo_surface_mark_dirty(thumb);
  const int ox = left + (kThumbWidth - tw) / 2;
  const int oy = top + (kThumbHeight - th) / 2;
  cairo_set_source_surface(cr, thumb, ox, oy);
  cairo_paint(cr);
  cairo_surface_destroy(thumb);

  const int cells = pres::PatternCount(e);
  if (cells > 1) {
    cairo_set_source_rgba(cr, 1, 1, 0, 0.6);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < cells; ++i) {
      int32_t px = 0;
      int32_t py = 0;
      if (!pres::PatternOrigin(e, i, &px, &py)) continue;
      cairo_rectangle(cr, ox + px * scale + 0.5, oy + py * scale + 0.5,
                      pres::PatternWidth(e) * scale - 1, pres::PatternHeight(e) * scale - 1);
    }
    cairo_stroke(cr);
  }
}

}  // namespace

bool WriteContactSheet(const std::vector<pres::ImageEntry>& entries, const Catalogue& catalogue,
                       const std::string& path) {
  const int rows = (static_cast<int>(entries.size()) + kColumns - 1) / kColumns;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kColumns * kTileWidth,
                                                      std::max(1, rows) * kTileHeight);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.16, 0.16, 0.2);
  cairo_paint(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 10);
  for (size_t i = 0; i < entries.size(); ++i) {
    const int left = static_cast<int>(i % kColumns) * kTileWidth + kMargin;
    const int top = static_cast<int>(i / kColumns) * kTileHeight + kMargin;
    const pres::ImageEntry& e = entries[i];
    DrawThumb(cr, e, left, top);
    const std::string role = i < catalogue.rows.size() ? catalogue.rows[i].role : e.name;
    const std::string first = std::to_string(i) + "  " + std::to_string(e.picture.width) + "x" +
                              std::to_string(e.picture.height) + "  " +
                              std::to_string(pres::PatternCount(e)) + "p";
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, left, top + kThumbHeight + 11);
    cairo_show_text(cr, first.c_str());
    cairo_set_source_rgb(cr, 0.75, 0.75, 0.8);
    cairo_move_to(cr, left, top + kThumbHeight + 23);
    cairo_show_text(cr, role.substr(0, 28).c_str());
  }
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  return ok;
}

}  // namespace artbuild
