// Start-up and shut-down of the main window, in order, over the headless layer.
#include <gtest/gtest.h>

#include "game/engine/screen_setup.h"
#include "game/engine/text_slots.h"
#include "game/host/program_paths.h"
#include "presentation/virtual_keys.h"
#include "tests/shell/form_fixture.h"

namespace tolvane::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST_F(FormTest, FormCreateRunsItsStepsInOrder) {
  WriteArchive();
  form_->FormCreate();
  EXPECT_THAT(CallLog(), ElementsAre("splash shown [archive 0, ini 0, scene 0, timer 0]",
                                     "caption Tolvane Echo Ver.0.1",
                                     "mmsInit(10) [archive 2, ini 0, scene 0, timer 0]",
                                     "splash closed [archive 2, ini 1, scene 0, timer 0]"));
  EXPECT_EQ(std::filesystem::current_path(), folder_) << "working folder is the program's";
  EXPECT_EQ(SceneProc, &CountingBootScene);
  EXPECT_TRUE(timer_.Enabled());
  ASSERT_NE(IniFile, nullptr);
  EXPECT_EQ(IniFile->Path(), (folder_ / "data" / "tolvane-echo" / "qarnwell.ini").string());
  EXPECT_EQ(ClearColor, display_->ColorMatch(0));
  for (SongHandle handle : MusicHandle) EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(gBootSceneRuns, 0) << "the boot scene waits for the first tick";
}

TEST_F(FormTest, FormShowSetsGeometryFontCellsAndKeys) {
  WriteArchive();
  form_->FormCreate();
  CallLog().clear();
  form_->FormShow();
  EXPECT_THAT(CallLog(), ElementsAre("client area 100,100 480x320"));
  EXPECT_EQ(host_.drawingLeft, 0);
  EXPECT_EQ(host_.drawingTop, 0);
  EXPECT_EQ(timer_.Interval(), 32u);
  EXPECT_EQ(GlyphWidth, 8);
  EXPECT_EQ(GlyphHeight, 8);
  const pres::ImageEntry& font = archive_.Find("ImageListFont");
  EXPECT_EQ(pres::PatternCount(font), 96) << "one pattern per glyph, 16 x 6";

  using pres::KeyBinding;
  EXPECT_EQ(input_.Binding(pres::kInputButton1), (KeyBinding{32, 90, 0}));
  EXPECT_EQ(input_.Binding(pres::kInputButton1 + 1), (KeyBinding{13, 88, 0}));
  EXPECT_EQ(input_.Binding(pres::kInputButton1 + 2), (KeyBinding{16, 0, 0}));
  EXPECT_EQ(input_.Binding(pres::kInputUp),
            (KeyBinding{pres::vk::Letter('K'), pres::vk::kUp, pres::vk::Numpad(8)}));
  EXPECT_EQ(input_.Binding(pres::kInputButton1 + 8), (KeyBinding{pres::vk::kF2, 0, 0}))
      << "button 9 keeps F2";

  EXPECT_TRUE(IdleAfter(32));
  EXPECT_EQ(FrameCount, 1);
  EXPECT_EQ(gBootSceneRuns, 1);
}

TEST_F(FormTest, FormDestroyReleasesInOrder) {
  StartUp();
  TakeTextSlot("HELLO");
  MusicHandle[1] = reinterpret_cast<SongHandle>(uintptr_t{0x11});
  MusicHandle[6] = reinterpret_cast<SongHandle>(uintptr_t{0x66});
  form_->FormDestroy();
  EXPECT_THAT(CallLog(), ElementsAre("mmsDestroyHandle(17)", "mmsDestroyHandle(102)",
                                     "mmsStop [archive 2, ini 0, scene 0, timer 0]", "mmsEnd"));
  for (uint8_t used : TextSlotUsed) EXPECT_EQ(used, 0);
  for (SongHandle handle : MusicHandle) EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(IniFile, nullptr);
}

TEST_F(FormTest, MissingOrBrokenArchiveStopsStartUpAndSaysWhere) {
  ::testing::internal::CaptureStderr();
  EXPECT_THROW(form_->FormCreate(), StartupError);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_THAT(said, HasSubstr("tolvgfx.dxg"));
  EXPECT_THAT(said, HasSubstr(folder_.string()));
  EXPECT_THAT(CallLog(), ElementsAre("splash shown [archive 0, ini 0, scene 0, timer 0]",
                                     "caption Tolvane Echo Ver.0.1",
                                     "splash closed [archive 0, ini 0, scene 0, timer 0]"))
      << "no library, no settings, no scene, no timer";
  CallLog().clear();
  form_->FormDestroy();
  EXPECT_TRUE(CallLog().empty()) << "the library was never started, so it is not ended";

  WriteFile(folder_ / kArchiveFileName,
            {'n', 'o', 't', ' ', 'a', 'n', ' ', 'a', 'r', 'c', 'h', 'i', 'v', 'e'});
  try {
    ::testing::internal::CaptureStderr();
    form_->FormCreate();
    ::testing::internal::GetCapturedStderr();
    FAIL() << "a broken archive must stop start-up";
  } catch (const StartupError& failure) {
    ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(failure.what(), HasSubstr("tolvgfx.dxg"));
    EXPECT_THAT(failure.what(), HasSubstr(folder_.string()));
  }
  EXPECT_FALSE(timer_.Enabled());
  EXPECT_EQ(SceneProc, nullptr);
}

TEST_F(FormTest, ArchiveWithoutFontStopsAtFormShow) {
  WriteArchive(false);
  form_->FormCreate();
  ::testing::internal::CaptureStderr();
  try {
    form_->FormShow();
    FAIL() << "no font entry";
  } catch (const StartupError& failure) {
    EXPECT_STREQ(failure.what(), "画像 'ImageListFont' が見つかりません");
  }
  EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("ImageListFont"));
}

TEST(ProgramPaths, ArchivePathFollowsTheFolderRule) {
  EXPECT_EQ(JoinProgramPath("", "tolvgfx.dxg"), "tolvgfx.dxg");
  EXPECT_EQ(JoinProgramPath("/opt/game/", "tolvgfx.dxg"), "/opt/game/tolvgfx.dxg");
  EXPECT_EQ(JoinProgramPath("/opt/game", "tolvgfx.dxg"), "/opt/game/tolvgfx.dxg");
  const std::string here = ProgramDirectory();
  EXPECT_FALSE(here.empty());
  EXPECT_TRUE(std::filesystem::is_directory(here));
  EXPECT_NE(here.back(), '/');
}

}  // namespace
}  // namespace tolvane::testing
