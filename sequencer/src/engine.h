#pragma once
// The playback engine: play start, the engine call with its tick passes, what each event does,
// the fade-out and the stop. It is driven by the player thread (or a test) with the time as an
// argument; the caller holds the engine lock for every call except the queries, which read
// only atomic values.
#include <cstdint>
#include <string>
#include <vector>

#include "sequencer/midiout/midi_output.h"
#include "sequencer/src/analysis_entry.h"
#include "sequencer/src/clock.h"
#include "sequencer/src/event_reader.h"
#include "sequencer/src/messages.h"
#include "sequencer/src/shared_value.h"
#include "sequencer/src/song_state.h"

namespace vondra {

inline constexpr size_t kSysExBufferSize = 65536;
inline constexpr int kLongMessageAttempts = 200;
inline constexpr int32_t kFadeStepCount = 16;
inline constexpr uint32_t kStopPause = 10;  // ms after each of the stop's messages
// All notes off, all sound off and reset all controllers on each of the 16 channels.
inline constexpr int32_t kStopMessageCount = 48;
// Idle tick passes below this run one by one; longer idle stretches (a long delay, an absurd
// tempo) are taken in one step so that a call never falls behind real time.
inline constexpr uint32_t kBulkIdleTicks = 1024;
// Tick passes with events run in one engine call at most; a song that needs more (an absurd
// tempo) falls behind instead of holding the engine lock for seconds. Real songs need well under
// a hundred per call, and a catch-up after a delay still goes at millions a second.
inline constexpr uint32_t kMaxPassesPerCall = 65536;

// Status results of mmsGetStatus.
inline constexpr int32_t kStatusStopped = 0;
inline constexpr int32_t kStatusPlaying = 1;
inline constexpr int32_t kStatusFading = 3;

class Engine {
 public:
  Engine(Clock* clock, const AnalysisEntries& analysis);

  void SetClock(Clock* clock) { clock_ = clock; }

  // Where messages go; both may be null (nothing is sent, and the stop does not pause).
  void Attach(MidiOutput* output, uint8_t* sysExBuffer);
  // The song state back to its defaults, as at initialisation.
  void ResetSong();

  // Play start for an image (null: no usable handle). Returns 0 when playing, 1 when not
  // started. `song` identifies the image for Forget().
  int32_t PlayStart(const void* song, const std::vector<uint8_t>* image, int32_t repeat,
                    int32_t invert, uint32_t now);
  // One wake of the player thread: the stop's next message once its pause is over; else, when
  // NextDue has been reached, an engine call, the stop at the song's end and the fade step.
  void Step(uint32_t now, uint32_t period);
  void Call(uint32_t now);
  void FadeStep(uint32_t now);
  void Fadeout(int32_t fadeTime);
  // Ends playback at once and begins the stop's messages: all notes off, all sound off and
  // reset all controllers on every channel, kStopPause ms apart. The first goes out now, the
  // others from Step() as their pauses end; a song started meanwhile waits for the last pause.
  // Nothing when not playing. The output is silenced at once for a stop from the caller, at the
  // song's own time for its end (its tracks ended, the fade's last step, a system status).
  void Stop(bool fromCaller = true);
  // Sends what is left of the stop's messages on the calling thread, pauses included.
  void FinishStop();
  // Milliseconds until the stop's next message (or the end of its last pause) is due; -1 when
  // no stop is going out.
  int32_t StopWait(uint32_t now) const;
  bool StopPending() const { return stopPending_.Get() != 0; }
  // Holds the song where it is and silences what sounds; Resume goes on from there, the pause
  // left out of the song's time and its fade. Nothing while not playing or a stop goes out.
  void Pause(uint32_t now);
  void Resume(uint32_t now);
  bool Paused() const { return paused_; }
  // Stops `song` if it is the current song and lets go of its image.
  void Forget(const void* song);

  // Messages raised while the lock was held, for delivery after it is released.
  std::vector<Message> TakeMessages();

  // Queries: safe from any thread.
  bool IsPlaying() const { return playing_.Get() != 0; }
  int32_t Status() const;
  int32_t Time() const;
  int32_t FadeStepsLeft() const { return FadeSteps.Get(); }
  const SongState& Song() const { return song_; }
  uint32_t DueTime() const { return NextDue; }
  // Tick passes since play start, also after a stop (tests stamp messages with it).
  uint32_t TickCountNow() const { return TickCount.Get(); }

 private:
  void TickPass();
  // Ideal time 0 of the song is now: the output is told, the stop's messages have their own.
  void Begin(uint32_t now);
  // A song held back (by the stop's messages, or an output still opening) begins now, as if its
  // play call had come at this moment.
  void BeginWaitingSong(uint32_t now);
  bool OutputReady() const { return !output_ || output_->Ready(); }
  // Song time at clock time `now`, for messages sent outside a tick pass.
  double SongClock(uint32_t now) const { return static_cast<int32_t>(now - songStart_); }
  // The ideal time the output knows for song time `ideal`: after a pause the output's time 0
  // is where the song went on.
  double OutputIdeal(double ideal) const { return ideal - idealBase_; }
  void SendStopMessage(uint32_t now);
  void StopStep(uint32_t now);
  bool Act(int track, const Event& event);
  void ActOnChannel(const Event& event);
  bool ActOnMeta(int track, const Event& event);
  void Halt(int track, const Event& event);
  void SendSysEx(std::span<const uint8_t> body);
  void Send(double ideal, uint8_t status, uint8_t data1, uint8_t data2);
  int Mirror(int channel, int note) const;

  Clock* clock_;
  const AnalysisEntries& analysis_;
  MidiOutput* output_ = nullptr;
  uint8_t* sysExBuffer_ = nullptr;

  SongState song_;
  const void* current_ = nullptr;
  const std::vector<uint8_t>* image_ = nullptr;
  Shared<int32_t> playing_;
  int32_t RepeatMode = 0;
  int32_t InvertMode = 0;
  uint32_t NextDue = 0;
  double ElapsedTime = 0.0;
  uint32_t songStart_ = 0;  // clock time of the song's ideal time 0
  bool begun_ = false;      // the song playing has begun; else it is held back
  double idealTime_ = 0.0;  // song time of the next tick pass: the tick lengths added up
  double passIdeal_ = 0.0;  // song time of the tick pass running now
  uint32_t lastCallEnd_ = 0;
  Shared<uint32_t> TickCount;

  Shared<int32_t> FadeSteps;
  int32_t FadePercent = 100;
  uint32_t FadeStart = 0;
  uint32_t FadeEnd = 0;
  int32_t ChannelVolume[kChannelCount] = {};

  // The stop's messages going out: how many were sent, and when the last one was.
  Shared<int32_t> stopPending_;
  int32_t stopSent_ = 0;
  uint32_t stopLastSent_ = 0;

  bool paused_ = false;
  uint32_t pausedAt_ = 0;
  double idealBase_ = 0.0;  // song time of the output's ideal time 0

  std::vector<Message> pending_;
};

}  // namespace vondra
