#pragma once
// The compiled form of a music text: tracks of timed MIDI events, ready to be written
// as a Standard MIDI File. Track 0 is the conductor (tempo, time signature, song texts).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mmlc {

// Events that share a tick are written in this order, so that a note ending where the
// loop starts is not replayed by the loop and a new note never starts before its
// predecessor on the same pitch has stopped.
enum class EventOrder : uint8_t { NoteOff = 0, LoopCue = 1, Setup = 2, NoteOn = 3 };

struct Event {
  int64_t tick = 0;
  EventOrder order = EventOrder::Setup;
  std::vector<uint8_t> bytes;  // the complete event: status and data, F0 + length + body, or FF +
                               // type + length + body
};

struct Track {
  std::string name;
  int channel = -1;  // 0-15; -1 for the conductor track
  std::vector<Event> events;
};

struct Song {
  int timebase = 480;               // ticks per quarter note
  std::vector<Track> tracks;        // tracks[0] is the conductor
  int64_t endTick = 0;              // every track's End of Track lies here
  std::optional<int64_t> loopTick;  // where the "repeat" cue stands on every track
};

}  // namespace mmlc
