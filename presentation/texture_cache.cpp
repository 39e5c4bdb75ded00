#include "presentation/texture_cache.h"

#include <SDL2/SDL.h>

#include <unordered_map>

namespace pres {

int NearestColorIndex(const ColorTable& table, uint32_t rgb) {
  int best = 0;
  int64_t bestDistance = INT64_MAX;
  for (size_t i = 0; i < table.size(); ++i) {
    int64_t dr = int64_t(table[i] >> 16 & 0xFF) - (rgb >> 16 & 0xFF);
    int64_t dg = int64_t(table[i] >> 8 & 0xFF) - (rgb >> 8 & 0xFF);
    int64_t db = int64_t(table[i] & 0xFF) - (rgb & 0xFF);
    int64_t d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = int(i);
    }
  }
  return best;
}

std::optional<uint32_t> KeyColor(const ImageEntry& e) {
  // Values above 24 bits (the "no colour" constants) match no pixel.
  if (!e.transparent || (e.transparentColor >> 24) != 0) return std::nullopt;
  uint32_t c = e.transparentColor;  // 0x00BBGGRR
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

TextureCache::TextureCache(ImageArchive& archive, SDL_Renderer* renderer)
    : archive_(archive), renderer_(renderer) {}

TextureCache::~TextureCache() {
  Clear();
}

void TextureCache::Clear() {
  for (SDL_Texture* t : textures_) {
    if (t) SDL_DestroyTexture(t);
  }
  textures_.clear();
  prepared_.clear();
}

void TextureCache::SetPalette(std::optional<ColorTable> palette) {
  palette_ = palette;
  Clear();
}

SDL_Texture* TextureCache::For(int image) {
  if (generation_ != archive_.Generation() || textures_.size() != size_t(archive_.Count())) {
    Clear();
    generation_ = archive_.Generation();
    textures_.assign(size_t(archive_.Count()), nullptr);
    prepared_.assign(size_t(archive_.Count()), false);
  }
  if (image < 0 || image >= archive_.Count()) return nullptr;
  size_t i = size_t(image);
  if (!prepared_[i]) {
    prepared_[i] = true;
    textures_[i] = Make(archive_.Entry(image), archive_.Decoded(image));
    archive_.ReleasePixels(image);
  }
  return textures_[i];
}

SDL_Texture* TextureCache::Make(const ImageEntry& e, const Picture& p) const {
  if (p.Empty() || p.pixels.size() != size_t(p.width) * size_t(p.height)) return nullptr;
  std::optional<uint32_t> key = KeyColor(e);
  std::unordered_map<uint32_t, uint32_t> mapped;
  std::vector<uint32_t> argb(p.pixels.size());
  for (size_t i = 0; i < argb.size(); ++i) {
    uint32_t c = p.pixels[i] & 0xFFFFFF;
    if (key && c == *key) {
      argb[i] = c;  // alpha 0
      continue;
    }
    if (palette_) {
      auto [it, added] = mapped.try_emplace(c, 0);
      if (added) it->second = (*palette_)[size_t(NearestColorIndex(*palette_, c))];
      c = it->second;
    }
    argb[i] = 0xFF000000u | c;
  }
  SDL_Texture* t = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                     p.width, p.height);
  if (!t) return nullptr;
  SDL_UpdateTexture(t, nullptr, argb.data(), p.width * 4);
  SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(t, SDL_ScaleModeNearest);  // linear scaling would bleed the key colour
  return t;
}

}  // namespace pres
