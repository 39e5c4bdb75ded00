#include "game/flow/options_screen.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/engine/sound.h"
#include "game/engine/text_actors.h"
#include "game/flow/flow_state.h"
#include "game/flow/title_screen.h"
#include "game/flow/wobble.h"
#include "game/play/game_state.h"

namespace tolvane {

namespace {

struct OptionPicture {
  int32_t image;
  int32_t x;
  int32_t y;
};

constexpr std::array<OptionPicture, kOptionRows> kRowLabels = {{
    {pic::kOptionBackground, 80, 60},  // background detail
    {pic::kOptionMusic, 80, 130},      // music
    {pic::kOptionSound, 80, 200},      // sound effects
    {pic::kOptionExit, 200, 270},      // done
}};
constexpr std::array<OptionPicture, 3> kDetailValues = {
    {{pic::kValueFull, 200, 60}, {pic::kValueSimple, 305, 60}, {pic::kValueOff, 410, 60}}};
constexpr std::array<OptionPicture, 2> kMusicValues = {
    {{pic::kValueOn, 230, 130}, {pic::kValueOff, 380, 130}}};
constexpr std::array<OptionPicture, 2> kSoundValues = {
    {{pic::kValueOn, 230, 200}, {pic::kValueOff, 380, 200}}};

// Detail values, and the on/off values of music and sound.
constexpr int32_t kBothLayers = 0;
constexpr int32_t kOneLayer = 1;
constexpr int32_t kNoBackground = 2;
constexpr int32_t kOn = 0;
constexpr int32_t kOff = 1;

// Each value row: its first value word, its value count.
struct ValueRow {
  int word;
  int32_t count;
};
constexpr std::array<ValueRow, 3> kValueRows = {{
    {kDetailValueWord, static_cast<int32_t>(kDetailValues.size())},
    {kMusicValueWord, static_cast<int32_t>(kMusicValues.size())},
    {kSoundValueWord, static_cast<int32_t>(kSoundValues.size())},
}};

int32_t& Row(TActor& c) {
  return c.Work[kOptionRowWord];
}
int32_t& Value(TActor& c, int32_t row) {
  return c.Work[static_cast<size_t>(kRowValueWord + row)];
}
TActor& Label(TActor& c, int32_t row) {
  return ActorAt(c.Work[static_cast<size_t>(kRowLabelWord + row)]);
}
TActor& ValuePicture(TActor& c, int32_t row, int32_t value) {
  return ActorAt(c.Work[static_cast<size_t>(kValueRows[static_cast<size_t>(row)].word + value)]);
}

constexpr size_t kNoneChosen = SIZE_MAX;

// The pictures of one row's labels or values; their slots go to Work[word + i].
void MakePictures(TActor& c, int word, std::span<const OptionPicture> pictures, size_t chosen) {
  for (size_t i = 0; i < pictures.size(); ++i) {
    const OptionPicture& p = pictures[i];
    TActor& picture =
        NewWobblePicture(p.image, p.x, p.y, i == chosen ? kWobbleChosen : kWobblePlain);
    c.Work[static_cast<size_t>(word) + i] = SlotOf(picture);
  }
}

int32_t Sum(TActor& c) {
  return Row(c) + Value(c, kDetailRow) + Value(c, kMusicRow) + Value(c, kSoundRow);
}

void MoveCursor(TActor& c, const TPadState& keys) {
  if (PadHeld(keys, PadUp)) Row(c) = (Row(c) + kOptionRows - 1) % kOptionRows;
  if (PadHeld(keys, PadDown)) Row(c) = (Row(c) + 1) % kOptionRows;
  Label(c, Row(c)).Work[kWobbleBase] = kWobbleChosen;

  const int32_t row = Row(c);
  if (row == kDoneRow) return;
  if (PadHeld(keys, PadLeft))
    Value(c, row) = row == kDetailRow ? std::max(Value(c, row) - 1, kBothLayers) : kOn;
  if (PadHeld(keys, PadRight))
    Value(c, row) = row == kDetailRow ? std::min(Value(c, row) + 1, kNoBackground) : kOff;
}

void ShowValues(TActor& c) {
  for (int32_t row = 0; row < static_cast<int32_t>(kValueRows.size()); ++row) {
    for (int32_t value = 0; value < kValueRows[static_cast<size_t>(row)].count; ++value) {
      ValuePicture(c, row, value).Work[kWobbleBase] = kWobblePlain;
    }
    ValuePicture(c, row, Value(c, row)).Work[kWobbleBase] = kWobbleChosen;
  }
}

void ApplyOptions(TActor& c) {
  BackgroundShown = Value(c, kDetailRow) != kNoBackground;
  BackgroundBothLayers = Value(c, kDetailRow) == kBothLayers;
  MusicEnabled = Value(c, kMusicRow) == kOn;
  SoundEnabled = Value(c, kSoundRow) == kOn ? 1 : 0;
}

}  // namespace

void OptionsSetup(TActor& c) {
  ClearSceneActors();
  TextAtCell(0, 0, "", 0, 0);
  TextAtCell(0, 1, "", 0, 0);
  // Labels start plain; the first value of each row starts highlighted until the first
  // frame shows the chosen ones.
  MakePictures(c, kRowLabelWord, kRowLabels, kNoneChosen);
  MakePictures(c, kDetailValueWord, kDetailValues, 0);
  MakePictures(c, kMusicValueWord, kMusicValues, 0);
  MakePictures(c, kSoundValueWord, kSoundValues, 0);
  c.Work[kOptionsReaderWord] = SlotOf(NewMenuKeyReader());

  Row(c) = kDetailRow;
  Value(c, kDetailRow) = !BackgroundShown       ? kNoBackground
                         : BackgroundBothLayers ? kBothLayers
                                                : kOneLayer;
  Value(c, kMusicRow) = MusicEnabled ? kOn : kOff;
  Value(c, kSoundRow) = SoundEnabled != 0 ? kOn : kOff;
  c.Move = OptionsMove;
}

void OptionsMove(TActor& c) {
  const int32_t before = Sum(c);
  Label(c, Row(c)).Work[kWobbleBase] = kWobblePlain;
  TPadState keys{};
  ReadMenuKey(ActorAt(c.Work[kOptionsReaderWord]), keys);
  MoveCursor(c, keys);
  ShowValues(c);
  if (PadHeld(keys, PadButton1) && Row(c) == kDoneRow) {
    ApplyOptions(c);
    c.Move = TitleSetup;
  }
  if (Sum(c) != before) PlaySound(kSoundBlip);
}

}  // namespace tolvane
