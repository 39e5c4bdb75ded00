#include "game/shell/splash_window.h"

#include <SDL2/SDL.h>

#include <vector>

#include "game/shell/splash_picture.h"

namespace tolvane {
namespace {

// The raised panel's one-pixel bevel, lit from the top left.
constexpr uint32_t kBevelLight = 0xFFFFFF;
constexpr uint32_t kBevelShadow = 0x808080;
constexpr int kBevel = 1;

void FillRect(SDL_Surface* surface, int x, int y, int w, int h, uint32_t rgb) {
  const SDL_Rect rect{x, y, w, h};
  SDL_FillRect(surface, &rect,
               SDL_MapRGB(surface->format, uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)));
}

}  // namespace

SplashWindow::SplashWindow() {
  window_ = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kSplashWidth,
                             kSplashHeight,
                             SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_SHOWN);
  if (window_ == nullptr) return;
  SDL_PumpEvents();  // let the window be mapped before it is painted
  Paint();
}

SplashWindow::~SplashWindow() {
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

void SplashWindow::Paint() {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr) return;
  FillRect(surface, 0, 0, kSplashWidth, kSplashHeight, 0x000000);
  FillRect(surface, 0, 0, kSplashWidth, kBevel, kBevelLight);
  FillRect(surface, 0, 0, kBevel, kSplashHeight, kBevelLight);
  FillRect(surface, 0, kSplashHeight - kBevel, kSplashWidth, kBevel, kBevelShadow);
  FillRect(surface, kSplashWidth - kBevel, 0, kBevel, kSplashHeight, kBevelShadow);

  // SDL wants a writable buffer even for a blit source.
  std::vector<uint32_t> pixels(
      kSplashPicturePixels,
      kSplashPicturePixels + size_t(kSplashPictureWidth) * size_t(kSplashPictureHeight));
  SDL_Surface* picture =
      SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kSplashPictureWidth, kSplashPictureHeight,
                                         32, kSplashPictureWidth * 4, SDL_PIXELFORMAT_ARGB8888);
  if (picture != nullptr) {
    SDL_Rect inside{kBevel, kBevel, kSplashWidth - 2 * kBevel, kSplashHeight - 2 * kBevel};
    SDL_BlitScaled(picture, nullptr, surface, &inside);
    SDL_FreeSurface(picture);
  }
  SDL_UpdateWindowSurface(window_);
}

}  // namespace tolvane
