#pragma once
// The ALSA sequencer: messages go to a port named in VONDRA_MIDI_PORT ("client:port" or a
// client name), or else to the first synthesizer port found.
#include <memory>
#include <string>

#include "sequencer/midiout/midi_output.h"

namespace vondra {

class AlsaOutput final : public MidiOutput {
 public:
  // Null when there is no sequencer or no port to send to. `port` empty: VONDRA_MIDI_PORT.
  static std::unique_ptr<AlsaOutput> Open(const std::string& port = {});
  ~AlsaOutput() override;

  void ShortMessage(uint32_t packed) override;
  LongResult LongMessage(std::span<const uint8_t> message) override;
  bool Close() override;

  // "client:port" of the destination.
  const std::string& Destination() const { return destination_; }

  struct Parts;

 private:
  AlsaOutput(std::unique_ptr<Parts> parts, std::string destination);
  LongResult Send(std::span<const uint8_t> bytes);

  std::unique_ptr<Parts> parts_;
  std::string destination_;
};

}  // namespace vondra
