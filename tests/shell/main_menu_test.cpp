// The menu bar's captions and access keys, and the ImGui menu driven by keys alone.
#include "game/shell/main_menu.h"

#include <SDL2/SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>

#include "game/replay/replays.h"
#include "game/shell/imgui_layer.h"
#include "game/shell/menu_bar_view.h"
#include "game/shell/replay_menu.h"
#include "tests/shell/form_fixture.h"

namespace tolvane::testing {
namespace {

TEST(MainMenu, CaptionsShowTheAccessKeyInBracketsWithoutTheMark) {
  EXPECT_EQ(DisplayCaption("閉じる(&E)"), "閉じる(E)");
  EXPECT_EQ(DisplayCaption("&5"), "5");
  EXPECT_EQ(DisplayCaption("A&&B"), "A&B");
  EXPECT_EQ(DisplayCaption("end&"), "end&");
  EXPECT_EQ(AccessKey("最大フレームスキップ数(&S)"), 'S');
  EXPECT_EQ(AccessKey("&e"), 'E');
  EXPECT_EQ(AccessKey("A&&B"), 0);
  EXPECT_EQ(AccessKey("none"), 0);
  EXPECT_EQ(AccessKeyOffset("閉じる(&E)"), std::string("閉じる(").size());
  EXPECT_EQ(AccessKeyOffset("A&&B&C"), 3u);
  EXPECT_EQ(AccessKeyOffset("none"), std::string_view::npos);

  std::vector<std::string> shown;
  for (const MenuEntry& top : MainMenuBar()) {
    shown.push_back(DisplayCaption(top.caption));
    for (const MenuEntry& item : top.submenu) shown.push_back(DisplayCaption(item.caption));
  }
  EXPECT_THAT(shown, ::testing::ElementsAre("閉じる(E)", "画面モード(S)", "ノーマル(N)",
                                            "フルスクリーン(F)", "最大フレームスキップ数(S)",
                                            "ウィンドウサイズ(W)", "×1(1)", "×2(2)", "×3(3)",
                                            "×4(4)", "リプレイ(R)"));
  const MenuEntry* skip = FindByAccessKey(FindByAccessKey(MainMenuBar(), 's')->submenu, 's');
  ASSERT_NE(skip, nullptr);
  ASSERT_EQ(skip->submenu.size(), 10u);
  for (size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(skip->submenu[i].tag, int(i));
    EXPECT_EQ(AccessKey(skip->submenu[i].caption), char('0' + i));
  }
  EXPECT_EQ(FindByAccessKey(MainMenuBar(), 'Q'), nullptr);
}

// The menu bar drawn by ImGui into an offscreen software renderer, driven by keys.
class MenuBarKeys : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, 480, 342, 32, SDL_PIXELFORMAT_XRGB8888);
    renderer_ = SDL_CreateSoftwareRenderer(surface_);
    imgui_ = std::make_unique<ImGuiLayer>(nullptr, renderer_, kJapaneseFontPath, AllCaptionText());
    StartUp();
  }
  void TearDown() override {
    imgui_.reset();
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
    FormTest::TearDown();
  }
  void Frame() {
    imgui_->BeginFrame(480, 342);
    view_.Draw(*form_);
    imgui_->EndFrame();
  }
  // A frame in full screen, where the bar is not drawn.
  void FrameWithoutBar() {
    imgui_->BeginFrame(480, 342);
    imgui_->EndFrame();
  }
  static int OpenMenus() { return ImGui::GetCurrentContext()->OpenPopupStack.Size; }
  bool Dark(int x, int y) {
    const uint32_t pixel = static_cast<const uint32_t*>(surface_->pixels)[y * surface_->w + x];
    return (pixel >> 16 & 0xFF) < 100 && (pixel >> 8 & 0xFF) < 100 && (pixel & 0xFF) < 100;
  }

  SDL_Surface* surface_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  std::unique_ptr<ImGuiLayer> imgui_;
  MenuBarView view_;
};

TEST_F(MenuBarKeys, AltSThenSThenFiveChoosesSkipFive) {
  Frame();
  EXPECT_FALSE(view_.HandleKey('5', false, false)) << "a plain key with no menu open is the game's";
  EXPECT_TRUE(view_.HandleKey('S', true, false));
  Frame();
  EXPECT_TRUE(view_.MenuOpen());
  EXPECT_TRUE(view_.HandleKey('S', false, false)) << "inside the open menu no Alt is needed";
  Frame();
  EXPECT_TRUE(view_.HandleKey('Q', false, false)) << "an open menu swallows unknown keys";
  EXPECT_FALSE(view_.TakeChosen().has_value());
  EXPECT_TRUE(view_.HandleKey('5', false, false));
  const auto chosen = view_.TakeChosen();
  ASSERT_TRUE(chosen.has_value());
  RunMenuCommand(*form_, **chosen);
  EXPECT_EQ(MaxSkip, 5);
  Frame();
  Frame();
  EXPECT_FALSE(view_.MenuOpen()) << "choosing closes the menus";
}

TEST_F(MenuBarKeys, AltEClosesAndEscapeClosesAnOpenMenu) {
  Frame();
  EXPECT_TRUE(view_.HandleKey('S', true, false));
  Frame();
  ASSERT_TRUE(view_.MenuOpen());
  EXPECT_TRUE(view_.HandleKey(0, false, true))
      << "Escape closes the menu instead of asking to quit";
  Frame();
  Frame();
  EXPECT_FALSE(view_.MenuOpen());
  EXPECT_FALSE(view_.HandleKey(0, false, true)) << "with no menu open Escape is the window's";

  EXPECT_TRUE(view_.HandleKey('E', true, false));
  const auto chosen = view_.TakeChosen();
  ASSERT_TRUE(chosen.has_value());
  EXPECT_STREQ((*chosen)->name, "MenuClose");
}

TEST_F(MenuBarKeys, EscapeClosesOneLevelAndALoneAltOpensTheFirstMenu) {
  Frame();
  view_.HandleKey('S', true, false);
  Frame();
  view_.HandleKey('S', false, false);
  Frame();
  ASSERT_EQ(OpenMenus(), 2);
  EXPECT_TRUE(view_.HandleKey(0, false, true));
  Frame();
  EXPECT_EQ(OpenMenus(), 1) << "only the frame-skip menu closed";
  EXPECT_TRUE(view_.HandleKey(0, false, true));
  Frame();
  EXPECT_EQ(OpenMenus(), 0);
  EXPECT_FALSE(view_.MenuOpen());

  view_.AltDown();
  view_.OtherInput();  // Alt + another key
  EXPECT_FALSE(view_.AltUp());
  view_.AltDown();
  EXPECT_TRUE(view_.AltUp());
  Frame();
  EXPECT_EQ(OpenMenus(), 1);
  view_.HandleKey('S', false, false);
  Frame();
  EXPECT_EQ(OpenMenus(), 2) << "the screen menu was the one open";
  view_.AltDown();
  EXPECT_TRUE(view_.AltUp());
  Frame();
  EXPECT_EQ(OpenMenus(), 0) << "a lone Alt closes an open menu";
}

TEST_F(MenuBarKeys, ItemChosenJustBeforeFullScreenLeavesNothingToCloseAfterIt) {
  Frame();
  view_.HandleKey('S', true, false);
  Frame();
  view_.HandleKey('F', false, false);  // フルスクリーン
  for (int i = 0; i < 3; ++i) FrameWithoutBar();
  EXPECT_EQ(OpenMenus(), 0) << "ImGui dropped the menus that were not drawn";
  Frame();  // back in the window: nothing left to close, and no assertion
  Frame();
  EXPECT_FALSE(view_.MenuOpen());
}

TEST_F(MenuBarKeys, AccessLettersAreUnderlined) {
  Frame();
  view_.HandleKey('S', true, false);
  Frame();
  view_.HandleKey('S', false, false);
  Frame();
  SDL_FillRect(surface_, nullptr, 0xFFFFFF);
  Frame();
  // The frame-skip menu holds the ten digits, each its own access letter: each has a line
  // under it, longer than any stroke of a digit (the check mark is in the menu's right half).
  const ImGuiWindow* menu = ImGui::FindWindowByName("##Menu_01");
  ASSERT_NE(menu, nullptr);
  int lines = 0;
  for (int y = int(menu->Pos.y); y < int(menu->Pos.y + menu->Size.y); ++y) {
    int run = 0;
    for (int x = int(menu->Pos.x); x < int(menu->Pos.x + menu->Size.x / 2); ++x) {
      run = Dark(x, y) ? run + 1 : 0;
      if (run == 7) ++lines;
    }
  }
  EXPECT_EQ(lines, 10);
}

TEST_F(MenuBarKeys, AltRListsTheKeptReplaysNewestFirstAndAKeyWatchesOne) {
  const std::string folder = (folder_ / "replays").string();
  StartReplays({folder, false});
  Frame();
  ASSERT_TRUE(view_.HandleKey('R', true, false));
  Frame();
  Frame();
  EXPECT_TRUE(view_.MenuOpen()) << "with nothing kept the menu says so";
  EXPECT_TRUE(view_.HandleKey(0, false, true));
  Frame();

  std::string message;
  std::vector<std::string> saved;
  for (int32_t day = 1; day <= 2; ++day) {
    Replay replay;
    replay.date = {2026, 12, day, 21, 5, 0};
    replay.finalScore = 1000 * day;
    replay.frames = 1;
    replay.start.frameCount = 1;
    replay.runs = {{0, 1}};
    saved.push_back(ReplayStore(folder).Save(replay, &message));
  }
  // Opened and chosen by keys before the menu is drawn: the list is read as the menu opens.
  EXPECT_TRUE(view_.HandleKey('R', true, false));
  EXPECT_TRUE(view_.HandleKey('2', false, false));
  const auto chosen = view_.TakeChosen();
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ((*chosen)->command, MenuCommand::Watch);
  EXPECT_EQ((*chosen)->name, saved[0]) << "the second newest";
  EXPECT_EQ(DisplayCaption((*chosen)->caption), "2 2026/12/01 21:05  1000点  ステージ1  0:00");
  StopReplays();

  KeptReplay longGame{"x.tvr", {2026, 1, 2, 3, 4, 5}, 9876540, kEndingReached, 23438};
  EXPECT_EQ(ReplayCaption(longGame, 9), "&A 2026/01/02 03:04  9876540点  エンディング  12:30");
  EXPECT_EQ(AccessKey(ReplayCaption(longGame, 34)), 'Z');
  EXPECT_EQ(AccessKey(ReplayCaption(longGame, 35)), 0) << "past Z an item has no access key";
}

TEST(ImGuiLayerFont, JapaneseFontSetsTheMenuBarHeightAndAMissingOneFallsBack) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_XRGB8888);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
  if (std::filesystem::exists(kJapaneseFontPath)) {
    ImGuiLayer layer(nullptr, renderer);
    EXPECT_TRUE(layer.HasJapaneseFont());
    EXPECT_EQ(layer.MenuBarHeight(), 22)
        << "known before the first frame, so the window is sized right";
  }
  {
    ::testing::internal::CaptureStderr();
    ImGuiLayer layer(nullptr, renderer, "/nonexistent/font.ttf");
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                ::testing::HasSubstr("/nonexistent/font.ttf"));
    EXPECT_FALSE(layer.HasJapaneseFont());
    EXPECT_EQ(layer.MenuBarHeight(), 19);
    layer.BeginFrame(64, 64);
    EXPECT_TRUE(ImGui::BeginMainMenuBar());
    ImGui::EndMainMenuBar();
    layer.EndFrame();
  }
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(surface);
}

TEST(ImGuiLayerFont, HoldsTheCaptionsAndGainsABoxsCharactersAfterItsFirstFrame) {
  if (!std::filesystem::exists(kJapaneseFontPath)) GTEST_SKIP() << "no Japanese font";
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_XRGB8888);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
  {
    ImGuiLayer layer(nullptr, renderer, kJapaneseFontPath, AllCaptionText());
    const auto holds = [](ImWchar c) {
      return ImGui::GetIO().Fonts->Fonts[0]->FindGlyphNoFallback(c) != nullptr;
    };
    layer.BeginFrame(64, 64);
    layer.EndFrame();
    EXPECT_TRUE(holds(u'画') && holds(u'ー') && holds(u'(') && holds(u'z') && holds(u'é'));
    EXPECT_FALSE(holds(u'読')) << "a character nothing asked for";
    EXPECT_LE(ImGui::GetIO().Fonts->TexWidth * ImGui::GetIO().Fonts->TexHeight, 512 * 512)
        << "the atlas of a few hundred glyphs";
    layer.AddGlyphs("画像を読み込めません");
    layer.BeginFrame(64, 64);
    EXPECT_TRUE(holds(u'読') && holds(u'画') && holds(u'z'));
    ImGui::TextUnformatted("読み込めません");
    layer.EndFrame();
  }
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(surface);
}

}  // namespace
}  // namespace tolvane::testing
