#include "sequencer/midiout/alsa_link.h"

#include <cerrno>
#include <cstdlib>

#include "sequencer/midiout/alsa_quiet.h"

namespace vondra {
namespace {

inline constexpr const char* kClientName = "vondra";
inline constexpr unsigned kWritable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;

snd_seq_t* OpenSequencer() {
  SilenceAlsaLibErrors();
  snd_seq_t* seq = nullptr;
  if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, SND_SEQ_NONBLOCK) < 0) return nullptr;
  snd_seq_set_client_name(seq, kClientName);
  return seq;
}

// Calls `visit(port info)` for every port of another client that accepts writes; stops when it
// returns true.
template <typename Visit>
void ForEachWritablePort(snd_seq_t* seq, Visit&& visit) {
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
      if ((snd_seq_port_info_get_capability(port) & kWritable) != kWritable) continue;
      if (visit(client, port)) return;
    }
  }
}

class SystemLink final : public AlsaLink {
 public:
  SystemLink(snd_seq_t* seq, int port, int queue) : seq_(seq), port_(port), queue_(queue) {}
  ~SystemLink() override {
    if (seq_) snd_seq_close(seq_);
  }

  int64_t QueueTime() override {
    snd_seq_queue_status_t* status = nullptr;
    snd_seq_queue_status_alloca(&status);
    if (!seq_ || snd_seq_get_queue_status(seq_, queue_, status) < 0) return 0;
    const snd_seq_real_time_t* time = snd_seq_queue_status_get_real_time(status);
    return int64_t{time->tv_sec} * 1000000000 + time->tv_nsec;
  }

  int Output(snd_seq_event_t& event) override {
    if (!seq_) return -EBADF;
    const int result = snd_seq_event_output(seq_, &event);
    if (result < 0) return result;
    const int drained = snd_seq_drain_output(seq_);
    return drained < 0 ? drained : 0;
  }

  void DropWaiting() override {
    if (!seq_) return;
    snd_seq_drop_output(seq_);
    snd_seq_remove_events_t* remove = nullptr;
    snd_seq_remove_events_alloca(&remove);
    snd_seq_remove_events_set_condition(remove, SND_SEQ_REMOVE_OUTPUT | SND_SEQ_REMOVE_DEST);
    snd_seq_remove_events_set_queue(remove, queue_);
    snd_seq_remove_events(seq_, remove);
  }

  bool Close() override {
    if (!seq_) return false;
    const bool closed = snd_seq_close(seq_) == 0;
    seq_ = nullptr;
    return closed;
  }

  int Queue() const override { return queue_; }
  int Port() const override { return port_; }

 private:
  snd_seq_t* seq_;
  int port_;
  int queue_;
};

}  // namespace

std::unique_ptr<AlsaLink> OpenAlsaLink(const std::string& port, std::string& destination) {
  snd_seq_t* seq = OpenSequencer();
  if (!seq) return nullptr;
  auto fail = [seq]() -> std::unique_ptr<AlsaLink> {
    snd_seq_close(seq);
    return nullptr;
  };
  const int own = snd_seq_create_simple_port(
      seq, kClientName, SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
      SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
  if (own < 0) return fail();

  std::string wanted = port;
  if (wanted.empty()) {
    if (const char* named = std::getenv("VONDRA_MIDI_PORT")) wanted = named;
  }
  snd_seq_addr_t address{};
  bool found = false;
  if (!wanted.empty()) {
    found = snd_seq_parse_address(seq, &address, wanted.c_str()) >= 0;
  } else {
    // The first port that calls itself a synthesizer.
    ForEachWritablePort(seq, [&](snd_seq_client_info_t*, snd_seq_port_info_t* info) {
      if (!(snd_seq_port_info_get_type(info) & SND_SEQ_PORT_TYPE_SYNTHESIZER)) return false;
      address = *snd_seq_port_info_get_addr(info);
      return found = true;
    });
  }
  if (!found || snd_seq_connect_to(seq, own, address.client, address.port) < 0) return fail();
  const int queue = snd_seq_alloc_named_queue(seq, kClientName);
  if (queue < 0 || snd_seq_start_queue(seq, queue, nullptr) < 0) return fail();
  snd_seq_drain_output(seq);
  destination = std::to_string(address.client) + ":" + std::to_string(address.port);
  return std::make_unique<SystemLink>(seq, own, queue);
}

std::optional<std::vector<std::string>> ListWritablePorts() {
  snd_seq_t* seq = OpenSequencer();
  if (!seq) return std::nullopt;
  std::vector<std::string> ports;
  ForEachWritablePort(seq, [&](snd_seq_client_info_t* client, snd_seq_port_info_t* info) {
    const snd_seq_addr_t* address = snd_seq_port_info_get_addr(info);
    ports.push_back(std::to_string(address->client) + ":" + std::to_string(address->port) + "  " +
                    snd_seq_client_info_get_name(client) + "  " + snd_seq_port_info_get_name(info));
    return false;
  });
  snd_seq_close(seq);
  return ports;
}

}  // namespace vondra
