#pragma once
// Builds Standard MIDI Files in memory for tests, benchmarks and fuzz seeds.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vondra::testing {

class TrackBuilder {
 public:
  TrackBuilder& Delta(uint32_t ticks);
  TrackBuilder& Bytes(std::initializer_list<uint8_t> bytes);
  TrackBuilder& Bytes(const std::vector<uint8_t>& bytes);

  // Each event below is written with its delta time first and its own status byte.
  TrackBuilder& NoteOn(uint32_t delta, int channel, int note, int velocity);
  TrackBuilder& NoteOff(uint32_t delta, int channel, int note, int velocity = 64);
  TrackBuilder& Control(uint32_t delta, int channel, int controller, int value);
  TrackBuilder& Program(uint32_t delta, int channel, int program);
  TrackBuilder& PitchBend(uint32_t delta, int channel, int value);  // -8192..8191
  TrackBuilder& Tempo(uint32_t delta, uint32_t microsecondsPerQuarter);
  TrackBuilder& TimeSignature(uint32_t delta, int numerator, int denominatorPower);
  TrackBuilder& Meta(uint32_t delta, uint8_t type, const std::string& text);
  TrackBuilder& SysEx(uint32_t delta, const std::vector<uint8_t>& body);
  TrackBuilder& End(uint32_t delta = 0);

  const std::vector<uint8_t>& Data() const { return data_; }

 private:
  std::vector<uint8_t> data_;
};

std::vector<uint8_t> VarLen(uint32_t value);

struct SmfOptions {
  int format = 1;
  int division = 96;
  uint32_t headerLength = 6;
  int trackCount = -1;  // -1: the number of tracks given
};

std::vector<uint8_t> BuildSmf(const std::vector<TrackBuilder>& tracks, SmfOptions options = {});

}  // namespace vondra::testing
