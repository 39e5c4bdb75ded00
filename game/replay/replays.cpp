#include "game/replay/replays.h"

#include <ctime>
#include <memory>
#include <optional>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/sound.h"
#include "game/engine/state_digest.h"
#include "game/flow/flow_state.h"
#include "game/flow/game_watch.h"
#include "game/flow/high_scores.h"
#include "game/flow/music.h"
#include "game/flow/title_screen.h"
#include "game/host/program_state.h"
#include "game/play/game_state.h"
#include "game/replay/game_data_digest.h"
#include "game/replay/replay_player.h"
#include "game/replay/replay_recorder.h"
#include "game/replay/replay_texts.h"
#include "game/replay/start_state.h"
#include "presentation/services.h"

namespace tolvane {
namespace {

// What watching changes and gives back afterwards: the options, the title's settings and
// the high-score table of the run.
struct LiveState {
  bool backgroundShown;
  bool backgroundBothLayers;
  bool musicEnabled;
  uint8_t soundEnabled;
  int32_t keySequenceIndex;
  int32_t startStage;
  std::array<int32_t, kStartWeapons> startWeaponLevel;
  std::array<std::string, kRankCount> rankName;
  std::array<int32_t, kRankCount> rankScore, rankYear, rankMonth, rankDay;
};

struct Desk {
  ReplayStore store{""};
  bool record = false;
  ReplayRecorder recorder;
  bool gameEnding = false;  // the title came back within the frame
  std::unique_ptr<ReplayPlayer> player;
  std::string pendingWatch;
  bool fast = false;
  // Set after the replay's last frame (or a mismatch); the title comes back before the next.
  WatchOutcome ending = WatchOutcome::None;
  WatchOutcome outcome = WatchOutcome::None;
  LiveState live{};
};

Desk* desk = nullptr;

// Code addresses count only by being set, so a replay checks the same in every build.
uint64_t WhetherSet(const void* address) {
  return address != nullptr ? 1 : 0;
}

uint64_t ReplayDigest() {
  return StateDigest(DigestRules{&WhetherSet, false});
}

ReplayDate Now() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  if (localtime_r(&now, &t) == nullptr) return {1970, 1, 1, 0, 0, 0};
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

void SaveGame() {
  std::optional<Replay> replay = desk->recorder.Finish(Now(), Score);
  desk->gameEnding = false;
  if (!replay) return;
  std::string message;
  if (desk->store.Save(*replay, &message).empty()) ShowMessageBox(message);
}

LiveState CurrentLiveState() {
  return {BackgroundShown,  BackgroundBothLayers,
          MusicEnabled,     SoundEnabled,
          KeySequenceIndex, StartStage,
          StartWeaponLevel, RankName,
          RankScore,        RankYear,
          RankMonth,        RankDay};
}

void RestoreLiveState(const LiveState& s) {
  BackgroundShown = s.backgroundShown;
  BackgroundBothLayers = s.backgroundBothLayers;
  MusicEnabled = s.musicEnabled;
  SoundEnabled = s.soundEnabled;
  KeySequenceIndex = s.keySequenceIndex;
  StartStage = s.startStage;
  StartWeaponLevel = s.startWeaponLevel;
  RankName = s.rankName;
  RankScore = s.rankScore;
  RankYear = s.rankYear;
  RankMonth = s.rankMonth;
  RankDay = s.rankDay;
}

void EndWatch(WatchOutcome outcome) {
  const uint32_t frame = desk->player->Frame();
  desk->player.reset();
  desk->fast = false;
  desk->ending = WatchOutcome::None;
  desk->outcome = outcome;
  if (pres::InputDevice* input = pres::Services().input) input->EndFeed();
  RestoreLiveState(desk->live);
  StoreHighScores = true;
  StopMusic();
  ClearAllActors();
  NewActor(LayerFront).Move = TitleSetup;
  if (outcome == WatchOutcome::Desync) ShowMessageBox(kDesyncReplay + std::to_string(frame));
}

void BeginWatch(const std::string& path) {
  auto read = ReadReplayFile(path);
  if (const std::string* message = std::get_if<std::string>(&read)) {
    desk->outcome = WatchOutcome::Refused;
    ShowMessageBox(*message);
    return;
  }
  Replay& replay = std::get<Replay>(read);
  if (replay.dataDigest != GameDataDigest()) {
    desk->outcome = WatchOutcome::Refused;
    ShowMessageBox(std::string(kOtherDataReplay) + "\n" + kReplayFileLine + path);
    return;
  }
  if (desk->recorder.Recording()) SaveGame();  // the game in progress ends here
  if (desk->player == nullptr) desk->live = CurrentLiveState();
  StopMusic();
  RestoreStartState(replay.start);
  StoreHighScores = false;
  desk->player = std::make_unique<ReplayPlayer>(std::move(replay));
}

void TapBegin() {
  pres::InputDevice* input = pres::Services().input;
  if (desk->player != nullptr) {
    desk->player->BeginFrame();
    FrameRate = desk->player->Rate();
    if (input != nullptr) FeedInput(desk->player->Sample(), *input);
  } else if (desk->record && input != nullptr) {
    input->Update();
    desk->recorder.Sample(SampleInput(*input), FrameRate);
  }
}

DrawChoice TapChoose() {
  if (desk->player == nullptr) return DrawChoice::Schedule;
  return (desk->player->Sample() & kSkippedFrame) != 0 ? DrawChoice::Skip : DrawChoice::Draw;
}

void TapEnd(bool drawn) {
  if (desk->player != nullptr) {
    if (!desk->player->EndFrame(ReplayDigest())) {
      desk->ending = WatchOutcome::Desync;
    } else if (desk->player->Finished()) {
      desk->ending = WatchOutcome::Played;
    }
    return;
  }
  if (!desk->recorder.Recording()) return;
  const int32_t stage = StageActor->Active != 0 ? StageNumber() : 0;
  desk->recorder.FrameDone(drawn, ReplayDigest(), stage);
  if (desk->gameEnding) SaveGame();
}

void GameStarting(TActor& actor) {
  if (desk->player != nullptr || !desk->record) return;
  if (desk->recorder.Recording()) SaveGame();
  if (SlotOf(actor) >= kPoolSize) return;  // the pool was full: nothing could replay it
  desk->recorder.Begin(CaptureStartState(actor), GameDataDigest());
}

void TitleShown() {
  if (desk->player == nullptr && desk->recorder.Recording()) desk->gameEnding = true;
}

}  // namespace

void StartReplays(const ReplayOptions& options) {
  delete desk;
  desk = new Desk;
  desk->store = ReplayStore(options.folder);
  desk->record = options.record;
  ReplayTap = {&TapBegin, &TapChoose, &TapEnd};
  OnGameStart = &GameStarting;
  OnTitle = &TitleShown;
}

void StopReplays() {
  if (desk == nullptr) return;
  if (desk->recorder.Recording()) SaveGame();
  if (desk->player != nullptr) EndWatch(Watching() ? WatchOutcome::Stopped : desk->ending);
  ReplayTap = {nullptr, nullptr, nullptr};
  OnGameStart = nullptr;
  OnTitle = nullptr;
  delete desk;
  desk = nullptr;
}

void ReplayTick(void (*runFrame)()) {
  if (desk != nullptr && desk->player != nullptr && desk->ending != WatchOutcome::None)
    EndWatch(desk->ending);
  if (desk != nullptr && !desk->pendingWatch.empty() && FrameCount >= 1 && FrameBusy == 0) {
    const std::string path = std::move(desk->pendingWatch);
    desk->pendingWatch.clear();
    BeginWatch(path);
  }
  const int frames = Watching() && desk->fast ? kFastForwardFrames : 1;
  for (int n = 0; n < frames; ++n) {
    runFrame();
    if (!Watching()) break;
  }
}

void WatchReplay(const std::string& path) {
  if (desk != nullptr) desk->pendingWatch = path;
}

bool Watching() {
  return desk != nullptr && desk->player != nullptr && desk->ending == WatchOutcome::None;
}

void SetFastForward(bool fast) {
  if (desk != nullptr) desk->fast = fast;
}

void StopWatching() {
  if (desk != nullptr && desk->player != nullptr)
    EndWatch(Watching() ? WatchOutcome::Stopped : desk->ending);
}

WatchOutcome LastWatchOutcome() {
  if (desk == nullptr) return WatchOutcome::None;
  return desk->ending != WatchOutcome::None ? desk->ending : desk->outcome;
}

std::vector<KeptReplay> KeptReplays() {
  return desk != nullptr ? desk->store.List() : std::vector<KeptReplay>{};
}

}  // namespace tolvane
