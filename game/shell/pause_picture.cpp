#include "game/shell/pause_picture.h"

#include <string_view>

#include "game/engine/screen_setup.h"
#include "game/engine/text_common.h"
#include "presentation/display.h"

namespace tolvane {
namespace {

constexpr int32_t kPauseTextScale = 2;

}  // namespace

void ShowPausePicture(pres::Display& display) {
  if (!display.CanDraw()) return;
  display.Shade(kPauseDimAlpha);
  const std::string_view text = kPauseText;
  const int32_t advance = GlyphAdvance() * kPauseTextScale;
  const int32_t width = GlyphWidth * kPauseTextScale;
  const int32_t height = GlyphHeight * kPauseTextScale;
  // The last letter's cell ends `width`, not `advance`, after its pen position.
  int32_t x = CentredX(advance * int32_t(text.size() - 1) + width);
  const int32_t y = (pres::kScreenHeight - height) / 2;
  for (char c : text) {
    StretchGlyph(GlyphPattern(c), pres::Rect{x, y, x + width, y + height});
    x += advance;
  }
  display.Flip();
}

}  // namespace tolvane
