// The window host over SDL's dummy video driver: focus pauses the game, keys reach the
// menu, the boxes and the form, the picture lands below the menu bar or scaled in full
// screen, and the message loop shows the library's messages and ends on QuitRequested.
#include "game/shell/sdl_form_host.h"

#include <SDL2/SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "game/engine/actor_pool.h"
#include "game/shell/game_pads.h"
#include "game/shell/main_loop.h"
#include "game/shell/message_queue.h"
#include "presentation/virtual_keys.h"
#include "tests/shell/form_fixture.h"
#include "tests/shell/virtual_pad.h"

namespace tolvane::testing {
namespace {

void QuitAtOnce() {
  QuitRequested = 1;
}

class SdlHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ResetEngineState();
    ResetFrameDriver();
    CallLog().clear();
    ::setenv("XDG_DATA_HOME", folder_.path().c_str(), 1);
    WriteFile(folder_ / kArchiveFileName, SmallArchive());
    startFolder_ = std::filesystem::current_path();
    host_ = std::make_unique<SdlFormHost>();
    display_ = pres::CreateRendererDisplay(
        archive_, host_->Renderer(),
        [this](SDL_Texture* backBuffer) { host_->Present(backBuffer); });
    pres::Services() =
        pres::ServiceSet{&archive_, display_.get(), nullptr, &input_, &timer_, &clock_};
    timer_.SetHandler(&DXTimerTimer);
    form_ = std::make_unique<TFormMain>(*host_, RecordingSequencer(), folder_.path().string(),
                                        &QuitAtOnce);
    host_->SetForm(form_.get());
    form_->FormCreate();
    form_->FormShow();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override {
    form_->FormDestroy();
    host_->SetForm(nullptr);
    form_.reset();
    pres::Services() = pres::ServiceSet{};
    display_.reset();
    host_.reset();
    std::filesystem::current_path(startFolder_);
    ResetFrameDriver();
    ResetEngineState();
    SDL_Quit();
  }

  SDL_Event Key(SDL_Keycode key, bool alt = false, Uint32 type = SDL_KEYDOWN) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = alt ? KMOD_LALT : KMOD_NONE;
    return event;
  }
  SDL_Event KeyUp(SDL_Keycode key) { return Key(key, false, SDL_KEYUP); }
  // Events the box's own loop reads, in order.
  void Queue(std::initializer_list<SDL_Event> events) {
    for (SDL_Event event : events) SDL_PushEvent(&event);
  }
  SDL_Event Focus(Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    event.window.windowID = host_->WindowId();
    return event;
  }
  // The window's size in pixels (the display keeps its back buffer as the render target).
  void OutputSize(int* width, int* height) {
    SDL_Texture* target = SDL_GetRenderTarget(host_->Renderer());
    SDL_SetRenderTarget(host_->Renderer(), nullptr);
    SDL_GetRendererOutputSize(host_->Renderer(), width, height);
    SDL_SetRenderTarget(host_->Renderer(), target);
  }
  uint32_t WindowPixel(int x, int y) {
    uint32_t pixel = 0;
    SDL_Rect one{x, y, 1, 1};
    SDL_Texture* target = SDL_GetRenderTarget(host_->Renderer());
    SDL_SetRenderTarget(host_->Renderer(), nullptr);
    SDL_RenderReadPixels(host_->Renderer(), &one, SDL_PIXELFORMAT_XRGB8888, &pixel, 4);
    SDL_SetRenderTarget(host_->Renderer(), target);
    return pixel & 0xFFFFFF;
  }

  ScratchFolder folder_;
  std::filesystem::path startFolder_;
  pres::ImageArchive archive_;
  pres::SystemClock clock_;
  pres::FrameTimer timer_{clock_};
  pres::InputDevice input_;
  std::unique_ptr<SdlFormHost> host_;
  std::unique_ptr<pres::Display> display_;
  std::unique_ptr<TFormMain> form_;
};

TEST_F(SdlHostTest, FocusDecidesWhetherTheGameRuns) {
  host_->HandleEvent(Focus(SDL_WINDOWEVENT_FOCUS_LOST));
  EXPECT_FALSE(timer_.Active());
  EXPECT_EQ(timer_.MillisecondsUntilDue(), pres::FrameTimer::kNeverDue)
      << "the loop waits for events only";
  host_->HandleEvent(Key(SDLK_z));
  input_.Update();
  EXPECT_EQ(input_.States(), 0u) << "keys are not read in the background";
  host_->HandleEvent(Focus(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_TRUE(timer_.Active());
}

TEST_F(SdlHostTest, EscapeThenEnterClosesAndEscapeTwiceGoesOn) {
  Queue({KeyUp(SDLK_ESCAPE), Key(SDLK_ESCAPE)});  // Cancel
  host_->HandleEvent(Key(SDLK_ESCAPE));
  EXPECT_FALSE(host_->Closing());
  EXPECT_EQ(FrameBusy, 0);

  Queue({KeyUp(SDLK_ESCAPE), Key(SDLK_RETURN)});
  host_->HandleEvent(Key(SDLK_ESCAPE));
  EXPECT_TRUE(host_->Closing());
  EXPECT_EQ(FrameCount, 0) << "no frame ran while the box was open";
}

TEST_F(SdlHostTest, QuitBoxAnswersOnlyFreshPressesOfTheFocusedButton) {
  host_->HandleEvent(Key(SDLK_SPACE));  // fire held in play
  // Fire and the Escape that opened the box are down: neither answers, repeated or not.
  Queue({Key(SDLK_SPACE), Key(SDLK_ESCAPE), KeyUp(SDLK_SPACE), Key(SDLK_TAB), Key(SDLK_SPACE)});
  host_->HandleEvent(Key(SDLK_ESCAPE));
  EXPECT_FALSE(host_->Closing()) << "Tab moved the focus to Cancel, which Space pressed";

  Queue({KeyUp(SDLK_SPACE), KeyUp(SDLK_ESCAPE), Key(SDLK_RIGHT), Key(SDLK_LEFT), Key(SDLK_ESCAPE)});
  host_->HandleEvent(Key(SDLK_ESCAPE));
  EXPECT_FALSE(host_->Closing()) << "Escape answers Cancel wherever the focus is";

  Queue({KeyUp(SDLK_ESCAPE), Key(SDLK_DOWN), Key(SDLK_UP), Key(SDLK_SPACE)});
  host_->HandleEvent(Key(SDLK_ESCAPE));
  EXPECT_TRUE(host_->Closing()) << "the focus back on OK";
}

TEST_F(SdlHostTest, APadUnpluggedWhileABoxIsOpenPausesTheGameAndStartWaits) {
  ::setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);  // no window has the focus here
  form_->SetPauseRule(+[] { return true; });
  GamePads pads;
  auto unplugged = std::make_unique<VirtualPad>();
  VirtualPad other;
  pads.OpenAll(input_);
  host_->SetPads(&pads);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  unplugged.reset();
  other.Press(SDL_CONTROLLER_BUTTON_START);  // would resume at once
  SDL_JoystickUpdate();
  Queue({KeyUp(SDLK_ESCAPE), Key(SDLK_ESCAPE)});  // Cancel
  host_->HandleEvent(Key(SDLK_ESCAPE));
  EXPECT_FALSE(host_->Closing());
  EXPECT_TRUE(form_->Paused());
  host_->SetPads(nullptr);
  ::unsetenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS");
}

TEST_F(SdlHostTest, AltSThenSThenFiveSetsMaxSkipFive) {
  host_->Repaint();
  host_->HandleEvent(Key(SDLK_s, true));
  host_->Repaint();
  host_->HandleEvent(Key(SDLK_s));
  host_->Repaint();
  host_->HandleEvent(Key(SDLK_5));
  input_.Update();
  EXPECT_FALSE(input_.KeyIsDown('5')) << "the menu took the key";
  EXPECT_EQ(MaxSkip, 0) << "run between frames, not at once";
  host_->RunChosenMenuItem();
  EXPECT_EQ(MaxSkip, 5);
  EXPECT_TRUE(form_->SkipChecked(5));
}

TEST_F(SdlHostTest, PictureSitsBelowTheMenuBarOrScaledInFullScreen) {
  display_->Fill(0xFF0000);
  display_->Flip();
  int width = 0, height = 0;
  OutputSize(&width, &height);
  EXPECT_EQ(width, 480);
  EXPECT_EQ(height, 320 + 22) << "the menu bar above the picture";
  EXPECT_EQ(WindowPixel(10, 30), 0xFF0000u);
  EXPECT_EQ(WindowPixel(479, 22 + 319), 0xFF0000u);
  EXPECT_NE(WindowPixel(10, 5), 0xFF0000u) << "the menu bar";

  form_->FormKeyDown(pres::vk::kF4);
  ASSERT_TRUE(form_->IsFullScreen());
  display_->Fill(0x00FF00);
  display_->Flip();
  OutputSize(&width, &height);
  EXPECT_GT(width, 480) << "the window covers the display";
  // The 640 x 480 screen at the largest whole scale, centred; the picture at 80, 80 in it.
  const int scale = std::min(width / 640, height / 480);
  ASSERT_GE(scale, 1);
  const int screenLeft = (width - 640 * scale) / 2;
  const int screenTop = (height - 480 * scale) / 2;
  const int pictureLeft = screenLeft + 80 * scale;
  const int pictureTop = screenTop + 80 * scale;
  EXPECT_EQ(WindowPixel(pictureLeft + 2, pictureTop + 2), 0x00FF00u);
  EXPECT_EQ(WindowPixel(pictureLeft - 2, pictureTop - 2), 0u)
      << "black around the picture, no menu bar";
  EXPECT_EQ(WindowPixel(screenLeft + 2, screenTop + 2), 0u);
  EXPECT_EQ(WindowPixel(pictureLeft + 480 * scale - 1, pictureTop + 320 * scale - 1), 0x00FF00u);
  EXPECT_EQ(WindowPixel(pictureLeft + 480 * scale, pictureTop + 2), 0u) << "sharp edge";
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  host_->UpdatePointer(false);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "no pointer in full screen";

  form_->FormKeyDown(pres::vk::kF4);
  EXPECT_FALSE(form_->IsFullScreen());
  OutputSize(&width, &height);
  EXPECT_EQ(height, 342);
  host_->UpdatePointer(false);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "back in the window";
}

TEST_F(SdlHostTest, LoopShowsLibraryMessagesThenEndsOnQuitRequested) {
  const uint32_t wake = SDL_RegisterEvents(1);
  MessageQueue messages([wake] {
    SDL_Event event{};
    event.type = wake;
    SDL_PushEvent(&event);
  });
  std::thread player([&messages] { messages.Post("VONDRA", "テンポが速すぎます"); });
  player.join();
  std::thread reader([this] {
    // The player reads the box and presses Enter.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    SDL_Event answer = Key(SDLK_RETURN);
    SDL_PushEvent(&answer);
  });
  RunMessageLoop(*host_, timer_, messages);  // the stand-in scene asks to quit on the first frame
  reader.join();
  EXPECT_TRUE(host_->Closing());
  EXPECT_EQ(FrameCount, 1);
  EXPECT_TRUE(messages.TakeAll().empty()) << "the message was shown";
}

}  // namespace
}  // namespace tolvane::testing
