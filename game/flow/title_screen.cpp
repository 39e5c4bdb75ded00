#include "game/flow/title_screen.h"

#include <array>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/motion.h"
#include "game/engine/pad_input.h"
#include "game/engine/text_actors.h"
#include "game/flow/flow_state.h"
#include "game/flow/game_progress.h"
#include "game/flow/game_watch.h"
#include "game/flow/options_screen.h"
#include "game/flow/ranking_screen.h"
#include "game/host/program_state.h"
#include "game/play/speed_tables.h"

namespace tolvane {

namespace {

constexpr int32_t kTileImage = pic::kTitleTile;
constexpr int32_t kTileRows = 3;
constexpr int32_t kTileColumns = 4;
constexpr int32_t kTileSpacing = 180;  // also the drift period, in frames

constexpr int32_t kLogoImage = pic::kEmblem;
constexpr int32_t kLogoStartX = -500;
constexpr int32_t kLogoY = 160;
constexpr int32_t kLogoX = 370;

// Caption pictures of choices 0-3.
constexpr std::array<int32_t, kMenuChoices> kCaptionImages = {pic::kMenuStart, pic::kMenuScores,
                                                              pic::kMenuOptions, pic::kMenuQuit};
constexpr int32_t kCaptionStartX = -600;
constexpr int32_t kCaptionY = 200;
constexpr int32_t kCaptionX = 130;
constexpr int32_t kCaptionReenterX = -150;  // a new choice glides in from here

struct TitlePicture {
  int32_t image;
  int32_t x;
  int32_t y;
};
constexpr std::array<TitlePicture, 3> kTitleCaptions = {
    {{pic::kWordmark, 150, 40}, {pic::kVersion, 200, 80}, {pic::kCopyright, 100, 290}}};

// Empty lines on text rows 0 and 1, as every screen has.
constexpr int32_t kFirstTextRow = 0;
constexpr int32_t kSecondTextRow = 1;
constexpr int32_t kFullScale = 100;

void NewTile(int32_t row, int32_t column) {
  TActor& tile = NewActor(LayerBack);
  SetImage(tile, kTileImage);
  tile.Kind = KindPersistent;
  tile.Work[kTileBaseX] = column * kTileSpacing + kTileSpacing / 2;
  tile.Work[kTileBaseY] = row * kTileSpacing + kTileSpacing / 2;
  tile.Move = TitleTileMove;
  TitleTileMove(tile);  // in place from the first drawn frame
}

void ChangeChoice(TActor& caption, int32_t step) {
  int32_t& choice = caption.Work[kMenuChoiceWord];
  choice = (choice + step) % kMenuChoices;
  caption.X = kCaptionReenterX;
}

void Choose(int32_t choice) {
  switch (choice) {
    case kChoiceStart:
      NewActor(LayerFront).Move = NewGame;
      break;
    case kChoiceRanking: {
      TActor& controller = NewActor(LayerFront);
      controller.Kind = KindPersistent;
      controller.Move = RankingSetup;
      break;
    }
    case kChoiceOptions: {
      TActor& controller = NewActor(LayerFront);
      controller.Kind = KindPersistent;
      controller.Move = OptionsSetup;
      break;
    }
    case kChoiceQuit:
      CloseMainForm();
      break;
    default:
      break;
  }
}

}  // namespace

void TitleSetup(TActor& /*actor*/) {
  if (OnTitle != nullptr) OnTitle();
  ClearAllActors();
  GlideText(0, kFirstTextRow, "", kFullScale, kFullScale, 0, 0);
  GlideText(0, kSecondTextRow, "", kFullScale, kFullScale, 0, 0);
  StartStage = 1;
  StartWeaponLevel.fill(1);

  for (int32_t row = 0; row < kTileRows; ++row) {
    for (int32_t column = 0; column < kTileColumns; ++column) NewTile(row, column);
  }

  TActor& logo = NewActor(LayerBack);
  SetImage(logo, kLogoImage);
  logo.X = kLogoStartX;
  logo.Y = kLogoY;
  logo.Move = TitleLogoMove;

  TActor& caption = NewActor(LayerBack);
  SetImage(caption, kCaptionImages[kChoiceStart]);
  caption.X = kCaptionStartX;
  caption.Y = kCaptionY;
  for (int32_t choice = 0; choice < kMenuChoices; ++choice) {
    caption.Work[static_cast<size_t>(kCaptionImageWord + choice)] =
        kCaptionImages[static_cast<size_t>(choice)];
  }
  caption.Work[kMenuChoiceWord] = kChoiceStart;
  caption.Move = TitleMenuMove;

  for (const TitlePicture& picture : kTitleCaptions)
    PopPicture(picture.x, picture.y, picture.image, 0, 0);
  caption.Work[kMenuReaderWord] = SlotOf(NewMenuKeyReader());
}

void TitleMenuMove(TActor& caption) {
  MoveToward(caption, kCaptionX, caption.Y, GlideTable);
  TPadState keys{};
  ReadMenuKey(ActorAt(caption.Work[kMenuReaderWord]), keys);
  if (PadHeld(keys, PadUp) || PadHeld(keys, PadLeft)) ChangeChoice(caption, kMenuChoices - 1);
  if (PadHeld(keys, PadDown) || PadHeld(keys, PadRight)) ChangeChoice(caption, 1);
  const int32_t choice = caption.Work[kMenuChoiceWord];
  SetImage(caption, caption.Work[static_cast<size_t>(kCaptionImageWord + choice)]);
  if (PadHeld(keys, PadButton1)) Choose(choice);
}

void TitleTileMove(TActor& tile) {
  const int32_t drift = FrameCount % kTileSpacing;
  tile.X = tile.Work[kTileBaseX] - drift;
  tile.Y = tile.Work[kTileBaseY] - drift;
}

void TitleLogoMove(TActor& logo) {
  MoveToward(logo, kLogoX, logo.Y, GlideTable);
  TPadState pad{};
  ReadPad(pad);
  for (uint8_t byte : pad) {
    if (byte != 0) logo.X = kLogoX;
  }
}

}  // namespace tolvane
