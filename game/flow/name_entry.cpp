#include "game/flow/name_entry.h"

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/engine/sound.h"
#include "game/flow/game_progress.h"
#include "game/flow/high_score_file.h"
#include "game/flow/high_scores.h"
#include "game/flow/wobble.h"
#include "game/play/game_state.h"
#include "presentation/services.h"

namespace tolvane {

namespace {

constexpr int32_t kLetterImage = pic::kNameLetters;
constexpr int32_t kCursorImage = pic::kNameCursor;
constexpr int32_t kHeadingImage = pic::kEnterYourName;
constexpr int32_t kHeadingX = 240;
constexpr int32_t kHeadingY = 55;

constexpr int32_t kGridLetters = kGridColumns * kGridRows;
constexpr int32_t kGridLeft = 60;
constexpr int32_t kGridTop = 140;
constexpr int32_t kGridSpacing = 30;

constexpr int32_t kNameCentreX = 240;
constexpr int32_t kNameTop = 80;
constexpr int32_t kNameAdvance = 44;

int32_t Wrap(int32_t value, int32_t count) {
  return ((value % count) + count) % count;
}

bool InTable(int32_t n) {
  return n >= 0 && n < kRankCount;
}

// The name being entered; a stray place edits a name outside the table, so the entry
// can still be ended.
std::string& NameOfEntry(const TActor& actor) {
  static std::string outside;
  const int32_t n = actor.Work[kPlaceWord];
  return InTable(n) ? RankName[static_cast<size_t>(n)] : outside;
}

TActor& LetterActor(TActor& actor, int32_t column, int32_t row) {
  const TActor& holder = ActorAt(actor.Work[kGridHolderWord]);
  return ActorAt(holder.Work[static_cast<size_t>(Wrap(row, kGridRows) * kGridColumns +
                                                 Wrap(column, kGridColumns))]);
}

void MoveCursor(TActor& actor, const TPadState& keys) {
  int32_t& column = actor.Work[kCursorColumnWord];
  int32_t& row = actor.Work[kCursorRowWord];
  if (PadHeld(keys, PadUp)) row = (row + kGridRows - 1) % kGridRows;
  if (PadHeld(keys, PadDown)) row = (row + 1) % kGridRows;
  if (PadHeld(keys, PadRight)) column = (column + 1) % kGridColumns;
  if (PadHeld(keys, PadLeft)) column = (column + kGridColumns - 1) % kGridColumns;
}

void DropLastLetter(std::string& name) {
  if (name.empty()) return;
  name.pop_back();
  PlaySound(kSoundLetter);
}

// Stores the table and takes the entry's screen down; the actor goes on to continue.
void EndEntry(TActor& actor) {
  WriteHighScores();
  TActor& holder = ActorAt(actor.Work[kGridHolderWord]);
  for (int32_t k = 0; k < kGridLetters; ++k)
    ActorAt(holder.Work[static_cast<size_t>(k)]).Active = 0;
  holder.Active = 0;
  ActorAt(actor.Work[kNameHeadingWord]).Active = 0;
  ActorAt(actor.Work[kNameDisplayWord]).Active = 0;
  ActorAt(actor.Work[kNameReaderWord]).Active = 0;
  actor.Move = ContinueSetup;
}

}  // namespace

char LetterAt(int32_t column, int32_t row) {
  return NameAlphabet[static_cast<size_t>(Wrap(row, kGridRows) * kGridColumns +
                                          Wrap(column, kGridColumns))];
}

int32_t LetterPattern(char c) {
  const size_t at = NameAlphabet.substr(0, kNameCharacters).find(c);
  return at == std::string_view::npos ? -1 : static_cast<int32_t>(at);
}

void NameEntrySetup(TActor& actor) {
  const int32_t n = actor.Work[kPlaceWord];
  InsertRank(n, Score, Host().today());

  TActor& holder = NewActor(LayerBack);
  actor.Work[kGridHolderWord] = SlotOf(holder);
  actor.Work[kNameHeadingWord] =
      SlotOf(NewWobblePicture(kHeadingImage, kHeadingX, kHeadingY, kWobbleHeading));

  TActor& display = NewActor(LayerFront);
  display.Work[kNameDisplayPlace] = n;
  display.Draw = NameDraw;
  actor.Work[kNameDisplayWord] = SlotOf(display);

  actor.Work[kCursorColumnWord] = 0;
  actor.Work[kCursorRowWord] = 0;
  for (int32_t k = 0; k < kGridLetters; ++k) {
    TActor& letter = NewWobblePicture(kLetterImage, (k % kGridColumns) * kGridSpacing + kGridLeft,
                                      (k / kGridColumns) * kGridSpacing + kGridTop, kWobbleLetter);
    letter.Pattern = k;
    holder.Work[static_cast<size_t>(k)] = SlotOf(letter);
  }
  actor.Work[kNameReaderWord] = SlotOf(NewMenuKeyReader());
  actor.Move = NameEntryMove;
}

void NameEntryMove(TActor& actor) {
  const int32_t column = actor.Work[kCursorColumnWord];
  const int32_t row = actor.Work[kCursorRowWord];
  LetterActor(actor, column, row).Work[kWobbleBase] = kWobbleLetter;
  TPadState keys{};
  ReadMenuKey(ActorAt(actor.Work[kNameReaderWord]), keys);
  MoveCursor(actor, keys);
  const int32_t newColumn = actor.Work[kCursorColumnWord];
  const int32_t newRow = actor.Work[kCursorRowWord];
  LetterActor(actor, newColumn, newRow).Work[kWobbleBase] = kWobbleChosen;
  if (newColumn + newRow != column + row) PlaySound(kSoundBlip);

  std::string& name = NameOfEntry(actor);
  if (PadHeld(keys, PadButton1)) {
    const char c = LetterAt(newColumn, newRow);
    if (c == kDeleteCommand) {
      DropLastLetter(name);
      return;
    }
    if (c == kEndCommand) {
      EndEntry(actor);
      return;
    }
    if (name.size() < kMaxNameLength) {
      name.push_back(c);
      PlaySound(kSoundLetter);
    }
  }
  if (PadHeld(keys, PadButton2)) DropLastLetter(name);
}

void NameDraw(TActor& actor) {
  const int32_t n = actor.Work[kNameDisplayPlace];
  pres::Display* display = pres::Services().display;
  if (!InTable(n) || display == nullptr) return;
  const std::string& name = RankName[static_cast<size_t>(n)];
  const auto length = static_cast<int32_t>(name.size());
  int32_t x = kNameCentreX - (length + 1) * kNameAdvance / 2;
  for (const char c : name) {
    const int32_t pattern = LetterPattern(c);
    if (pattern >= 0) display->DrawPattern(kLetterImage, x, kNameTop, pattern);
    x += kNameAdvance;
  }
  display->DrawPattern(kCursorImage, x, kNameTop, 0);
}

}  // namespace tolvane
