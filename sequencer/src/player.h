#pragma once
// The library-wide player: the output, the System Exclusive buffer, the engine behind its lock
// and the player thread that wakes every half period to run it.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sequencer/midiout/midi_output.h"
#include "sequencer/src/clock.h"
#include "sequencer/src/engine.h"
#include "sequencer/src/messages.h"

namespace vondra {

// Everything platform-specific the player uses.
struct Platform {
  Clock* clock = nullptr;
  std::function<std::unique_ptr<MidiOutput>()> openOutput;
  bool runThread = true;  // false: the owner calls Step() itself
};

// The system clock, the output VONDRA_OUTPUT names and a real player thread.
Platform SystemPlatform();

class Player {
 public:
  Player(Platform platform, MessageSink& messages, const AnalysisEntries& analysis);
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Replaces the platform; only while not initialised.
  void SetPlatform(Platform platform);

  int32_t Init(uint32_t period);
  int32_t End();
  int32_t Play(const void* song, const std::vector<uint8_t>* image, int32_t repeat, int32_t invert);
  void Stop();
  void Fadeout(int32_t fadeTime);
  void Pause(bool paused);
  // Called before a song's image is freed: a song that is playing is stopped first.
  void Forget(const void* song);

  // One wake of the player thread, without its sleep; returns how long the thread sleeps next:
  // half the period, or until the stop's next message is due.
  uint32_t Step(uint32_t now);

  bool Ready() const { return ready_; }
  uint32_t Period() const { return period_.Get(); }
  const std::string& VersionSuffix() const { return VersionSuffix_; }
  const Engine& engine() const { return engine_; }
  // CPU time the player thread has used, in seconds (0 without a thread).
  double ThreadCpuSeconds() const;

 private:
  void StartThread();
  void StopThread();
  void ThreadMain(std::shared_ptr<std::atomic<bool>> quit);
  void Deliver(std::vector<Message> messages);

  Platform platform_;
  MessageSink& messages_;
  Clock* clock_;
  std::mutex engineMutex_;  // a stop, a play start, a fade request and an engine pass never overlap
  Engine engine_;
  std::unique_ptr<MidiOutput> output_;
  std::unique_ptr<uint8_t[]> SysExBuffer;
  Shared<uint32_t> period_{0};
  bool ready_ = false;
  std::string VersionSuffix_;

  std::thread thread_;
  std::thread::native_handle_type threadHandle_{};
  std::shared_ptr<std::atomic<bool>> quit_;
};

}  // namespace vondra
