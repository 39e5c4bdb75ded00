#pragma once
// The archive's pictures as renderer textures, one per entry, made the first time an
// entry is drawn and made again after the archive's entry list changes. Key-colour
// pixels get alpha 0, so every blend mode leaves them out. A picture decoded from the
// archive's file for its texture is let go once the texture holds it.
#include <cstdint>
#include <optional>
#include <vector>

#include "presentation/image_archive.h"

struct SDL_Renderer;
struct SDL_Texture;

namespace pres {

class TextureCache {
 public:
  TextureCache(ImageArchive& archive, SDL_Renderer* renderer);
  ~TextureCache();
  TextureCache(const TextureCache&) = delete;
  TextureCache& operator=(const TextureCache&) = delete;

  // The entry's texture, or null when the entry is out of range, empty or failed.
  SDL_Texture* For(int image);
  void Clear();
  // With a palette, pictures are mapped to its nearest colours (a 256-colour back buffer).
  void SetPalette(std::optional<ColorTable> palette);

 private:
  SDL_Texture* Make(const ImageEntry& e, const Picture& p) const;

  ImageArchive& archive_;
  SDL_Renderer* renderer_;
  std::optional<ColorTable> palette_;
  uint64_t generation_ = 0;
  std::vector<SDL_Texture*> textures_;
  std::vector<bool> prepared_;
};

// Nearest colour of the table (squared RGB distance; the lowest index wins ties).
int NearestColorIndex(const ColorTable& table, uint32_t rgb);

// The 0x00RRGGBB colour of an entry's key, when the entry has a usable one.
std::optional<uint32_t> KeyColor(const ImageEntry& e);

}  // namespace pres
