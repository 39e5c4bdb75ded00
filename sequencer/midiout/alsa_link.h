#pragma once
// What the ALSA output needs of the sequencer: the time of its queue, handing events over and
// taking back those not yet delivered. Behind this seam a test takes the events, timestamps and
// all, without a sequencer device.
#include <alsa/asoundlib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vondra {

class AlsaLink {
 public:
  virtual ~AlsaLink() = default;
  // The queue's real time now, in nanoseconds since it started.
  virtual int64_t QueueTime() = 0;
  // Hands one event over, scheduled or direct as it says; the ALSA result (0, or -EAGAIN when
  // the sequencer is busy).
  virtual int Output(snd_seq_event_t& event) = 0;
  // Takes back every event handed over and not yet delivered.
  virtual void DropWaiting() = 0;
  virtual bool Close() = 0;
  // The queue events are scheduled on and the port they come from.
  virtual int Queue() const = 0;
  virtual int Port() const = 0;
};

// A link to the system's sequencer with a port of our own connected to `port` ("client:port"
// or a client name; empty: VONDRA_MIDI_PORT, else the first synthesizer port) and a queue
// running on real time. Null when there is no sequencer or no port to send to; `destination`
// gets "client:port".
std::unique_ptr<AlsaLink> OpenAlsaLink(const std::string& port, std::string& destination);

// "client:port  client name  port name" of every port another client can be written to; none
// when there is no sequencer.
std::optional<std::vector<std::string>> ListWritablePorts();

}  // namespace vondra
