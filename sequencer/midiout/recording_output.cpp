#include "sequencer/midiout/recording_output.h"

namespace vondra {

void RecordingOutput::Record(std::vector<uint8_t> bytes, double ideal) {
  RecordedMessage message;
  if (stamp_) std::tie(message.time, message.tick) = stamp_();
  message.ideal = ideal;
  message.bytes = std::move(bytes);
  messages_.push_back(std::move(message));
}

void RecordingOutput::ShortMessage(uint32_t packed, double ideal) {
  std::lock_guard lock(mutex_);
  const uint8_t status = ShortStatus(packed);
  const int channel = status & 0x0F;
  const int data1 = ShortData1(packed);
  const int data2 = ShortData2(packed);
  switch (status & 0xF0) {
    case 0x90:
      if (data2 > 0) {
        sounding_.insert({channel, data1});
        notesAfterSilence_ += silenced_;
        break;
      }
      [[fallthrough]];
    case 0x80:
      sounding_.erase({channel, data1});
      break;
    case 0xB0:
      if (data1 == 120 || data1 == 123) {
        std::erase_if(sounding_, [channel](const auto& note) { return note.first == channel; });
      }
      break;
    default:
      break;
  }
  Record({status, static_cast<uint8_t>(data1), static_cast<uint8_t>(data2)}, ideal);
}

LongResult RecordingOutput::LongMessage(std::span<const uint8_t> message, double ideal) {
  std::lock_guard lock(mutex_);
  ++longAttempts_;
  if (refuseLong_ > 0) {
    --refuseLong_;
    return LongResult::kNotReady;
  }
  Record(std::vector<uint8_t>(message.begin(), message.end()), ideal);
  return LongResult::kDone;
}

void RecordingOutput::BeginSong() {
  std::lock_guard lock(mutex_);
  ++songs_;
  silenced_ = false;
}

void RecordingOutput::Silence(double, bool) {
  std::lock_guard lock(mutex_);
  ++silences_;
  silenced_ = true;
  sounding_.clear();
}

int RecordingOutput::Songs() const {
  std::lock_guard lock(mutex_);
  return songs_;
}

int RecordingOutput::Silences() const {
  std::lock_guard lock(mutex_);
  return silences_;
}

int RecordingOutput::NotesAfterSilence() const {
  std::lock_guard lock(mutex_);
  return notesAfterSilence_;
}

bool RecordingOutput::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  return !failClose_;
}

void RecordingOutput::SetStamp(Stamp stamp) {
  std::lock_guard lock(mutex_);
  stamp_ = std::move(stamp);
}

void RecordingOutput::RefuseLongMessages(int count) {
  std::lock_guard lock(mutex_);
  refuseLong_ = count;
}

void RecordingOutput::FailClose(bool fail) {
  std::lock_guard lock(mutex_);
  failClose_ = fail;
}

std::vector<RecordedMessage> RecordingOutput::Messages(size_t first) const {
  std::lock_guard lock(mutex_);
  if (first >= messages_.size()) return {};
  return {messages_.begin() + static_cast<std::ptrdiff_t>(first), messages_.end()};
}

size_t RecordingOutput::Count() const {
  std::lock_guard lock(mutex_);
  return messages_.size();
}

void RecordingOutput::Clear() {
  std::lock_guard lock(mutex_);
  messages_.clear();
}

std::set<std::pair<int, int>> RecordingOutput::SoundingNotes() const {
  std::lock_guard lock(mutex_);
  return sounding_;
}

int RecordingOutput::LongAttempts() const {
  std::lock_guard lock(mutex_);
  return longAttempts_;
}

bool RecordingOutput::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

}  // namespace vondra
