#include "tests/support/play_harness.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "game/engine/actor_pool.h"
#include "game/engine/engine_reset.h"
#include "game/engine/pad_input.h"
#include "game/engine/random_streams.h"
#include "game/engine/screen_setup.h"
#include "game/engine/text_actors.h"
#include "game/flow/game_progress.h"
#include "game/play/backdrop.h"
#include "game/play/game_state.h"
#include "game/play/play_reset.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"
#include "game/shell/frame_driver.h"
#include "presentation/services.h"
#include "presentation/virtual_keys.h"
#include "tools/artbuild/catalogue.h"

namespace tolvane::testing {

namespace {

constexpr int kSyntheticSide = 32;
constexpr int kGlyphW = 16;
constexpr int kGlyphH = 16;

pres::ImageEntry SolidEntry(int patternWidth, int patternHeight, int patterns) {
  pres::ImageEntry e;
  e.picture.width = patternWidth * patterns;
  e.picture.height = patternHeight;
  e.picture.bitsPerPixel = 24;
  e.picture.pixels.assign(static_cast<size_t>(e.picture.width) * patternHeight, 0x808080);
  if (patterns > 1) {
    e.patternWidth = patternWidth;
    e.patternHeight = patternHeight;
  }
  return e;
}

void Mix(uint64_t& hash, int64_t value) {
  for (int i = 0; i < 8; ++i) {
    hash ^= static_cast<uint8_t>(value >> (8 * i));
    hash *= 0x100000001b3ULL;
  }
}

}  // namespace

int KeyFor(int padState) {
  switch (padState) {
    case PadUp:
      return pres::vk::kUp;
    case PadDown:
      return pres::vk::kDown;
    case PadLeft:
      return pres::vk::kLeft;
    case PadRight:
      return pres::vk::kRight;
    case PadButton1:
      return pres::vk::Letter('Z');
    case PadButton2:
      return pres::vk::Letter('X');
    case PadButton3:
      return pres::vk::kShift;
    default:
      return 0;
  }
}

std::string BuiltArchivePath() {
  return std::string(TOLVANE_BINARY_DIR) + "/game/tolvgfx.dxg";
}

PlayHarness::PlayHarness(ArchiveSource source) {
  ResetEngineState();
  ResetPlayState();
  ResetFrameDriver();
  if (source == ArchiveSource::Built) {
    if (std::filesystem::exists(BuiltArchivePath())) {
      archive_.Load(BuiltArchivePath());
      loaded_ = true;
    }
  } else {
    for (int i = 0; i < kSyntheticEntries; ++i)
      archive_.Entries().push_back(SolidEntry(kSyntheticSide, kSyntheticSide, 1));
    pres::ImageEntry font = SolidEntry(kGlyphW * kFontColumns, kGlyphH * kFontRows, 1);
    font.name = kFontEntryName;
    archive_.Entries().push_back(std::move(font));
    archive_.Touch();
    loaded_ = true;
  }
  for (int state : {PadButton1, PadButton2, PadButton3})
    input_.SetBinding(state, {KeyFor(state), 0, 0});
  pres::Services() = pres::ServiceSet{};
  pres::Services().archive = &archive_;
  pres::Services().clock = &clock_;
  pres::Services().input = &input_;
  display_ = pres::CreateHeadlessDisplay(archive_);
  if (!display_->CanDraw()) display_->Initialize();
  pres::Services().display = display_.get();
  ClearColor = display_->ColorMatch(0);
  if (loaded_) InitFontCells();
}

PlayHarness::~PlayHarness() {
  pres::Services() = pres::ServiceSet{};
  ResetFrameDriver();
  ResetPlayState();
  ResetEngineState();
}

void PlayHarness::SetEntrySize(int index, int patternWidth, int patternHeight, int patterns) {
  archive_.Entry(index) = SolidEntry(patternWidth, patternHeight, patterns);
  archive_.Touch();
}

void PlayHarness::UsePlaySizes() {
  std::ifstream in(std::string(TOLVANE_SOURCE_DIR) + "/content/images/catalogue.tsv");
  std::stringstream text;
  text << in.rdbuf();
  const artbuild::Catalogue catalogue = artbuild::ParseCatalogue(text.str());
  // The player's set: player, shots, items, orbs, weapon display, bullet, ray, explosions and
  // the first stage's background layers.
  static constexpr std::pair<int, int> kPlaySet[] = {{1, 2},   {12, 12},   {30, 30},   {32, 39},
                                                     {41, 44}, {177, 177}, {205, 218}, {308, 308}};
  for (const auto& [first, last] : kPlaySet) {
    for (int i = first; i <= last; ++i) {
      const artbuild::CatalogueRow& row = catalogue.rows.at(static_cast<size_t>(i));
      if (row.patternWidth > 0) {
        SetEntrySize(i, row.patternWidth, row.patternHeight, row.count);
      } else {
        SetEntrySize(i, row.width.value, row.height.value, 1);
      }
    }
  }
}

void PlayHarness::BuildPlayScene(int32_t stage, int32_t weaponLevel) {
  ClearAllActors();
  HudLine1 = nullptr;  // as at a new game: the clear ended them
  HudLine2 = nullptr;
  MakePlayArea();
  MakePlayer({weaponLevel, weaponLevel, weaponLevel});
  MakeOrbs();
  Tails = kStartTails;
  Score = 0;
  StageActor = &NewActor(LayerBack);
  StageActor->Work[kStageNumber] = stage;
  StageActor->Move = RunStageScript;

  RandomReset();
  MaxCombo = 0;
  StartBackdrop(*BackdropActor, stage);
  PlayerEntry(*PlayerActor);
  StartHudLines();
}

void PlayHarness::PlacePlayer(int32_t x, int32_t y) {
  PlayerActor->X = x;
  PlayerActor->Y = y;
  PlayerActor->Blink = 0;
  PlayerActor->Move = PlayerMove;
}

void PlayHarness::FillOrbs(int count) {
  for (int i = 0; i < count && i < kProtectionCount; ++i)
    SetImage(*ProtectionActors[static_cast<size_t>(i)], kOrbImage);
}

void PlayHarness::LoadScript(const std::vector<StageRecord>& records) {
  std::vector<uint8_t> bytes(records.size() * kStageRecordSize);
  for (size_t i = 0; i < records.size(); ++i)
    EncodeStageRecord(records[i], bytes.data() + i * kStageRecordSize);
  LoadStageScript(bytes);
}

void PlayHarness::Hold(int padState, bool down) {
  const int key = KeyFor(padState);
  if (down) {
    input_.KeyDown(key);
  } else {
    input_.KeyUp(key);
  }
}

void PlayHarness::ReleaseAll() {
  input_.ReleaseAll();
}

void PlayHarness::RunFrames(int frames) {
  for (int i = 0; i < frames; ++i) {
    clock_.Advance(kFrameIntervalMs);
    DXTimerTimer();
  }
}

void PlayHarness::RunFrameAfter(uint32_t ms) {
  clock_.Advance(ms);
  DXTimerTimer();
}

uint64_t PlayHarness::PoolDigest() {
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (int32_t slot = 0; slot < kPoolSize; ++slot) {
    const TActor& a = ActorAt(slot);
    if (a.Active == 0) continue;
    for (int64_t v : {int64_t{slot},
                      int64_t{a.Active},
                      int64_t{a.Kind},
                      int64_t{a.X},
                      int64_t{a.Y},
                      int64_t{a.Width},
                      int64_t{a.Height},
                      int64_t{a.ScaleX},
                      int64_t{a.ScaleY},
                      int64_t{a.Image},
                      int64_t{a.Pattern},
                      int64_t{a.CenterX},
                      int64_t{a.CenterY},
                      int64_t{a.HitScale},
                      int64_t{a.Alpha},
                      int64_t{a.Blink},
                      int64_t{a.Flash},
                      int64_t{a.FlashImage},
                      int64_t{a.BlinkPhase},
                      int64_t{a.AnimIndex},
                      int64_t{a.AnimStep},
                      int64_t{a.AnimCount},
                      int64_t{a.AnimMode},
                      int64_t{a.PatternPeriod},
                      int64_t{a.Move != nullptr},
                      int64_t{a.Draw != nullptr}}) {
      Mix(hash, v);
    }
    for (int32_t word : a.Work) Mix(hash, word);
  }
  return hash;
}

int PlayHarness::ActiveCount() {
  int count = 0;
  for (int32_t slot = 0; slot < kPoolSize; ++slot) count += ActorAt(slot).Active != 0 ? 1 : 0;
  return count;
}

}  // namespace tolvane::testing
