#pragma once
// The 480 x 320 back buffer and the drawing operations the game uses on it.
// Images are addressed by archive index; pattern geometry is read from the entry at
// draw time, so a changed pattern size (the font) takes effect at once.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "presentation/image_archive.h"

struct SDL_Renderer;
struct SDL_Texture;

namespace pres {

inline constexpr int kScreenWidth = 480;
inline constexpr int kScreenHeight = 320;
inline constexpr int kFullScreenWidth = 640;
inline constexpr int kFullScreenHeight = 480;
inline constexpr int kFullScreenDepth = 16;

inline constexpr const char* kDisplayModeErrorFormat =
    "ディスプレイモードを変更できません (%dx%d %dbit)";

// The text of a full-screen mode that cannot be set: 640 x 480 at 16 bits.
std::string DisplayModeErrorText();

// The display could not be built; what() is the display-mode text in full-screen mode.
class DisplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A 256-colour back buffer holds palette indices: pictures take the palette's nearest
// colours, and the additive and alpha draws become plain copies.
enum class PixelDepth { TrueColor, Palette256 };

// Left, top, right, bottom; right and bottom exclusive.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

class Display {
 public:
  virtual ~Display() = default;

  virtual bool CanDraw() const = 0;
  virtual void Fill(uint32_t pixel) = 0;
  // Back-buffer pixel value for a colour given as 0x00RRGGBB.
  virtual uint32_t ColorMatch(uint32_t rgb) const = 0;
  virtual void Flip() = 0;
  virtual void Finalize() = 0;
  virtual void Initialize() = 0;
  virtual void SetFullScreenOption(bool on) = 0;
  virtual bool FullScreenOption() const = 0;
  virtual void SetPalette(const ColorTable& table) = 0;
  // Darkens the whole back buffer: black laid over it at alpha (0-255). A 256-colour back
  // buffer cannot blend and stays as it is.
  virtual void Shade(int32_t /*alpha*/) {}

  // Pattern draws. Transparent colour left out when the entry asks for it; a pattern
  // outside 0..count-1 draws nothing; everything is clipped to the back buffer.
  virtual void DrawPattern(int32_t image, int32_t x, int32_t y, int32_t pattern) = 0;
  virtual void StretchPattern(int32_t image, const Rect& dest, int32_t pattern) = 0;
  virtual void DrawPatternAdd(int32_t image, const Rect& dest, int32_t pattern, int32_t alpha) = 0;
  virtual void DrawPatternAlpha(int32_t image, const Rect& dest, int32_t pattern,
                                int32_t alpha) = 0;
  // The pattern drawn at w x h with its top-left at (x, y), rotated about the point
  // (x + centerX * w, y + centerY * h) by angle256 / 256 of a turn (64 = a quarter turn clockwise).
  virtual void DrawPatternRotated(int32_t image, int32_t x, int32_t y, int32_t w, int32_t h,
                                  int32_t pattern, double centerX, double centerY,
                                  int32_t angle256) = 0;

  // The back buffer as 0x00RRGGBB pixels, top row first (tests, screenshots, digests).
  virtual std::vector<uint32_t> ReadBackBuffer() const = 0;
  // Puts such pixels (kScreenWidth x kScreenHeight of them) back into the back buffer: a
  // picture kept across Finalize and Initialize. Other sizes are left out.
  virtual void WriteBackBuffer(const std::vector<uint32_t>& /*pixels*/) {}

  // The renderer and the back-buffer texture (windowed build), for the shell to compose.
  virtual SDL_Renderer* Renderer() const = 0;
  // Null for the headless display and while the display is finalised.
  virtual SDL_Texture* BackBufferTexture() const { return nullptr; }
};

// Software renderer on an offscreen 480 x 320 surface: no window, deterministic pixels.
std::unique_ptr<Display> CreateHeadlessDisplay(ImageArchive& archive,
                                               PixelDepth depth = PixelDepth::TrueColor);

// Called by Flip with the finished back buffer and no render target set; the shell copies
// it into the window (below the menu, or centred and scaled in full screen) and presents.
using Presenter = std::function<void(SDL_Texture* backBuffer)>;

// The back buffer as a 480 x 320 target texture of the given renderer. Finalize releases
// every texture it made on the renderer; Initialize makes the back buffer again and
// throws DisplayError when it cannot. Created initialised.
std::unique_ptr<Display> CreateRendererDisplay(ImageArchive& archive, SDL_Renderer* renderer,
                                               Presenter presenter,
                                               PixelDepth depth = PixelDepth::TrueColor);

}  // namespace pres
