#pragma once
// The ALSA sequencer: messages go through a queue running on real time, each stamped with its
// ideal time plus a latency, so the synthesizer on the port receives them on time. A stop from
// the caller takes back what the queue still holds and switches the sounding notes off at once.
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "sequencer/midiout/alsa_link.h"
#include "sequencer/midiout/midi_output.h"

namespace vondra {

// Messages are stamped this many periods after their ideal time: the engine reads them up to a
// period late.
inline constexpr double kAlsaLatencyPeriods = 2.0;

class AlsaOutput final : public MidiOutput {
 public:
  // Null when there is no sequencer or no port to send to. `port` empty: VONDRA_MIDI_PORT.
  static std::unique_ptr<AlsaOutput> Open(const std::string& port = {});
  AlsaOutput(std::unique_ptr<AlsaLink> link, std::string destination);
  ~AlsaOutput() override;

  void ShortMessage(uint32_t packed, double ideal) override;
  LongResult LongMessage(std::span<const uint8_t> message, double ideal) override;
  void SetPeriod(uint32_t period) override;
  void BeginSong() override;
  void Silence(double ideal, bool atOnce) override;
  bool Close() override;

  // "client:port" of the destination.
  const std::string& Destination() const { return destination_; }
  // Queue time, in nanoseconds, a message of ideal time `ideal` is stamped with.
  int64_t StampOf(double ideal) const;

 private:
  LongResult Send(snd_seq_event_t& event, int64_t stamp);
  void NoteOff(int channel, int note, int64_t stamp);

  std::unique_ptr<AlsaLink> link_;
  std::string destination_;
  snd_midi_event_t* encoder_ = nullptr;
  int64_t origin_ = 0;  // queue time of the song's ideal time 0
  double latencyMs_ = 0;
  // Per (channel, note): queue times of the last note-on and note-off handed over.
  std::map<std::pair<int, int>, std::pair<int64_t, int64_t>> notes_;
};

}  // namespace vondra
