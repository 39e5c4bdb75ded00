#pragma once
// An output for tests: it keeps every message with the time and tick it was sent at and its ideal
// time, follows which notes are sounding, and can be told to answer "not ready" or to fail
// closing. A silence releases every note at once, as a scheduling output's stop does.
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <span>
#include <utility>
#include <vector>

#include "sequencer/midiout/midi_output.h"

namespace vondra {

struct RecordedMessage {
  uint32_t time = 0;  // from the stamp function given to the recorder: when it was sent
  int64_t tick = 0;
  double ideal = 0;            // song time it is meant to sound at
  std::vector<uint8_t> bytes;  // short messages as 3 bytes (status, data1, data2)

  bool IsShort() const { return bytes.size() == 3 && bytes[0] != 0xF0; }
  uint8_t Status() const { return bytes.empty() ? 0 : bytes[0]; }
};

class RecordingOutput final : public MidiOutput {
 public:
  using Stamp = std::function<std::pair<uint32_t, int64_t>()>;

  explicit RecordingOutput(Stamp stamp = {}) : stamp_(std::move(stamp)) {}

  void ShortMessage(uint32_t packed, double ideal) override;
  LongResult LongMessage(std::span<const uint8_t> message, double ideal) override;
  void BeginSong() override;
  void Silence(double ideal, bool atOnce) override;
  bool Close() override;

  void SetStamp(Stamp stamp);
  // The next `count` long messages are answered "not ready".
  void RefuseLongMessages(int count);
  void FailClose(bool fail);

  // The messages recorded, from the `first` on.
  std::vector<RecordedMessage> Messages(size_t first = 0) const;
  size_t Count() const;
  void Clear();
  // (channel, note) pairs switched on and not yet off, by note-off, a note-on of velocity 0,
  // or all notes off / all sound off on the channel.
  std::set<std::pair<int, int>> SoundingNotes() const;
  int LongAttempts() const;
  bool Closed() const;
  // Songs begun, silences, and note-ons that came after a silence before the next song began.
  int Songs() const;
  int Silences() const;
  int NotesAfterSilence() const;

 private:
  void Record(std::vector<uint8_t> bytes, double ideal);

  mutable std::mutex mutex_;
  Stamp stamp_;
  std::vector<RecordedMessage> messages_;
  std::set<std::pair<int, int>> sounding_;
  int refuseLong_ = 0;
  int longAttempts_ = 0;
  bool failClose_ = false;
  bool closed_ = false;
  int songs_ = 0;
  int silences_ = 0;
  bool silenced_ = false;
  int notesAfterSilence_ = 0;
};

}  // namespace vondra
