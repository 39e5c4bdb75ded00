#include "svg_raster.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cmath>

namespace art_test {

std::optional<Raster> RenderSvg(const std::string& path, std::string* error) {
  GError* gerr = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &gerr);
  if (!handle) {
    *error = gerr ? gerr->message : "cannot open";
    if (gerr) g_error_free(gerr);
    return std::nullopt;
  }
  gdouble w = 0, h = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &w, &h) || w < 1 || h < 1 ||
      w != std::floor(w) || h != std::floor(h)) {
    *error = "no whole-pixel width and height";
    g_object_unref(handle);
    return std::nullopt;
  }
  Raster out;
  out.width = static_cast<int>(w);
  out.height = static_cast<int>(h);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, out.width, out.height);
  cairo_t* cr = cairo_create(surface);
  RsvgRectangle viewport{0, 0, w, h};
  const bool ok = rsvg_handle_render_document(handle, cr, &viewport, &gerr);
  cairo_destroy(cr);
  g_object_unref(handle);
  if (!ok) {
    *error = gerr ? gerr->message : "render failed";
    if (gerr) g_error_free(gerr);
    cairo_surface_destroy(surface);
    return std::nullopt;
  }
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  for (int y = 0; y < out.height; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < out.width; ++x) {
      const std::uint32_t argb = row[x];
      const unsigned a = argb >> 24;
      Pixel& p = out.pixels[static_cast<size_t>(y) * out.width + x];
      p.opaque = a >= 128;
      if (p.opaque) {  // cairo stores premultiplied colour
        p.r = static_cast<std::uint8_t>(((argb >> 16) & 0xff) * 255 / a);
        p.g = static_cast<std::uint8_t>(((argb >> 8) & 0xff) * 255 / a);
        p.b = static_cast<std::uint8_t>((argb & 0xff) * 255 / a);
      }
    }
  }
  cairo_surface_destroy(surface);
  return out;
}

}  // namespace art_test
