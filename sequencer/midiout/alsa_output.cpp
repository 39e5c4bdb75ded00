#include "sequencer/midiout/alsa_output.h"

#include <cerrno>
#include <climits>
#include <cmath>

namespace vondra {
namespace {

inline constexpr size_t kEncoderBufferSize = 256;
inline constexpr int64_t kDirect = -1;  // a stamp that means "now, not through the queue"
inline constexpr int64_t kNever = INT64_MIN;

}  // namespace

std::unique_ptr<AlsaOutput> AlsaOutput::Open(const std::string& port) {
  std::string destination;
  auto link = OpenAlsaLink(port, destination);
  if (!link) return nullptr;
  auto output = std::make_unique<AlsaOutput>(std::move(link), std::move(destination));
  if (!output->encoder_) return nullptr;
  return output;
}

AlsaOutput::AlsaOutput(std::unique_ptr<AlsaLink> link, std::string destination)
    : link_(std::move(link)), destination_(std::move(destination)) {
  if (snd_midi_event_new(kEncoderBufferSize, &encoder_) < 0) encoder_ = nullptr;
}

AlsaOutput::~AlsaOutput() {
  if (encoder_) snd_midi_event_free(encoder_);
}

int64_t AlsaOutput::StampOf(double ideal) const {
  return origin_ + std::llround((ideal + latencyMs_) * 1e6);
}

LongResult AlsaOutput::Send(snd_seq_event_t& event, int64_t stamp) {
  if (!link_) return LongResult::kFailed;
  snd_seq_ev_set_source(&event, link_->Port());
  snd_seq_ev_set_subs(&event);
  if (stamp == kDirect) {
    snd_seq_ev_set_direct(&event);
  } else {
    snd_seq_real_time_t time{static_cast<unsigned>(stamp / 1000000000),
                             static_cast<unsigned>(stamp % 1000000000)};
    snd_seq_ev_schedule_real(&event, link_->Queue(), 0, &time);
  }
  const int result = link_->Output(event);
  if (result == -EAGAIN) return LongResult::kNotReady;
  return result < 0 ? LongResult::kFailed : LongResult::kDone;
}

void AlsaOutput::ShortMessage(uint32_t packed, double ideal) {
  if (!encoder_) return;
  const uint8_t bytes[3] = {ShortStatus(packed), ShortData1(packed), ShortData2(packed)};
  const uint8_t kind = bytes[0] & 0xF0;
  const long length = (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  snd_midi_event_reset_encode(encoder_);
  if (snd_midi_event_encode(encoder_, bytes, length, &event) <= 0 ||
      event.type == SND_SEQ_EVENT_NONE) {
    return;
  }
  const int64_t stamp = StampOf(ideal);
  if (event.type == SND_SEQ_EVENT_NOTEON || event.type == SND_SEQ_EVENT_NOTEOFF) {
    auto& times =
        notes_.try_emplace({event.data.note.channel, event.data.note.note}, kNever, kNever)
            .first->second;
    const bool on = event.type == SND_SEQ_EVENT_NOTEON && event.data.note.velocity > 0;
    (on ? times.first : times.second) = stamp;
  }
  Send(event, stamp);
}

LongResult AlsaOutput::LongMessage(std::span<const uint8_t> message, double ideal) {
  if (message.empty()) return LongResult::kFailed;
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  // System Exclusive goes as one variable-length event of any size.
  snd_seq_ev_set_sysex(&event, static_cast<unsigned>(message.size()),
                       const_cast<uint8_t*>(message.data()));
  return Send(event, StampOf(ideal));
}

void AlsaOutput::SetPeriod(uint32_t period) {
  latencyMs_ = kAlsaLatencyPeriods * period;
}

void AlsaOutput::BeginSong() {
  if (link_) origin_ = link_->QueueTime();
  notes_.clear();
}

void AlsaOutput::NoteOff(int channel, int note, int64_t stamp) {
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  snd_seq_ev_set_noteoff(&event, channel, note, 0);
  Send(event, stamp);
}

void AlsaOutput::Silence(double ideal, bool atOnce) {
  if (!link_) return;
  // At once: what the queue still holds is taken back, and every note whose note-on has been
  // delivered and whose note-off has not is switched off directly. At the song's own end:
  // nothing comes after it, and the notes still on then are switched off at its time.
  const int64_t at = atOnce ? link_->QueueTime() : StampOf(ideal);
  if (atOnce) link_->DropWaiting();
  for (const auto& [key, times] : notes_) {
    const auto [on, off] = times;
    const bool sounding = on != kNever && on <= at && !(off >= on && off <= at);
    if (sounding) NoteOff(key.first, key.second, atOnce ? kDirect : at);
  }
  notes_.clear();
}

bool AlsaOutput::Close() {
  if (!link_) return false;
  const bool closed = link_->Close();
  link_.reset();
  return closed;
}

}  // namespace vondra
