#include "sequencer/src/engine.h"

#include <cmath>
#include <utility>

#include "sequencer/src/song_setup.h"
#include "sequencer/src/track_walker.h"

namespace vondra {

Engine::Engine(Clock* clock, const AnalysisEntries& analysis)
    : clock_(clock), analysis_(analysis) {}

void Engine::Attach(MidiOutput* output, uint8_t* sysExBuffer) {
  output_ = output;
  sysExBuffer_ = sysExBuffer;
}

void Engine::ResetSong() {
  song_.Reset();
}

int32_t Engine::PlayStart(const void* song, const std::vector<uint8_t>* image, int32_t repeat,
                          int32_t invert, uint32_t now) {
  NextDue = now;
  TickCount = 0;
  InvertMode = invert;
  if (!song || !image) return 1;
  RepeatMode = repeat;
  const Image bytes(*image);
  if (!HasHeaderTag(bytes)) return 1;

  song_.Reset();
  for (int channel = 0; channel < kChannelCount; ++channel) {
    ChannelVolume[channel] = kResetVolume;
    song_.Channels[channel].averageVelocity = analysis_[channel].averageVelocity;
    song_.Channels[channel].averageNote = analysis_[channel].averageNote;
  }
  FadeSteps = 0;
  if (SetUpTracks(bytes, song_) != SetupResult::kReady) return 1;
  // With no ticks per quarter note a tick would last for ever and the song would never move.
  if (song_.Timebase == 0) return 1;

  current_ = song;
  image_ = image;
  paused_ = false;
  ElapsedTime = 0.0;
  song_.SongTime = 0.0;
  idealTime_ = 0.0;
  lastCallEnd_ = now;
  playing_ = 1;
  // While the stop's messages still go out, they keep the stopped song's time; while the output
  // opens, nothing can sound.
  begun_ = false;
  if (!StopPending() && OutputReady()) Begin(now);
  return 0;
}

void Engine::Begin(uint32_t now) {
  begun_ = true;
  songStart_ = now;
  idealBase_ = 0.0;
  if (output_) output_->BeginSong();
}

void Engine::BeginWaitingSong(uint32_t now) {
  const uint32_t waited = now - NextDue;
  NextDue = now;
  lastCallEnd_ = now;
  FadeStart += waited;
  FadeEnd += waited;
  Begin(now);
}

void Engine::Step(uint32_t now, uint32_t period) {
  if (StopPending()) {
    StopStep(now);  // nothing else goes out before the stop's messages and their pauses
    return;
  }
  if (!IsPlaying() || paused_) return;
  if (!begun_) {
    if (OutputReady()) BeginWaitingSong(now);  // its first tick pass comes with the next wake
    return;
  }
  if (!Reached(now, NextDue)) return;
  NextDue = now + period;
  Call(now);
  if (!song_.AnyTrackActive()) Stop(false);
  if (FadeSteps > 0 && IsPlaying()) FadeStep(now);
}

void Engine::Call(uint32_t now) {
  ElapsedTime += static_cast<uint32_t>(now - lastCallEnd_);
  const uint32_t start = now;
  uint32_t walked = 0;
  while (song_.SongTime < ElapsedTime && walked < kMaxPassesPerCall) {
    const uint32_t idle = IdleTicks(song_);
    if (idle >= kBulkIdleTicks) {
      const double tickLength = song_.TickLength();
      const double due = std::ceil((ElapsedTime - song_.SongTime) / tickLength);
      const uint32_t skipped = due >= idle ? idle : static_cast<uint32_t>(due);
      if (skipped >= kBulkIdleTicks) {
        TickCount.Add(skipped);
        SkipIdleTicks(song_, skipped);
        song_.SongTime += skipped * tickLength;
        idealTime_ += skipped * tickLength;
        continue;
      }
    }
    TickPass();
    ++walked;
    if (!IsPlaying()) return;  // nothing more is sent once playback has ended
  }
  const uint32_t end = clock_->Now();
  song_.SongTime -= static_cast<uint32_t>(end - start);
  lastCallEnd_ = end;
}

void Engine::TickPass() {
  TickCount.Add(1);
  passIdeal_ = idealTime_;
  const Image bytes(*image_);
  if (!WalkTracks(bytes, song_, RepeatMode != 0,
                  [this](int track, const Event& event) { return Act(track, event); })) {
    return;
  }
  song_.AdvancePosition(1);
  const double tickLength = song_.TickLength();  // the tempo in force after this tick's events
  song_.SongTime += tickLength;
  idealTime_ += tickLength;
}

void Engine::Pause(uint32_t now) {
  if (!IsPlaying() || paused_ || StopPending()) return;
  paused_ = true;
  pausedAt_ = now;
  if (!begun_) return;  // nothing sounds yet
  // What is scheduled is dropped, and notes held by the song or its sustain pedal would
  // otherwise sound through the pause.
  const double ideal = SongClock(now);
  if (output_) output_->Silence(OutputIdeal(ideal), true);
  for (int channel = 0; channel < kChannelCount; ++channel) {
    Send(ideal, static_cast<uint8_t>(kControlChange | channel), kControllerAllNotesOff, 0);
    Send(ideal, static_cast<uint8_t>(kControlChange | channel), kControllerAllSoundOff, 0);
  }
}

void Engine::Resume(uint32_t now) {
  if (!paused_) return;
  paused_ = false;
  if (!begun_) return;  // a song held back begins once its output is ready, as without a pause
  const uint32_t waited = now - pausedAt_;
  NextDue += waited;
  lastCallEnd_ += waited;
  FadeStart += waited;
  FadeEnd += waited;
  songStart_ += waited;
  // The output takes the song up again from here, as a song beginning now.
  idealBase_ = SongClock(now);
  if (output_) output_->BeginSong();
}

void Engine::Stop(bool fromCaller) {
  paused_ = false;
  const bool playing = IsPlaying();
  const uint32_t now = clock_->Now();
  // The caller's stop silences the output at once whatever the state: a song that ended by
  // itself is still heard for an output's latency. Silencing sends no message.
  if (output_ && (playing || fromCaller)) output_->Silence(OutputIdeal(SongClock(now)), fromCaller);
  if (!playing) return;
  playing_ = 0;
  current_ = nullptr;
  image_ = nullptr;
  // Without an output there is nothing to pace. A song stopped while it still waited for an
  // earlier stop's messages sent nothing: those messages, still going out, silence the rest.
  if (!output_ || StopPending()) return;
  stopPending_ = 1;
  stopSent_ = 0;
  SendStopMessage(now);
}

void Engine::SendStopMessage(uint32_t now) {
  static constexpr int kControllers[] = {kControllerAllNotesOff, kControllerAllSoundOff,
                                         kControllerResetAll};
  const int channel = stopSent_ / 3;
  Send(SongClock(now), static_cast<uint8_t>(kControlChange | channel),
       static_cast<uint8_t>(kControllers[stopSent_ % 3]), 0);
  ++stopSent_;
  stopLastSent_ = now;
}

// The stop's next message, or after the last one's pause the end of the stop: a song started
// meanwhile begins now, as if its play call had come at this moment.
void Engine::StopStep(uint32_t now) {
  if (!Reached(now, stopLastSent_ + kStopPause)) return;
  if (stopSent_ < kStopMessageCount) {
    SendStopMessage(now);
    return;
  }
  stopPending_ = 0;
  if (IsPlaying() && OutputReady()) BeginWaitingSong(now);
}

void Engine::FinishStop() {
  while (StopPending()) {
    const int32_t wait = StopWait(clock_->Now());
    if (wait > 0) clock_->Sleep(static_cast<uint32_t>(wait));
    StopStep(clock_->Now());
  }
}

int32_t Engine::StopWait(uint32_t now) const {
  if (!StopPending()) return -1;
  const auto left = static_cast<int32_t>(stopLastSent_ + kStopPause - now);
  // Read in the millisecond of the last message, a full pause from now is a full pause from
  // it. Later, the message may have gone out late in the millisecond the clock showed: one more
  // millisecond keeps the pause from falling short.
  if (left == static_cast<int32_t>(kStopPause)) return left;
  return left >= 0 ? left + 1 : 0;
}

void Engine::Forget(const void* song) {
  if (!song || song != current_) return;
  Stop();
  current_ = nullptr;
  image_ = nullptr;
}

std::vector<Message> Engine::TakeMessages() {
  return std::exchange(pending_, {});
}

int32_t Engine::Status() const {
  if (!IsPlaying()) return kStatusStopped;
  return FadeSteps > 0 ? kStatusFading : kStatusPlaying;
}

int32_t Engine::Time() const {
  return IsPlaying() ? static_cast<int32_t>(TickCount.Get()) : 0;
}

}  // namespace vondra
