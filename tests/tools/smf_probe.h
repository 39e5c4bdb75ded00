#pragma once
// An independent Standard MIDI File reader for the tool tests: reads a file the way the
// game's player does (tracks from offset 14, running status for every status) and
// summarises what a listener would get.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace probe {

struct ProbeEvent {
  int64_t tick = 0;
  std::vector<uint8_t> bytes;  // status byte (running status restored) and data
};

struct ProbeTrack {
  std::vector<ProbeEvent> events;
  int64_t endTick = -1;     // tick of End of Track
  int64_t repeatTick = -1;  // tick of the "repeat" cue point, if any
  std::vector<int> metaTypes;
};

struct ProbeSong {
  bool ok = false;
  std::string error;
  int headerLength = 0;
  int format = 0;
  int division = 0;
  std::vector<ProbeTrack> tracks;
  // Per channel: note-on count (velocity > 0) and the sum of their note numbers.
  std::map<int, int> noteCount;
  std::map<int, int64_t> noteSum;
  int AverageNote(int channel) const {
    auto it = noteCount.find(channel);
    return (it == noteCount.end() || it->second == 0)
               ? 0
               : static_cast<int>(noteSum.at(channel) / it->second);
  }
};

ProbeSong ReadSmf(const std::vector<uint8_t>& bytes);

}  // namespace probe
