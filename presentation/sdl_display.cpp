// The back buffer and its draws over SDL2's renderer, in two forms: a software renderer
// on an offscreen surface (headless) and a target texture on the window's renderer.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "presentation/display.h"
#include "presentation/texture_cache.h"

namespace pres {
namespace {

// Stretched draws larger than this are clipped here first: the software renderer would
// otherwise scale into a temporary surface as large as the whole destination.
constexpr int64_t kMaxUnclippedStretchWidth = 4 * kScreenWidth;
constexpr int64_t kMaxUnclippedStretchHeight = 4 * kScreenHeight;
// Rotated draws are rendered whole by the software renderer; larger ones draw nothing.
constexpr int32_t kMaxRotatedSide = 2048;
constexpr double kDegreesPerAngleStep = 360.0 / 256.0;

enum class Blend { Copy, Add, Alpha };

// One axis of a stretched draw cut to the screen: the visible destination span and the
// source span that feeds it under the same nearest-neighbour mapping.
struct AxisCut {
  int dst = 0, dstSize = 0, src = 0, srcSize = 0;
};

AxisCut CutAxis(int64_t left, int64_t size, int64_t srcStart, int64_t srcSize, int64_t screen) {
  int64_t c0 = std::max<int64_t>(left, 0);
  int64_t c1 = std::min<int64_t>(left + size, screen);
  int64_t s0 = (c0 - left) * srcSize / size;
  int64_t s1 = (c1 - 1 - left) * srcSize / size + 1;
  return {int(c0), int(c1 - c0), int(srcStart + s0), int(s1 - s0)};
}

class SdlDisplay : public Display {
 public:
  SdlDisplay(ImageArchive& archive, PixelDepth depth)
      : archive_(archive),
        paletted_(depth == PixelDepth::Palette256),
        palette_(ImageArchive().BuildColorTable()) {}

  bool CanDraw() const override { return ready_; }

  void Fill(uint32_t pixel) override {
    if (!ready_) return;
    uint32_t rgb = paletted_ ? palette_[pixel & 0xFF] : pixel;
    SDL_SetRenderDrawColor(renderer_, uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), 0xFF);
    SDL_RenderClear(renderer_);
  }

  uint32_t ColorMatch(uint32_t rgb) const override {
    return paletted_ ? uint32_t(NearestColorIndex(palette_, rgb & 0xFFFFFF)) : rgb & 0xFFFFFF;
  }

  void SetFullScreenOption(bool on) override { fullScreen_ = on; }
  bool FullScreenOption() const override { return fullScreen_; }

  void SetPalette(const ColorTable& table) override {
    palette_ = table;
    if (paletted_) textures_->SetPalette(table);
  }

  void Shade(int32_t alpha) override {
    if (!ready_ || paletted_ || alpha <= 0) return;
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, uint8_t(std::min(alpha, 255)));
    SDL_RenderFillRect(renderer_, nullptr);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  }

  void DrawPattern(int32_t image, int32_t x, int32_t y, int32_t pattern) override {
    if (!ValidEntry(image)) return;
    const ImageEntry& e = archive_.Entry(image);
    Draw(image, pattern, x, y, PatternWidth(e), PatternHeight(e), Blend::Copy, 255);
  }

  void StretchPattern(int32_t image, const Rect& d, int32_t pattern) override {
    Draw(image, pattern, d.left, d.top, int64_t{d.right} - d.left, int64_t{d.bottom} - d.top,
         Blend::Copy, 255);
  }

  void DrawPatternAdd(int32_t image, const Rect& d, int32_t pattern, int32_t alpha) override {
    if (alpha <= 0) return;
    Draw(image, pattern, d.left, d.top, int64_t{d.right} - d.left, int64_t{d.bottom} - d.top,
         paletted_ ? Blend::Copy : Blend::Add, std::min(alpha, 255));
  }

  void DrawPatternAlpha(int32_t image, const Rect& d, int32_t pattern, int32_t alpha) override {
    if (alpha <= 0) return;
    bool opaque = alpha >= 255 || paletted_;
    Draw(image, pattern, d.left, d.top, int64_t{d.right} - d.left, int64_t{d.bottom} - d.top,
         opaque ? Blend::Copy : Blend::Alpha, std::min(alpha, 255));
  }

  void DrawPatternRotated(int32_t image, int32_t x, int32_t y, int32_t w, int32_t h,
                          int32_t pattern, double centerX, double centerY,
                          int32_t angle256) override {
    if (w <= 0 || h <= 0 || w > kMaxRotatedSide || h > kMaxRotatedSide) return;
    if (!std::isfinite(centerX) || !std::isfinite(centerY)) return;
    // Whatever the angle, the picture stays within this circle around the pivot.
    double pivotX = x + centerX * w, pivotY = y + centerY * h;
    double reach = std::hypot(std::max(std::abs(centerX), std::abs(1 - centerX)) * w,
                              std::max(std::abs(centerY), std::abs(1 - centerY)) * h);
    if (pivotX + reach < 0 || pivotY + reach < 0 || pivotX - reach > kScreenWidth ||
        pivotY - reach > kScreenHeight) {
      return;
    }
    SDL_Rect src;
    SDL_Texture* t = Source(image, pattern, &src);
    if (!t) return;
    SetBlend(t, Blend::Copy, 255);
    SDL_FRect dst{float(x), float(y), float(w), float(h)};
    SDL_FPoint center{float(centerX * w), float(centerY * h)};
    SDL_RenderCopyExF(renderer_, t, &src, &dst, (angle256 % 256) * kDegreesPerAngleStep, &center,
                      SDL_FLIP_NONE);
  }

  SDL_Renderer* Renderer() const override { return renderer_; }

  void WriteBackBuffer(const std::vector<uint32_t>& pixels) override {
    if (!ready_ || pixels.size() != size_t(kScreenWidth) * kScreenHeight) return;
    SDL_Texture* picture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888,
                                             SDL_TEXTUREACCESS_STATIC, kScreenWidth, kScreenHeight);
    if (picture == nullptr) return;
    SDL_UpdateTexture(picture, nullptr, pixels.data(), kScreenWidth * 4);
    SDL_RenderCopy(renderer_, picture, nullptr, nullptr);
    SDL_DestroyTexture(picture);
  }

 protected:
  void Clear() {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 0xFF);
    SDL_RenderClear(renderer_);
  }

  ImageArchive& archive_;
  SDL_Renderer* renderer_ = nullptr;
  std::unique_ptr<TextureCache> textures_;
  bool ready_ = false;

 private:
  bool ValidEntry(int32_t image) const { return image >= 0 && image < archive_.Count(); }

  // The texture and source rectangle of a pattern; null when nothing can be drawn.
  SDL_Texture* Source(int32_t image, int32_t pattern, SDL_Rect* src) {
    if (!ready_ || !ValidEntry(image)) return nullptr;
    const ImageEntry& e = archive_.Entry(image);
    int32_t left = 0, top = 0;
    if (!PatternOrigin(e, pattern, &left, &top)) return nullptr;
    *src = SDL_Rect{left, top, PatternWidth(e), PatternHeight(e)};
    return textures_->For(image);
  }

  static void SetBlend(SDL_Texture* t, Blend mode, int alpha) {
    SDL_SetTextureBlendMode(t, mode == Blend::Add ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(t, uint8_t(mode == Blend::Copy ? 255 : alpha));
  }

  void Draw(int32_t image, int32_t pattern, int64_t left, int64_t top, int64_t w, int64_t h,
            Blend mode, int alpha) {
    if (w <= 0 || h <= 0) return;
    if (left >= kScreenWidth || top >= kScreenHeight || left + w <= 0 || top + h <= 0) return;
    SDL_Rect src;
    SDL_Texture* t = Source(image, pattern, &src);
    if (!t) return;
    SetBlend(t, mode, alpha);
    bool scaled = w != src.w || h != src.h;
    if (scaled && (w > kMaxUnclippedStretchWidth || h > kMaxUnclippedStretchHeight)) {
      AxisCut cx = CutAxis(left, w, src.x, src.w, kScreenWidth);
      AxisCut cy = CutAxis(top, h, src.y, src.h, kScreenHeight);
      SDL_Rect cutSrc{cx.src, cy.src, cx.srcSize, cy.srcSize};
      SDL_Rect cutDst{cx.dst, cy.dst, cx.dstSize, cy.dstSize};
      SDL_RenderCopy(renderer_, t, &cutSrc, &cutDst);
      return;
    }
    SDL_Rect dst{int(left), int(top), int(w), int(h)};
    SDL_RenderCopy(renderer_, t, &src, &dst);
  }

  bool paletted_;
  bool fullScreen_ = false;
  ColorTable palette_;
};

class HeadlessDisplay final : public SdlDisplay {
 public:
  HeadlessDisplay(ImageArchive& archive, PixelDepth depth) : SdlDisplay(archive, depth) {
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 32,
                                              SDL_PIXELFORMAT_XRGB8888);
    if (surface_) renderer_ = SDL_CreateSoftwareRenderer(surface_);
    if (!renderer_) {
      SDL_FreeSurface(surface_);
      throw DisplayError(std::string("cannot create the offscreen back buffer: ") + SDL_GetError());
    }
    textures_ = std::make_unique<TextureCache>(archive, renderer_);
    Initialize();
  }
  ~HeadlessDisplay() override {
    textures_.reset();
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
  }

  void Initialize() override {
    ready_ = true;
    Clear();
  }
  void Finalize() override {
    ready_ = false;
    textures_->Clear();
  }
  void Flip() override {
    if (ready_) SDL_RenderFlush(renderer_);
  }

  std::vector<uint32_t> ReadBackBuffer() const override {
    SDL_RenderFlush(renderer_);
    std::vector<uint32_t> out(size_t(kScreenWidth) * kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y) {
      auto row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface_->pixels) +
                                                   y * surface_->pitch);
      for (int x = 0; x < kScreenWidth; ++x)
        out[size_t(y) * kScreenWidth + size_t(x)] = row[x] & 0xFFFFFF;
    }
    return out;
  }

 private:
  SDL_Surface* surface_ = nullptr;
};

class RendererDisplay final : public SdlDisplay {
 public:
  RendererDisplay(ImageArchive& archive, SDL_Renderer* renderer, Presenter presenter,
                  PixelDepth depth)
      : SdlDisplay(archive, depth), presenter_(std::move(presenter)) {
    renderer_ = renderer;
    textures_ = std::make_unique<TextureCache>(archive, renderer_);
    Initialize();
  }
  ~RendererDisplay() override { Finalize(); }

  void Initialize() override {
    if (ready_) return;
    target_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_TARGET,
                                kScreenWidth, kScreenHeight);
    if (!target_ || SDL_SetRenderTarget(renderer_, target_) != 0) {
      std::string reason = SDL_GetError();
      if (target_) SDL_DestroyTexture(target_);
      target_ = nullptr;
      if (!FullScreenOption()) throw DisplayError("cannot create the back buffer: " + reason);
      throw DisplayError(DisplayModeErrorText());
    }
    SDL_SetTextureScaleMode(target_, SDL_ScaleModeNearest);
    ready_ = true;
    Clear();
  }

  void Finalize() override {
    if (!ready_) return;
    ready_ = false;
    SDL_SetRenderTarget(renderer_, nullptr);
    textures_->Clear();
    SDL_DestroyTexture(target_);
    target_ = nullptr;
  }

  void Flip() override {
    if (!ready_) return;
    SDL_SetRenderTarget(renderer_, nullptr);
    if (presenter_) presenter_(target_);
    SDL_SetRenderTarget(renderer_, target_);
  }

  std::vector<uint32_t> ReadBackBuffer() const override {
    std::vector<uint32_t> out(size_t(kScreenWidth) * kScreenHeight, 0);
    if (!ready_) return out;
    SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_XRGB8888, out.data(),
                         kScreenWidth * 4);
    for (uint32_t& p : out) p &= 0xFFFFFF;
    return out;
  }

  SDL_Texture* BackBufferTexture() const override { return target_; }

 private:
  Presenter presenter_;
  SDL_Texture* target_ = nullptr;
};

}  // namespace

std::string DisplayModeErrorText() {
  char text[128];
  std::snprintf(text, sizeof text, kDisplayModeErrorFormat, kFullScreenWidth, kFullScreenHeight,
                kFullScreenDepth);
  return text;
}

std::unique_ptr<Display> CreateHeadlessDisplay(ImageArchive& archive, PixelDepth depth) {
  return std::make_unique<HeadlessDisplay>(archive, depth);
}

std::unique_ptr<Display> CreateRendererDisplay(ImageArchive& archive, SDL_Renderer* renderer,
                                               Presenter presenter, PixelDepth depth) {
  return std::make_unique<RendererDisplay>(archive, renderer, std::move(presenter), depth);
}

}  // namespace pres
