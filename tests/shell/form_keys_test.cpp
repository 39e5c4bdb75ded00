// The main window's keys and menu commands: the quit question, the screen switch, the
// frame-skip items, and the calls the game's screens make on the window.
#include <gtest/gtest.h>

#include "game/engine/actor_pool.h"
#include "game/shell/main_menu.h"
#include "presentation/virtual_keys.h"
#include "tests/shell/form_fixture.h"

namespace tolvane::testing {
namespace {

using ::testing::ElementsAre;

void Walk(TActor& actor) {
  actor.X += 1;
}
void AskToQuit(TActor&) {
  QuitRequested = 1;
}

TEST_F(FormTest, EscapeAnsweredCancelLeavesEverythingAsItWas) {
  StartUp();
  TActor& walker = NewActor(LayerBack);
  walker.Move = &Walk;
  ASSERT_TRUE(IdleAfter(32));
  ASSERT_TRUE(IdleAfter(32));
  const int32_t frames = FrameCount;
  const int32_t x = walker.X;

  int ticksWhileOpen = 0;
  host_.answer = false;
  host_.whileAsking = [&] {
    // The box's own loop delivers ticks; none of them may run a frame.
    for (int i = 0; i < 5; ++i) ticksWhileOpen += IdleAfter(40) ? 1 : 0;
    EXPECT_EQ(FrameBusy, 1);
  };
  form_->FormKeyDown(pres::vk::kEscape);

  EXPECT_GT(ticksWhileOpen, 0) << "ticks came while the box was open";
  EXPECT_EQ(FrameCount, frames) << "no frame ran";
  EXPECT_EQ(walker.X, x);
  EXPECT_EQ(FrameBusy, 0) << "restored";
  EXPECT_FALSE(host_.closed);
  EXPECT_THAT(CallLog(), ElementsAre("ask 終了しますか？"));

  host_.whileAsking = nullptr;
  EXPECT_TRUE(IdleAfter(32));
  EXPECT_EQ(FrameCount, frames + 1) << "the game goes on";
  EXPECT_EQ(walker.X, x + 1);
}

bool gPausable = false;
bool Pausable() {
  return gPausable;
}

TEST_F(FormTest, PHoldsPlayWithItsMusicUnderADimmedPauseAndResumesIt) {
  StartUp();
  TActor& walker = NewActor(LayerBack);
  walker.Move = &Walk;
  ASSERT_TRUE(IdleAfter(32));
  const int32_t frames = FrameCount;
  gPausable = false;
  form_->FormKeyDown(pres::vk::Letter('P'));
  EXPECT_FALSE(form_->Paused()) << "nothing without a rule that allows it";
  form_->SetPauseRule(&Pausable);
  form_->FormKeyDown(pres::vk::Letter('P'));
  EXPECT_FALSE(form_->Paused()) << "the title and menus do not pause";

  gPausable = true;
  display_->Fill(0xFF0000);
  form_->FormKeyDown(pres::vk::Letter('P'));
  ASSERT_TRUE(form_->Paused());
  for (int i = 0; i < 5; ++i) IdleAfter(40);
  EXPECT_EQ(FrameCount, frames) << "no frame ran";
  const std::vector<uint32_t> picture = display_->ReadBackBuffer();
  EXPECT_NEAR(int(picture[0] >> 16), 0x7F, 1) << "dimmed: " << std::hex << picture[0];
  EXPECT_EQ(picture[160 * 480 + 240], 0xFFFFFFu) << "the lettering in the middle";
  for (const char* mode : {"full screen", "window"}) {
    form_->FormKeyDown(pres::vk::kF4);  // a new back buffer, showing the same
    EXPECT_EQ(display_->ReadBackBuffer(), picture) << mode;
  }

  form_->FormKeyDown(pres::vk::Letter('P'));
  EXPECT_FALSE(form_->Paused());
  EXPECT_TRUE(IdleAfter(32));
  EXPECT_EQ(FrameCount, frames + 1) << "the game goes on";
  EXPECT_EQ(CallLog(), (std::vector<std::string>{"vondraPause(1)", "vondraPause(0)"}));
}

TEST_F(FormTest, WindowSizeIsKeptUnderItsOwnKeyAndAnUnreadableOneOpensAtOne) {
  const std::filesystem::path ini = folder_ / "data" / "tolvane-echo" / kSettingsFileName;
  ASSERT_TRUE(pres::SettingsFile(ini.string()).WriteString("Window", "Scale", "3"));
  host_.largestScale = 3;
  StartUp();
  EXPECT_EQ(host_.scale, 3);
  EXPECT_TRUE(
      MenuChecked(*form_, *FindByAccessKey(FindByAccessKey(MainMenuBar(), 'W')->submenu, '3')));
  EXPECT_FALSE(form_->WindowScaleFits(4)) << "larger than the desktop";
  form_->WindowScaleClick(4);
  EXPECT_EQ(form_->WindowScale(), 3);
  ASSERT_TRUE(IniFile->WriteString("Rank", "Rank1", "AAA 100"));
  form_->WindowScaleClick(2);
  EXPECT_EQ(host_.scale, 2);
  EXPECT_EQ(IniFile->ReadString("Window", "Scale", ""), "2");
  EXPECT_EQ(IniFile->ReadString("Rank", "Rank1", ""), "AAA 100") << "other keys untouched";
  form_->FormDestroy();

  for (const char* stored : {"9", "x2", ""}) {
    pres::SettingsFile(ini.string()).WriteString("Window", "Scale", stored);
    ::testing::internal::CaptureStderr();
    StartUp();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(host_.scale, 1) << stored;
    EXPECT_EQ(said.find("window size") != std::string::npos, *stored != '\0') << said;
    form_->FormDestroy();
  }
  host_.largestScale = 2;
  pres::SettingsFile(ini.string()).WriteString("Window", "Scale", "4");
  StartUp();
  EXPECT_EQ(host_.scale, 2) << "the largest that fits this desktop";
  EXPECT_EQ(IniFile->ReadString("Window", "Scale", ""), "4") << "kept for a larger one";
}

TEST_F(FormTest, EscapeAnsweredOkClosesTheWindow) {
  StartUp();
  host_.answer = true;
  form_->FormKeyDown(pres::vk::kEscape);
  EXPECT_TRUE(host_.closed);
  EXPECT_EQ(FrameBusy, 0);
}

TEST_F(FormTest, F4TwiceRestoresPlacementAndDrawingPosition) {
  StartUp();
  host_.placement = {300, 200, 480, 342};  // the player moved the window
  ASSERT_TRUE(display_->CanDraw());

  form_->FormKeyDown(pres::vk::kF4);
  EXPECT_TRUE(form_->IsFullScreen());
  EXPECT_TRUE(host_.fullScreen);
  EXPECT_TRUE(display_->CanDraw());
  EXPECT_EQ(host_.drawingLeft, 80) << "centred in 640 x 480";
  EXPECT_EQ(host_.drawingTop, 80);

  form_->FormKeyDown(pres::vk::kF4);
  EXPECT_FALSE(form_->IsFullScreen());
  EXPECT_FALSE(host_.fullScreen);
  EXPECT_TRUE(display_->CanDraw());
  EXPECT_EQ(host_.placement, (WindowPlacement{300, 200, 480, 342}));
  EXPECT_EQ(host_.drawingLeft, 0);
  EXPECT_EQ(host_.drawingTop, 0);
  EXPECT_EQ(form_->DrawingLeft(), 0);

  form_->MenuNormalClick();  // already windowed: nothing happens
  EXPECT_EQ(host_.placement, (WindowPlacement{300, 200, 480, 342}));
  form_->MenuFullScreenClick();
  form_->MenuFullScreenClick();  // already full screen: placement stays remembered
  form_->MenuNormalClick();
  EXPECT_EQ(host_.placement, (WindowPlacement{300, 200, 480, 342}));
}

TEST_F(FormTest, SkipFiveChecksOnlyItselfAndSetsMaxSkip) {
  StartUp();
  for (int tag = 0; tag < kSkipItems; ++tag)
    EXPECT_EQ(form_->SkipChecked(tag), tag == 0) << "Skip0 at start";

  const MenuEntry* screen = FindByAccessKey(MainMenuBar(), 'S');
  ASSERT_NE(screen, nullptr);
  const MenuEntry* skip = FindByAccessKey(screen->submenu, 'S');
  ASSERT_NE(skip, nullptr);
  const MenuEntry* five = FindByAccessKey(skip->submenu, '5');
  ASSERT_NE(five, nullptr);
  EXPECT_STREQ(five->name, "Skip5");
  RunMenuCommand(*form_, *five);

  EXPECT_EQ(MaxSkip, 5);
  for (int tag = 0; tag < kSkipItems; ++tag) EXPECT_EQ(form_->SkipChecked(tag), tag == 5) << tag;
  for (const MenuEntry& item : skip->submenu) EXPECT_EQ(MenuChecked(*form_, item), item.tag == 5);

  form_->Skip0Click(12);  // no such item
  EXPECT_EQ(MaxSkip, 5);
  EXPECT_TRUE(form_->SkipChecked(5));
}

TEST_F(FormTest, MenuCloseAndQuitRequestedCloseTheWindow) {
  StartUp();
  RunMenuCommand(*form_, *FindByAccessKey(MainMenuBar(), 'E'));
  EXPECT_TRUE(host_.closed);

  host_.closed = false;
  TActor& quitter = NewActor(LayerBack);
  quitter.Move = &AskToQuit;
  EXPECT_TRUE(IdleAfter(32));
  EXPECT_TRUE(host_.closed) << "closed at the end of the tick";
}

TEST_F(FormTest, ScreensReachTheWindowsMessageBox) {
  StartUp();
  ShowMessageBox("stage1.bin がありません");
  CloseMainForm();
  EXPECT_THAT(CallLog(), ElementsAre("message stage1.bin がありません", "close"));

  form_.reset();  // no window: the text goes to standard error
  ::testing::internal::CaptureStderr();
  ShowMessageBox("late");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tolvane: late\n");
}

// A display whose full-screen mode cannot be set, as on a machine without that mode.
class NoFullScreenDisplay final : public pres::Display {
 public:
  bool CanDraw() const override { return ready_; }
  void Fill(uint32_t) override {}
  uint32_t ColorMatch(uint32_t rgb) const override { return rgb; }
  void Flip() override {}
  void Finalize() override { ready_ = false; }
  void Initialize() override {
    if (fullScreen_) throw pres::DisplayError("ディスプレイモードを変更できません (640x480 16bit)");
    ready_ = true;
  }
  void SetFullScreenOption(bool on) override { fullScreen_ = on; }
  bool FullScreenOption() const override { return fullScreen_; }
  void SetPalette(const pres::ColorTable&) override {}
  void DrawPattern(int32_t, int32_t, int32_t, int32_t) override {}
  void StretchPattern(int32_t, const pres::Rect&, int32_t) override {}
  void DrawPatternAdd(int32_t, const pres::Rect&, int32_t, int32_t) override {}
  void DrawPatternAlpha(int32_t, const pres::Rect&, int32_t, int32_t) override {}
  void DrawPatternRotated(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, double, double,
                          int32_t) override {}
  std::vector<uint32_t> ReadBackBuffer() const override { return {}; }
  SDL_Renderer* Renderer() const override { return nullptr; }

 private:
  bool ready_ = true;
  bool fullScreen_ = false;
};

TEST_F(FormTest, FullScreenThatCannotBeSetStaysInTheWindowAndSaysWhy) {
  StartUp();
  NoFullScreenDisplay display;
  pres::Services().display = &display;
  host_.placement = {120, 140, 480, 342};
  form_->FormKeyDown(pres::vk::kF4);
  EXPECT_FALSE(form_->IsFullScreen());
  EXPECT_TRUE(display.CanDraw()) << "the window's display is back";
  EXPECT_FALSE(host_.fullScreen);
  EXPECT_EQ(host_.placement, (WindowPlacement{120, 140, 480, 342}));
  EXPECT_EQ(host_.drawingLeft, 0);
  EXPECT_THAT(CallLog(), ElementsAre("message ディスプレイモードを変更できません (640x480 16bit)"));
  pres::Services().display = display_.get();
}

TEST_F(FormTest, FullScreenTheWindowSystemRefusesStaysInTheWindowAndSaysSoOnce) {
  StartUp();
  host_.refuseFullScreen = true;
  host_.placement = {120, 140, 480, 342};
  form_->FormKeyDown(pres::vk::kF4);
  form_->FormKeyDown(pres::vk::kF4);
  EXPECT_FALSE(form_->IsFullScreen());
  EXPECT_TRUE(display_->CanDraw());
  EXPECT_EQ(host_.placement, (WindowPlacement{120, 140, 480, 342}));
  EXPECT_EQ(host_.drawingLeft, 0);
  EXPECT_THAT(CallLog(), ElementsAre("message ディスプレイモードを変更できません (640x480 16bit)"));
}

}  // namespace
}  // namespace tolvane::testing
