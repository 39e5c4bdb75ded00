#include "sequencer/src/player.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <ctime>
#include <new>

namespace vondra {

Platform SystemPlatform() {
  static SystemClock clock;
  return Platform{&clock, OpenConfiguredOutput, true};
}

Player::Player(Platform platform, MessageSink& messages, const AnalysisEntries& analysis)
    : platform_(std::move(platform)),
      messages_(messages),
      clock_(platform_.clock),
      engine_(clock_, analysis) {}

Player::~Player() {
  StopThread();
}

void Player::SetPlatform(Platform platform) {
  StopThread();
  std::lock_guard lock(engineMutex_);
  platform_ = std::move(platform);
  clock_ = platform_.clock;
  engine_.SetClock(clock_);
}

int32_t Player::Init(uint32_t period) {
  // Initialising again ends the running session first: one output, one player thread.
  if (ready_) End();
  std::vector<Message> messages;
  int32_t result = 0;
  {
    std::lock_guard lock(engineMutex_);
    period_ = period;
    engine_.Stop();
    VersionSuffix_.clear();
    output_ = platform_.openOutput ? platform_.openOutput() : nullptr;
    if (!output_) return 0;  // no output: the library stays uninitialised, nothing is started

    SysExBuffer.reset(new (std::nothrow) uint8_t[kSysExBufferSize]);
    if (!SysExBuffer) {
      messages.push_back({MessageKind::kWarning, FormatText(kSysExBufferFailedFormat,
                                                            static_cast<int>(kSysExBufferSize))});
      result = 2;
    } else {
      const uint32_t minimum = clock_->MinimumPeriod();
      if (minimum > period) {
        messages.push_back({MessageKind::kWarning,
                            FormatText(kTimerPrecisionFormat, static_cast<int>(minimum),
                                       static_cast<int>(period), static_cast<int>(minimum))});
        period_ = minimum;
      }
      output_->SetPeriod(period_);
      engine_.Attach(output_.get(), SysExBuffer.get());
      engine_.ResetSong();
    }
  }
  if (result == 0) {
    if (platform_.runThread) StartThread();
    VersionSuffix_ += kInitialisedSuffix;
    ready_ = true;
  }
  Deliver(std::move(messages));
  return result;
}

int32_t Player::End() {
  if (!ready_) return 0;
  std::vector<Message> messages;
  {
    std::lock_guard lock(engineMutex_);
    engine_.Stop();
    engine_.FinishStop();  // the output closes only after the stop's last message and pause
    engine_.Attach(nullptr, nullptr);
    if (!output_->Close()) messages.push_back({MessageKind::kWarning, kCloseFailedText});
    output_.reset();
    SysExBuffer.reset();
  }
  StopThread();
  ready_ = false;
  Deliver(std::move(messages));
  return 0;
}

int32_t Player::Play(const void* song, const std::vector<uint8_t>* image, int32_t repeat,
                     int32_t invert) {
  std::lock_guard lock(engineMutex_);
  engine_.Stop();
  return engine_.PlayStart(song, image, repeat, invert, clock_->Now());
}

void Player::Stop() {
  std::lock_guard lock(engineMutex_);
  engine_.Stop();
}

void Player::Fadeout(int32_t fadeTime) {
  std::lock_guard lock(engineMutex_);
  engine_.Fadeout(fadeTime);
}

void Player::Pause(bool paused) {
  std::lock_guard lock(engineMutex_);
  if (paused) {
    engine_.Pause(clock_->Now());
  } else {
    engine_.Resume(clock_->Now());
  }
}

void Player::Forget(const void* song) {
  std::lock_guard lock(engineMutex_);
  engine_.Forget(song);
}

uint32_t Player::Step(uint32_t now) {
  // Half the period, but never a zero sleep that would spin.
  const uint32_t idle = std::max<uint32_t>(1, period_ / 2);
  if (!engine_.IsPlaying() && !engine_.StopPending()) return idle;
  std::vector<Message> messages;
  int32_t stopWait = 0;
  {
    std::lock_guard lock(engineMutex_);
    engine_.Step(now, period_);
    messages = engine_.TakeMessages();
    stopWait = engine_.StopWait(now);
  }
  Deliver(std::move(messages));
  // While the stop's messages go out nothing else is sent, so the thread sleeps until the next.
  return stopWait >= 0 ? static_cast<uint32_t>(std::max(stopWait, 1)) : idle;
}

void Player::Deliver(std::vector<Message> messages) {
  for (const Message& message : messages) messages_.Deliver(message);
}

void Player::StartThread() {
  if (thread_.joinable()) return;
  quit_ = std::make_shared<std::atomic<bool>>(false);
  thread_ = std::thread(&Player::ThreadMain, this, quit_);
  threadHandle_ = thread_.native_handle();
}

void Player::StopThread() {
  if (!thread_.joinable()) return;
  quit_->store(true);
  // A message handler that ends the library runs on the player thread itself: it cannot wait
  // for itself, so the thread is let go and leaves its loop on its own.
  if (thread_.get_id() == std::this_thread::get_id()) {
    thread_.detach();
  } else {
    thread_.join();
  }
}

void Player::ThreadMain(std::shared_ptr<std::atomic<bool>> quit) {
  // Real-time scheduling ahead of every ordinary thread when the process may ask for it (the
  // lowest real-time level is enough); without the privilege the thread runs at normal
  // priority, which the half-period polling tolerates.
  sched_param param{};
  param.sched_priority = sched_get_priority_min(SCHED_FIFO);
  pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);

  while (!quit->load()) clock_->Sleep(Step(clock_->Now()));
}

double Player::ThreadCpuSeconds() const {
  if (!thread_.joinable()) return 0.0;
  clockid_t id{};
  timespec used{};
  if (pthread_getcpuclockid(threadHandle_, &id) != 0 || clock_gettime(id, &used) != 0) {
    return 0.0;
  }
  return used.tv_sec + used.tv_nsec / 1e9;
}

}  // namespace vondra
