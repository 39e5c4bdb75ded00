// Boot, the title menu, the developer key sequence and chords, the options screen and the
// wobbling pictures.
#include <gtest/gtest.h>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/pad_input.h"
#include "game/engine/sound.h"
#include "game/flow/boot_scene.h"
#include "game/flow/flow_state.h"
#include "game/flow/game_progress.h"
#include "game/flow/options_screen.h"
#include "game/flow/title_screen.h"
#include "game/flow/wobble.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"
#include "presentation/virtual_keys.h"
#include "tests/flow/flow_fixture.h"

namespace tolvane::testing {
namespace {

constexpr int32_t kMenuCaptions[] = {186, 185, 183, 184};

TActor& MenuCaption() {
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == TitleMenuMove) return a;
  }
  return ScratchActor;
}

TActor* OptionsController() {
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == OptionsMove) return &a;
  }
  return nullptr;
}

class TitleTest : public FlowTest {
 protected:
  void TypeSequence(std::string_view keys) {
    for (char c : keys) Type(c);
  }
  void HoldChord(int key) {
    KeyDown(pres::vk::kControl);
    KeyDown(pres::vk::kUp);
    KeyDown(key);
  }
  void ReleaseChord(int key) {
    KeyUp(key);
    KeyUp(pres::vk::kUp);
    KeyUp(pres::vk::kControl);
  }
};

TEST_F(TitleTest, BootLoadsTheSixTunesSwitchesEverythingOnAndBuildsTheTitle) {
  MusicEnabled = false;
  SoundEnabled = 0;
  BackgroundShown = false;
  Boot();
  ASSERT_EQ(MusicLog().size(), 6u);
  const char* names[] = {"tolvstg1.mid", "tolvstg2.mid", "tolvstg3.mid",
                         "tolvstg4.mid", "tolvstg5.mid", "tolvend.mid"};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(MusicLog()[i].what, "create");
    EXPECT_EQ(MusicLog()[i].file, names[i]);
    EXPECT_NE(MusicHandle[i + 1], nullptr);
  }
  EXPECT_TRUE(MusicEnabled && BackgroundShown && BackgroundBothLayers);
  EXPECT_EQ(SoundEnabled, 1);
  EXPECT_EQ(SceneProc, TitleKeyWatcher);
  EXPECT_EQ(CountImage(pic::kTitleTile), 12);
  EXPECT_EQ(CountActive(KindPersistent), 12);
  EXPECT_NE(FindImage(182), nullptr);
  EXPECT_EQ(MenuCaption().Image, pic::kMenuStart);
  for (int32_t image : {pic::kWordmark, pic::kVersion, pic::kCopyright}) {
    EXPECT_EQ(CountImage(image), 1);
  }

  // The tiles drift up and left a pixel a frame and repeat every 180 frames.
  const TActor* tile = FindImage(197);
  const int32_t x = tile->X;
  RunFrames(1);
  EXPECT_EQ(tile->X, x - 1);
  RunFrames(179);
  EXPECT_EQ(tile->X, x);
}

TEST_F(TitleTest, TheMenuWrapsBothWaysAndEachNewChoiceGlidesInAgain) {
  Boot();
  RunFrames(40);
  EXPECT_EQ(MenuCaption().X, 130);
  Press(PadUp);
  EXPECT_EQ(MenuCaption().Work[kMenuChoiceWord], kChoiceQuit);
  EXPECT_EQ(MenuCaption().Image, kMenuCaptions[kChoiceQuit]);
  EXPECT_LT(MenuCaption().X, 0);
  Press(PadRight);
  Press(PadDown);
  EXPECT_EQ(MenuCaption().Work[kMenuChoiceWord], kChoiceRanking);
  EXPECT_EQ(MenuCaption().Image, kMenuCaptions[kChoiceRanking]);
}

TEST_F(TitleTest, QuitClosesTheMainWindowAtOnce) {
  Boot();
  Press(PadLeft);
  EXPECT_EQ(window_.closes, 0);
  Press(PadButton1);
  EXPECT_EQ(window_.closes, 1);
}

TEST_F(TitleTest, StartBuildsANewGameAtStageOne) {
  WriteStage(1, {{10, kCodeStageClear, 0, 0, 0}});
  Boot();
  Press(PadButton1);
  RunFrames(1);
  EXPECT_EQ(StageNumber(), 1);
  EXPECT_EQ(Tails, 3);
  EXPECT_EQ(WeaponLevel(*PlayerActor, 0), 1);
}

TEST_F(TitleTest, TheKeySequenceCountsEachKeyOnceAndIgnoresWrongKeys) {
  Boot();
  KeyDown('M');
  RunFrames(4);  // held: counted once, the next key is O
  KeyUp('M');
  EXPECT_EQ(KeySequenceIndex, 1);
  Type('X');  // wrong keys do not reset the count
  Type('O');
  EXPECT_EQ(KeySequenceIndex, 2);
  TypeSequence("VRATIL");
  EXPECT_EQ(KeySequenceIndex, kKeysArmed);
  Type(' ');  // the blank ends the sequence
  EXPECT_EQ(KeySequenceIndex, 0);
}

TEST_F(TitleTest, StageChordsWorkOnlyArmedAndWithBothGuardKeys) {
  WriteStage(3, {{500, kCodeStageClear, 0, 0, 0}});
  Boot();
  // Not armed: nothing.
  HoldChord('3');
  RunFrames(2);
  ReleaseChord('3');
  RunFrames(1);
  EXPECT_EQ(StageActor, &ScratchActor);

  TypeSequence("MOVRATIL");
  ASSERT_EQ(KeySequenceIndex, kKeysArmed);
  // Without the guard keys, or with only one, the start key does nothing.
  KeyDown('3');
  KeyDown(pres::vk::kControl);
  RunFrames(2);
  KeyUp('3');
  KeyUp(pres::vk::kControl);
  RunFrames(1);
  EXPECT_EQ(StageActor, &ScratchActor);

  // Held for several frames it starts the game again on every one of them; the game
  // that goes on after the release starts at stage 3 with level-30 weapons.
  HoldChord('3');
  for (int frame = 0; frame < 4; ++frame) {
    RunFrames(1);
    EXPECT_EQ(StageActor->Move, StageStart);  // a fresh game this frame
  }
  ReleaseChord('3');
  EXPECT_EQ(KeySequenceIndex, kKeysArmed);  // the count stays armed
  RunFrames(2);
  EXPECT_EQ(StageActor->Move, RunStageScript);
  EXPECT_EQ(StageNumber(), 3);
  EXPECT_EQ(StartStage, 3);
  for (int32_t w = 0; w < kWeaponCount; ++w) EXPECT_EQ(WeaponLevel(*PlayerActor, w), 30);
  const int32_t clock = ScriptClock;
  RunFrames(5);
  EXPECT_EQ(ScriptClock, clock + 5);  // no longer restarted

  // Still armed: another chord works until the blank is typed.
  HoldChord('5');
  RunFrames(2);
  ReleaseChord('5');
  RunFrames(1);
  EXPECT_EQ(StageNumber(), 5);
  for (int32_t w = 0; w < kWeaponCount; ++w) EXPECT_EQ(WeaponLevel(*PlayerActor, w), 50);
}

TEST_F(TitleTest, TheEndingChordPlaysTheEnding) {
  Boot();
  TypeSequence("MOVRATIL");
  const size_t before = MusicLog().size();
  HoldChord('E');
  RunFrames(1);
  ReleaseChord('E');
  RunFrames(3);
  EXPECT_EQ(CountImage(pic::kMenuStart), 0);  // the title is gone
  int endingTunes = 0;
  for (size_t i = before; i < MusicLog().size(); ++i) {
    const MusicCall& call = MusicLog()[i];
    endingTunes += call.what == "play" && call.tune == 6 ? 1 : 0;
    EXPECT_FALSE(call.what == "play" && call.tune != 6) << "a stage tune: " << call.tune;
  }
  EXPECT_EQ(endingTunes, 1) << "the ending's tune, not a stage's";
  Type(' ');
  EXPECT_EQ(KeySequenceIndex, 0);
}

TEST_F(TitleTest, OptionsAreLeftOnlyFromTheDoneRowAndSetTheSwitches) {
  Boot();
  Press(PadDown);
  Press(PadDown);  // choice 2: options
  Press(PadButton1);
  RunFrames(1);
  TActor* controller = OptionsController();
  ASSERT_NE(controller, nullptr);
  EXPECT_EQ(CountImage(pic::kTitleTile), 12);  // the tiles stayed
  const size_t soundsBefore = waves_.played.size();

  // Detail: right twice reaches "no background", a third right stays there.
  for (int i = 0; i < 3; ++i) Press(PadRight);
  EXPECT_EQ(controller->Work[kRowValueWord + kDetailRow], 2);
  EXPECT_EQ(waves_.played.size(), soundsBefore + 2);  // no sound when nothing changed
  Press(PadButton1);                                  // not the done row: nothing
  EXPECT_EQ(OptionsController(), controller);
  Press(PadDown);
  Press(PadRight);  // music off
  Press(PadDown);
  Press(PadRight);  // sound off
  Press(PadLeft);   // and on again
  Press(PadButton1);
  EXPECT_EQ(OptionsController(), controller);
  EXPECT_TRUE(BackgroundShown);  // nothing applied yet
  EXPECT_TRUE(MusicEnabled);

  // The chosen value of each row is highlighted, the others are plain.
  EXPECT_EQ(ActorAt(controller->Work[kDetailValueWord + 2]).Work[kWobbleBase], kWobbleChosen);
  EXPECT_EQ(ActorAt(controller->Work[kDetailValueWord + 0]).Work[kWobbleBase], kWobblePlain);
  EXPECT_EQ(ActorAt(controller->Work[kRowLabelWord + kSoundRow]).Work[kWobbleBase], kWobbleChosen);
  EXPECT_EQ(ActorAt(controller->Work[kRowLabelWord + kDetailRow]).Work[kWobbleBase], kWobblePlain);

  Press(PadDown);
  ASSERT_EQ(controller->Work[kOptionRowWord], kDoneRow);
  Press(PadLeft);  // nothing on the done row
  EXPECT_EQ(controller->Work[kRowValueWord + kDetailRow], 2);
  Press(PadButton1);
  RunFrames(1);
  EXPECT_EQ(OptionsController(), nullptr);
  EXPECT_FALSE(BackgroundShown);
  EXPECT_FALSE(BackgroundBothLayers);
  EXPECT_FALSE(MusicEnabled);
  EXPECT_EQ(SoundEnabled, 1);
  EXPECT_NE(FindImage(182), nullptr);  // back at the title

  // Opening the screen again shows the switches as they are.
  Press(PadDown);
  Press(PadDown);
  Press(PadButton1);
  RunFrames(1);
  controller = OptionsController();
  ASSERT_NE(controller, nullptr);
  EXPECT_EQ(controller->Work[kRowValueWord + kDetailRow], 2);
  EXPECT_EQ(controller->Work[kRowValueWord + kMusicRow], 1);
  EXPECT_EQ(controller->Work[kRowValueWord + kSoundRow], 0);
}

TEST(Wobble, ScalesSwingFivePercentAroundTheBase) {
  TActor picture{};
  picture.Work[kWobbleAngle] = 49;  // +15 = 64, a quarter turn
  picture.Work[kWobbleBase] = 100;
  WobbleMove(picture);
  EXPECT_EQ(picture.Work[kWobbleAngle], 64);
  EXPECT_EQ(picture.ScaleX, 105);
  EXPECT_EQ(picture.ScaleY, 100);
  picture.Work[kWobbleAngle] = 241;  // +15 = 256, a whole turn
  picture.Work[kWobbleBase] = 40;
  WobbleMove(picture);
  EXPECT_EQ(picture.Work[kWobbleAngle], 0);
  EXPECT_EQ(picture.ScaleX, 40);
  EXPECT_EQ(picture.ScaleY, 45);
}

}  // namespace
}  // namespace tolvane::testing
