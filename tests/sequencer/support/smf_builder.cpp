#include "tests/sequencer/support/smf_builder.h"

namespace vondra::testing {
namespace {

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value >> 8));
  out.push_back(static_cast<uint8_t>(value));
}

}  // namespace

std::vector<uint8_t> VarLen(uint32_t value) {
  std::vector<uint8_t> bytes{static_cast<uint8_t>(value & 0x7F)};
  while (value >>= 7) bytes.insert(bytes.begin(), static_cast<uint8_t>(0x80 | (value & 0x7F)));
  return bytes;
}

TrackBuilder& TrackBuilder::Delta(uint32_t ticks) {
  return Bytes(VarLen(ticks));
}

TrackBuilder& TrackBuilder::Bytes(std::initializer_list<uint8_t> bytes) {
  data_.insert(data_.end(), bytes);
  return *this;
}

TrackBuilder& TrackBuilder::Bytes(const std::vector<uint8_t>& bytes) {
  data_.insert(data_.end(), bytes.begin(), bytes.end());
  return *this;
}

TrackBuilder& TrackBuilder::NoteOn(uint32_t delta, int channel, int note, int velocity) {
  return Delta(delta).Bytes({static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(note),
                             static_cast<uint8_t>(velocity)});
}

TrackBuilder& TrackBuilder::NoteOff(uint32_t delta, int channel, int note, int velocity) {
  return Delta(delta).Bytes({static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(note),
                             static_cast<uint8_t>(velocity)});
}

TrackBuilder& TrackBuilder::Control(uint32_t delta, int channel, int controller, int value) {
  return Delta(delta).Bytes({static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller),
                             static_cast<uint8_t>(value)});
}

TrackBuilder& TrackBuilder::Program(uint32_t delta, int channel, int program) {
  return Delta(delta).Bytes({static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program)});
}

TrackBuilder& TrackBuilder::PitchBend(uint32_t delta, int channel, int value) {
  const int raw = value + 8192;
  return Delta(delta).Bytes({static_cast<uint8_t>(0xE0 | channel), static_cast<uint8_t>(raw & 0x7F),
                             static_cast<uint8_t>(raw >> 7)});
}

TrackBuilder& TrackBuilder::Tempo(uint32_t delta, uint32_t microsecondsPerQuarter) {
  return Delta(delta).Bytes({0xFF, 0x51, 0x03, static_cast<uint8_t>(microsecondsPerQuarter >> 16),
                             static_cast<uint8_t>(microsecondsPerQuarter >> 8),
                             static_cast<uint8_t>(microsecondsPerQuarter)});
}

TrackBuilder& TrackBuilder::TimeSignature(uint32_t delta, int numerator, int denominatorPower) {
  return Delta(delta).Bytes({0xFF, 0x58, 0x04, static_cast<uint8_t>(numerator),
                             static_cast<uint8_t>(denominatorPower), 24, 8});
}

TrackBuilder& TrackBuilder::Meta(uint32_t delta, uint8_t type, const std::string& text) {
  Delta(delta).Bytes({0xFF, type}).Bytes(VarLen(static_cast<uint32_t>(text.size())));
  data_.insert(data_.end(), text.begin(), text.end());
  return *this;
}

TrackBuilder& TrackBuilder::SysEx(uint32_t delta, const std::vector<uint8_t>& body) {
  return Delta(delta).Bytes({0xF0}).Bytes(VarLen(static_cast<uint32_t>(body.size()))).Bytes(body);
}

TrackBuilder& TrackBuilder::End(uint32_t delta) {
  return Delta(delta).Bytes({0xFF, 0x2F, 0x00});
}

std::vector<uint8_t> BuildSmf(const std::vector<TrackBuilder>& tracks, SmfOptions options) {
  std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
  Put32(out, options.headerLength);
  Put16(out, static_cast<uint32_t>(options.format));
  Put16(out, static_cast<uint32_t>(options.trackCount < 0 ? static_cast<int>(tracks.size())
                                                          : options.trackCount));
  Put16(out, static_cast<uint32_t>(options.division));
  for (uint32_t pad = 6; pad < options.headerLength; ++pad) out.push_back(0);
  for (const TrackBuilder& track : tracks) {
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    Put32(out, static_cast<uint32_t>(track.Data().size()));
    out.insert(out.end(), track.Data().begin(), track.Data().end());
  }
  return out;
}

}  // namespace vondra::testing
