// Stand-in for the game's boot scene until the screens are built: a still picture with
// the title emblem and a line of the bitmap font, so the window shows the archive and
// the font at work. It replaces itself with no SceneProc, as the real one replaces itself.
#include "game/flow/boot_scene.h"

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/text_actors.h"

namespace tolvane {
namespace {

constexpr int32_t kTitleTileImage = 197;
constexpr int32_t kTitleEmblemImage = 182;
constexpr int32_t kTileSpacing = 180;
constexpr int32_t kTileRows = 3;
constexpr int32_t kTileColumns = 4;
constexpr int32_t kEmblemX = 240;
constexpr int32_t kEmblemY = 130;
constexpr int32_t kCaptionRow = 12;
constexpr const char* kPlaceholderCaption = "TOLVANE ECHO";

}  // namespace

void BootScene() {
  ClearAllActors();
  for (int32_t row = 0; row < kTileRows; ++row) {
    for (int32_t column = 0; column < kTileColumns; ++column) {
      TActor& tile = NewActor(LayerBack);
      SetImage(tile, kTitleTileImage);
      tile.X = column * kTileSpacing + kTileSpacing / 2;
      tile.Y = row * kTileSpacing + kTileSpacing / 2;
    }
  }
  TActor& emblem = NewActor(LayerBack);
  SetImage(emblem, kTitleEmblemImage);
  emblem.X = kEmblemX;
  emblem.Y = kEmblemY;
  TextAtCell(-1, kCaptionRow, kPlaceholderCaption, 0, 0);
  SceneProc = nullptr;
}

}  // namespace tolvane
