#include "sequencer/midiout/alsa_output.h"

#include <alsa/asoundlib.h>

#include <cerrno>
#include <cstdlib>

#include "sequencer/midiout/alsa_quiet.h"

namespace vondra {

inline constexpr const char* kClientName = "vondra";
inline constexpr size_t kEncoderBufferSize = 256;

struct AlsaOutput::Parts {
  snd_seq_t* seq = nullptr;
  snd_midi_event_t* encoder = nullptr;
  int port = -1;

  ~Parts() {
    if (encoder) snd_midi_event_free(encoder);
    if (seq) snd_seq_close(seq);
  }
};

namespace {

// The first port of another client that accepts writes and calls itself a synthesizer.
bool FindSynthesizer(snd_seq_t* seq, snd_seq_addr_t& found) {
  snd_seq_client_info_t* client = nullptr;
  snd_seq_port_info_t* port = nullptr;
  snd_seq_client_info_alloca(&client);
  snd_seq_port_info_alloca(&port);
  const int self = snd_seq_client_id(seq);
  snd_seq_client_info_set_client(client, -1);
  while (snd_seq_query_next_client(seq, client) >= 0) {
    const int id = snd_seq_client_info_get_client(client);
    if (id == self) continue;
    snd_seq_port_info_set_client(port, id);
    snd_seq_port_info_set_port(port, -1);
    while (snd_seq_query_next_port(seq, port) >= 0) {
      const unsigned caps = snd_seq_port_info_get_capability(port);
      const unsigned type = snd_seq_port_info_get_type(port);
      const unsigned writable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
      if ((caps & writable) == writable && (type & SND_SEQ_PORT_TYPE_SYNTHESIZER)) {
        found = *snd_seq_port_info_get_addr(port);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

std::unique_ptr<AlsaOutput> AlsaOutput::Open(const std::string& port) {
  SilenceAlsaLibErrors();
  auto parts = std::make_unique<Parts>();
  if (snd_seq_open(&parts->seq, "default", SND_SEQ_OPEN_OUTPUT, SND_SEQ_NONBLOCK) < 0) {
    parts->seq = nullptr;
    return nullptr;
  }
  snd_seq_set_client_name(parts->seq, kClientName);
  parts->port = snd_seq_create_simple_port(
      parts->seq, kClientName, SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
      SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
  if (parts->port < 0) return nullptr;

  std::string wanted = port;
  if (wanted.empty()) {
    if (const char* named = std::getenv("VONDRA_MIDI_PORT")) wanted = named;
  }
  snd_seq_addr_t destination{};
  if (!wanted.empty()) {
    if (snd_seq_parse_address(parts->seq, &destination, wanted.c_str()) < 0) return nullptr;
  } else if (!FindSynthesizer(parts->seq, destination)) {
    return nullptr;
  }
  if (snd_seq_connect_to(parts->seq, parts->port, destination.client, destination.port) < 0) {
    return nullptr;
  }
  if (snd_midi_event_new(kEncoderBufferSize, &parts->encoder) < 0) {
    parts->encoder = nullptr;
    return nullptr;
  }
  const std::string name =
      std::to_string(destination.client) + ":" + std::to_string(destination.port);
  return std::unique_ptr<AlsaOutput>(new AlsaOutput(std::move(parts), name));
}

AlsaOutput::AlsaOutput(std::unique_ptr<Parts> parts, std::string destination)
    : parts_(std::move(parts)), destination_(std::move(destination)) {}

AlsaOutput::~AlsaOutput() = default;

LongResult AlsaOutput::Send(std::span<const uint8_t> bytes) {
  if (!parts_) return LongResult::kFailed;
  if (bytes.empty()) return LongResult::kFailed;
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  if (bytes[0] == 0xF0) {
    // System Exclusive goes as one variable-length event of any size.
    snd_seq_ev_set_sysex(&event, static_cast<unsigned>(bytes.size()),
                         const_cast<uint8_t*>(bytes.data()));
  } else {
    snd_midi_event_reset_encode(parts_->encoder);
    if (snd_midi_event_encode(parts_->encoder, bytes.data(), static_cast<long>(bytes.size()),
                              &event) <= 0 ||
        event.type == SND_SEQ_EVENT_NONE) {
      return LongResult::kFailed;
    }
  }
  snd_seq_ev_set_source(&event, parts_->port);
  snd_seq_ev_set_subs(&event);
  snd_seq_ev_set_direct(&event);
  const int result = snd_seq_event_output_direct(parts_->seq, &event);
  if (result == -EAGAIN) return LongResult::kNotReady;
  return result < 0 ? LongResult::kFailed : LongResult::kDone;
}

void AlsaOutput::ShortMessage(uint32_t packed) {
  const uint8_t bytes[3] = {ShortStatus(packed), ShortData1(packed), ShortData2(packed)};
  const uint8_t kind = bytes[0] & 0xF0;
  const size_t length = (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
  Send(std::span<const uint8_t>(bytes, length));
}

LongResult AlsaOutput::LongMessage(std::span<const uint8_t> message) {
  return Send(message);
}

bool AlsaOutput::Close() {
  if (!parts_) return false;
  const bool closed = snd_seq_close(parts_->seq) == 0;
  parts_->seq = nullptr;
  parts_.reset();
  return closed;
}

}  // namespace vondra
