// The course of a game: the new game's actors, the stage start, a missing stage file, the
// stage-clear tally, game over with its placement, and the continue screen.
#include "game/flow/game_progress.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/random_streams.h"
#include "game/engine/sound.h"
#include "game/flow/ending.h"
#include "game/flow/flow_state.h"
#include "game/flow/high_scores.h"
#include "game/flow/play_pause.h"
#include "game/flow/title_screen.h"
#include "game/play/backdrop.h"
#include "game/play/boss_behaviours.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"
#include "tests/flow/flow_fixture.h"

namespace tolvane::testing {
namespace {

class GameTest : public FlowTest {
 protected:
  // A new game from a fresh actor, run until the stage has started.
  void StartGame(int32_t stage = 1) {
    StartStage = stage;
    NewActor(LayerFront).Move = NewGame;
    RunFrames(2);
  }
  // The stage actor in its tally from frame 0.
  void ClearStage() {
    StageActor->Move = StageClear;
    ScriptClock = 0;
  }
  int MusicCalls(const std::string& what) const {
    int count = 0;
    for (const MusicCall& call : MusicLog()) count += call.what == what ? 1 : 0;
    return count;
  }
  const MusicCall* LastMusic(const std::string& what) const {
    for (auto call = MusicLog().rbegin(); call != MusicLog().rend(); ++call) {
      if (call->what == what) return &*call;
    }
    return nullptr;
  }
  static void FillOrbs(int count) {
    for (int i = 0; i < count; ++i) SetImage(*ProtectionActors[static_cast<size_t>(i)], kOrbImage);
  }
};

TEST_F(GameTest, ANewGameBuildsThePlayScreenAndTheStageStartsFromItsFile) {
  WriteStage(1, {{50, kCodeStageClear, 0, 0, 0}});
  SceneProc = nullptr;
  MusicEnabled = true;
  Boot();  // for the tune handles
  ShotCharge = 77;
  LossCharge = 88;
  StartGame();
  EXPECT_EQ(Tails, 3);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(ShotCharge, 0);
  EXPECT_EQ(LossCharge, 0);
  EXPECT_EQ(BackdropActor->Kind, KindPersistent);
  EXPECT_EQ(DummyTarget->X, 550);
  EXPECT_EQ(PlayerActor->Kind, KindPlayer);
  EXPECT_EQ(PlayerActor->HitScale, 20);
  EXPECT_EQ(StageActor->Move, RunStageScript);
  EXPECT_EQ(ScriptLength, 1);
  EXPECT_EQ(StageClearHook, StageClear);
  EXPECT_EQ(GameOverHook, GameOverMove);
  EXPECT_TRUE(ShowsText("Stage1...Fukai"));
  EXPECT_EQ(BackdropActor->Work[kFrontImageWord], 32);
  EXPECT_EQ(BackdropActor->Work[kBackImageWord], 33);
  const MusicCall* play = LastMusic("play");
  ASSERT_NE(play, nullptr);
  EXPECT_EQ(play->tune, 1);
  EXPECT_EQ(play->value, 1);  // looping
  // The player enters from the left, guarded.
  EXPECT_EQ(PlayerActor->Move, PlayerEnter);
  EXPECT_EQ(PlayerActor->Blink, 1);
  RunFrames(30);
  EXPECT_EQ(PlayerActor->X, 30);
  EXPECT_EQ(PlayerActor->Move, PlayerMove);
  // "Start!!" follows the title after 100 frames.
  RunFrames(80);
  EXPECT_TRUE(ShowsText("Start!!"));
}

TEST_F(GameTest, WithMusicOffTheStagePlaysInSilence) {
  WriteStage(2, {{50, kCodeStageClear, 0, 0, 0}});
  MusicEnabled = false;
  StartGame(2);
  EXPECT_EQ(MusicCalls("play"), 0);
  EXPECT_TRUE(ShowsText("Stage2...Sea Stage"));
}

TEST_F(GameTest, AMissingStageFileShowsTheErrorOnceAndCloses) {
  StartGame(4);
  RunFrames(5);
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_EQ(window_.messages[0], "ステージファイルが読み込めません");
  EXPECT_EQ(QuitRequested, 1);
  QuitRequested = 0;
}

TEST_F(GameTest, TheTallyShowsEachLineAndAddsTheWholeBonusAtFrame89) {
  WriteStage(1, {{500, kCodeStageClear, 0, 0, 0}});
  MusicEnabled = true;
  StartGame();
  Tails = 2;
  MaxCombo = 7;
  FillOrbs(3);
  Score = 1000;
  ClearStage();
  RunFrames(1);
  const MusicCall* fade = LastMusic("fadeout");
  ASSERT_NE(fade, nullptr);
  EXPECT_EQ(fade->value, 5000);
  EXPECT_EQ(BannerActors[0]->Image, pic::kStagePlate1);
  RunFrames(69);                          // frames 1-69
  EXPECT_EQ(PlayerActor->Move, nullptr);  // stopped at 60
  EXPECT_EQ(std::string(TallyText[0]), "TAIL       20000");
  EXPECT_EQ(std::string(TallyText[1]), "");
  RunFrames(10);
  EXPECT_EQ(std::string(TallyText[1]), "MAXCOMBO    7000");
  EXPECT_EQ(Score, 1000);
  RunFrames(9);  // frames 80-88
  EXPECT_EQ(Score, 1000);
  RunFrames(1);  // frame 89
  EXPECT_EQ(std::string(TallyText[2]), "PROTECTION 30000");
  EXPECT_EQ(Score, 1000 + 20000 + 7000 + 30000);
  EXPECT_EQ(BannerActors[0]->X, 240);
  EXPECT_EQ(BannerActors[0]->Y, 160);
  EXPECT_EQ(BannerActors[1]->X, 330);
  EXPECT_EQ(BannerActors[1]->Y, 145);
  EXPECT_EQ(std::count(waves_.played.begin(), waves_.played.end(), kSoundTally), 3);
}

TEST_F(GameTest, AfterTheTallyTheNextStageStartsWithTheWeaponsThePlayerHas) {
  WriteStage(1, {{500, kCodeStageClear, 0, 0, 0}});
  WriteStage(2, {{500, kCodeStageClear, 0, 0, 0}});
  MusicEnabled = true;
  StartGame();
  RunFrames(40);
  PlayerActor->Work[kWeapon] = 2;
  WeaponLevel(*PlayerActor, 0) = 12;
  WeaponLevel(*PlayerActor, 2) = 50;
  FillOrbs(2);
  ClearStage();
  RunFrames(200);
  EXPECT_EQ(MusicCalls("stop"), 1);
  EXPECT_EQ(StageNumber(), 2);
  EXPECT_EQ(StageActor->Move, StageStart);
  RunFrames(1);
  EXPECT_EQ(StageActor->Move, RunStageScript);
  EXPECT_EQ(LastMusic("play")->tune, 2);
  EXPECT_EQ(PlayerActor->Work[kWeapon], 2);
  EXPECT_EQ(WeaponLevel(*PlayerActor, 0), 12);
  EXPECT_EQ(WeaponLevel(*PlayerActor, 2), 50);
  EXPECT_EQ(PlayerActor->Move, PlayerEnter);
  EXPECT_EQ(PlayerActor->X, -100);
  // The new stage hides the banners and empties the orbs and the tally.
  for (const TActor* banner : BannerActors) EXPECT_EQ(banner->Image, kNoImage);
  for (const TActor* orb : ProtectionActors) EXPECT_EQ(orb->Image, kNoImage);
  EXPECT_EQ(std::string(TallyText[0]), "");
  // The HUD lines of stage 1 are gone; only stage 2's two remain.
  RunFrames(40);
  int hudLines = 0;
  for (const std::string& text : Texts()) hudLines += text.rfind("STAGE ", 0) == 0 ? 1 : 0;
  EXPECT_EQ(hudLines, 1);
  EXPECT_NE(std::string(HudLine1).find("STAGE 2"), std::string::npos);
}

TEST_F(GameTest, ClearingTheFifthStageLeadsToTheEnding) {
  WriteStage(5, {{500, kCodeStageClear, 0, 0, 0}});
  StartGame(5);
  ClearStage();
  RunFrames(200);
  RunFrames(2);
  EXPECT_EQ(CountActive(KindPlayer), 0);  // the play screen is gone
  bool placement = false;
  for (const TActor& a : ActorPool)
    placement = placement || (a.Active != 0 && a.Work[kDeathTimer] >= kEndingCounter);
  EXPECT_TRUE(placement);
}

TEST_F(GameTest, GameOverShowsItsPictureForTwoHundredFramesThenPlaces) {
  WriteStage(1, {{5000, kCodeStageClear, 0, 0, 0}});
  StartGame();
  for (int32_t n = 0; n < kRankCount; ++n) SetRankFromText(n, "HI 9000 2000 1 1");
  Score = 9000;  // equal to the tenth: not placed
  PlayerActor->Work[kDeathTimer] = 0;
  PlayerActor->Move = GameOverMove;
  RunFrames(1);
  EXPECT_EQ(CountImage(pic::kGameOver), 1);
  RunFrames(198);
  EXPECT_EQ(PlayerActor->Move, GameOverMove);
  RunFrames(1);
  EXPECT_EQ(PlayerActor->Work[kPlaceWord], kNotPlaced);
  EXPECT_EQ(PlayerActor->Move, ContinueSetup);
}

TEST_F(GameTest, OnlyAStageBeingPlayedMayBePaused) {
  WriteStage(1, {{5000, kCodeStageClear, 0, 0, 0}});
  EXPECT_FALSE(PlayIsPausable()) << "no game yet";
  StartGame();
  EXPECT_TRUE(PlayIsPausable());
  ClearStage();
  RunFrames(1);
  EXPECT_TRUE(PlayIsPausable()) << "the tally is part of the stage";
  StageActor->Move = RunStageScript;
  Score = 0;
  PlayerActor->Work[kDeathTimer] = 199;
  PlayerActor->Move = GameOverMove;
  RunFrames(3);
  ASSERT_EQ(PlayerActor->Move, ContinueMove);
  EXPECT_FALSE(PlayIsPausable()) << "the continue screen reads menu keys";
  ClearAllActors();
  NewActor(LayerFront).Move = TitleSetup;
  RunFrames(2);
  EXPECT_FALSE(PlayIsPausable()) << "the title";
}

TEST_F(GameTest, ContinueResetsTheScoreAfterPlacementAndRestartsTheStage) {
  WriteStage(1, {{5000, kCodeStageClear, 0, 0, 0}});
  MusicEnabled = true;
  StartGame();
  RunFrames(40);
  Score = 4000;
  Tails = 0;
  LossCharge = 500;
  TActor& enemy = NewActor(LayerBack);
  enemy.Kind = KindEnemy;
  TActor& shot = NewActor(LayerBack);
  shot.Kind = KindEnemyShot;
  PlayerActor->Work[kDeathTimer] = 0;
  PlayerActor->Move = GameOverMove;
  RunFrames(202);  // 200 game-over frames, the entry
  EXPECT_EQ(RankScore[0], 4000);
  PickLetter(*PlayerActor, 12, 4);  // "*": stored as TAIL
  RunFrames(1);
  ASSERT_EQ(PlayerActor->Move, ContinueMove);
  EXPECT_EQ(CountImage(pic::kContinueQuestion), 1);

  Press(PadButton1);  // continue (the choice at the start)
  EXPECT_EQ(MusicCalls("stop"), 1);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(Tails, 3);
  EXPECT_EQ(LossCharge, 10500);
  EXPECT_EQ(enemy.Active, 0);
  EXPECT_EQ(shot.Active, 0);
  EXPECT_EQ(CountImage(pic::kContinueQuestion), 0);
  EXPECT_EQ(StageNumber(), 1);
  EXPECT_EQ(StageActor->Move, RunStageScript);
  EXPECT_EQ(ScriptClock, 1);
  EXPECT_EQ(PlayerActor->Move, PlayerEnter);
  EXPECT_EQ(RankScore[0], 4000);  // placed on the score it had
  EXPECT_EQ(RankName[0], "TAIL");

  // The next game over places the continued game on its own score.
  Score = 50;
  PlayerActor->Work[kDeathTimer] = 199;
  PlayerActor->Move = GameOverMove;
  RunFrames(1);
  EXPECT_EQ(PlayerActor->Work[kPlaceWord], 1);
}

TEST_F(GameTest, AContinueUnderTheNoiseOverlayStartsTheStageWithoutIt) {
  constexpr int32_t kNoiseOn = 111;
  constexpr int32_t kNoiseOff = 112;
  WriteStage(
      1, {{10, kNoiseOn, 0, 0, 0}, {100, kNoiseOff, 0, 0, 0}, {5000, kCodeStageClear, 0, 0, 0}});
  StartGame();
  const auto overlays = [] {
    int count = 0;
    for (const TActor& a : ActorPool) count += a.Active != 0 && a.Draw == NoiseDraw ? 1 : 0;
    return count;
  };
  RunFrames(40);
  ASSERT_EQ(overlays(), 1);
  Score = 0;  // not placed: straight to the continue screen
  PlayerActor->Work[kDeathTimer] = 199;
  PlayerActor->Move = GameOverMove;
  RunFrames(2);
  ASSERT_EQ(PlayerActor->Move, ContinueMove);
  Press(PadButton1);  // continue
  EXPECT_EQ(overlays(), 0) << "the stage starts again without the overlay";
  RunFrames(20);
  EXPECT_EQ(overlays(), 1) << "its record switches it on again";
  RunFrames(90);
  EXPECT_EQ(overlays(), 0) << "and the record that ends it ends it";
}

TEST_F(GameTest, TheCountdownShrinksThePicturesAndRunningOutReturnsToTheTitle) {
  WriteStage(1, {{5000, kCodeStageClear, 0, 0, 0}});
  MusicEnabled = true;
  StartGame();
  for (int32_t n = 0; n < kRankCount; ++n) SetRankFromText(n, "HI 9000 2000 1 1");
  PlayerActor->Work[kDeathTimer] = 199;
  PlayerActor->Move = GameOverMove;
  RunFrames(3);  // placement, the screen, its first countdown frame
  const TActor* countdown = FindImage(198);
  const TActor* keep = FindImage(199);
  const TActor* giveUp = FindImage(200);
  ASSERT_TRUE(countdown && keep && giveUp);
  EXPECT_EQ(countdown->ScaleX, 100);
  EXPECT_EQ(keep->ScaleX, 100);
  EXPECT_EQ(giveUp->ScaleX, 60);
  const size_t sounds = waves_.played.size();
  Press(PadRight);  // choose giving up: the two swap
  EXPECT_EQ(waves_.played.size(), sounds + 1);
  EXPECT_EQ(giveUp->ScaleX, 278 * 100 / 280);
  EXPECT_EQ(keep->ScaleX, 278 * 60 / 280);
  Press(PadLeft);
  RunFrames(140);
  EXPECT_EQ(countdown->ScaleX, 136 * 100 / 280);
  RunFrames(140);  // the countdown runs out: give up
  EXPECT_EQ(MusicCalls("stop"), 1);
  RunFrames(1);
  EXPECT_EQ(CountActive(KindPlayer), 0);
  EXPECT_NE(FindImage(182), nullptr);
}

}  // namespace
}  // namespace tolvane::testing
