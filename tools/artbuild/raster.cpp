#include "tools/artbuild/raster.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "presentation/image_archive.h"

namespace artbuild {
namespace {

struct SurfaceFree {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextFree {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceFree>;
using Context = std::unique_ptr<cairo_t, ContextFree>;

// An empty picture when cairo could not make the surface (out of memory).
Rgba CopyOut(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  Rgba out;
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
      cairo_image_surface_get_data(surface) == nullptr) {
    return out;
  }
  out.width = cairo_image_surface_get_width(surface);
  out.height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  out.argb.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
  for (int y = 0; y < out.height; ++y) {
    std::memcpy(&out.argb[static_cast<size_t>(y) * static_cast<size_t>(out.width)],
                data + static_cast<ptrdiff_t>(y) * stride, static_cast<size_t>(out.width) * 4);
  }
  return out;
}

// A hue per index, so neighbouring placeholders are told apart at a glance.
uint32_t IndexColour(int index) {
  const double hue = std::fmod(index * 47.0, 360.0) / 60.0;
  const double s = 0.65;
  const double v = 0.9;
  const double c = v * s;
  const double x = c * (1 - std::fabs(std::fmod(hue, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(hue)) {
    case 0:
      r = c, g = x;
      break;
    case 1:
      r = x, g = c;
      break;
    case 2:
      g = c, b = x;
      break;
    case 3:
      g = x, b = c;
      break;
    case 4:
      r = x, b = c;
      break;
    default:
      r = c, b = x;
      break;
  }
  const double m = v - c;
  auto channel = [m](double part) { return static_cast<uint32_t>(std::lround((part + m) * 255)); };
  return (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

void SetColour(cairo_t* cr, uint32_t rgb, double scale = 1.0) {
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) * scale / 255.0,
                       ((rgb >> 8) & 0xFF) * scale / 255.0, (rgb & 0xFF) * scale / 255.0);
}

// Crisp text: whole-pixel glyphs without grey edges, so colour keying keeps every pixel.
void Text(cairo_t* cr, double x, double y, const std::string& text) {
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

void DrawCell(cairo_t* cr, const BoxSpec& box, uint32_t colour, int index, int pattern, int cells,
              int left, int top, int w, int h) {
  cairo_save(cr);
  cairo_rectangle(cr, left, top, w, h);
  cairo_clip(cr);
  if (box.filled) {
    SetColour(cr, colour, 0.35);
    cairo_paint(cr);
  }
  SetColour(cr, colour);
  cairo_rectangle(cr, left + 0.5, top + 0.5, w - 1, h - 1);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);

  if (w >= 14 && h >= 11) {
    cairo_set_source_rgb(cr, 0.94, 0.94, 0.94);
    const std::string number =
        cells > 1 ? std::to_string(index) + "." + std::to_string(pattern) : std::to_string(index);
    Text(cr, left + 2, top + 9, number);
    if (!box.label.empty() && h >= 22) Text(cr, left + 2, top + 19, box.label);
  }
  cairo_restore(cr);
}

}  // namespace

namespace {

using SvgHandle = std::unique_ptr<RsvgHandle, void (*)(gpointer)>;

SvgHandle OpenSvg(const std::string& path, std::string* error) {
  GError* failure = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &failure);
  if (handle == nullptr) {
    *error = failure ? failure->message : "cannot be read";
    if (failure) g_error_free(failure);
  }
  return SvgHandle(handle, g_object_unref);
}

// The document fitted into a w x h picture (aspect kept, centred).
std::optional<Rgba> RenderInto(RsvgHandle* handle, int w, int h, std::string* error) {
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
  Context cr(cairo_create(surface.get()));
  const RsvgRectangle viewport{0, 0, static_cast<double>(w), static_cast<double>(h)};
  GError* failure = nullptr;
  if (!rsvg_handle_render_document(handle, cr.get(), &viewport, &failure)) {
    *error = failure ? failure->message : "cannot be rendered";
    if (failure) g_error_free(failure);
    return std::nullopt;
  }
  return CopyOut(surface.get());
}

}  // namespace

std::optional<Rgba> RenderSvg(const std::string& path, std::string* error) {
  const SvgHandle handle = OpenSvg(path, error);
  if (!handle) return std::nullopt;
  gdouble width = 0;
  gdouble height = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height) || width < 1 ||
      height < 1) {
    *error = "gives no width and height in pixels";
    return std::nullopt;
  }
  if (width > kMaxPictureSide || height > kMaxPictureSide) {
    *error = "is larger than " + std::to_string(kMaxPictureSide) + " pixels on a side";
    return std::nullopt;
  }
  return RenderInto(handle.get(), static_cast<int>(std::lround(width)),
                    static_cast<int>(std::lround(height)), error);
}

std::optional<Rgba> RenderSvgScaled(const std::string& path, int width, int height,
                                    std::string* error) {
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) {
    *error = "size out of range";
    return std::nullopt;
  }
  const SvgHandle handle = OpenSvg(path, error);
  if (!handle) return std::nullopt;
  return RenderInto(handle.get(), width, height, error);
}

Rgba RenderBox(const BoxSpec& box, int index, int patternWidth, int patternHeight, int skipWidth,
               int skipHeight) {
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, box.width, box.height));
  Context owner(cairo_create(surface.get()));
  cairo_t* cr = owner.get();
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 9);

  const uint32_t colour = box.colour.value_or(IndexColour(index));
  // The cells are exactly the patterns the game cuts from an entry of this geometry.
  pres::ImageEntry geometry;
  geometry.picture.width = box.width;
  geometry.picture.height = box.height;
  geometry.patternWidth = patternWidth;
  geometry.patternHeight = patternHeight;
  geometry.skipWidth = skipWidth;
  geometry.skipHeight = skipHeight;
  const int cells = pres::PatternCount(geometry);
  for (int pattern = 0; pattern < cells; ++pattern) {
    int32_t left = 0;
    int32_t top = 0;
    pres::PatternOrigin(geometry, pattern, &left, &top);
    DrawCell(cr, box, colour, index, pattern, cells, left, top, pres::PatternWidth(geometry),
             pres::PatternHeight(geometry));
  }
  return CopyOut(surface.get());
}

}  // namespace artbuild
