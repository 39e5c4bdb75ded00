#pragma once
// The event grammar shared by the engine and the analysis: one event read out of a track.
#include <cstdint>
#include <span>

#include "sequencer/src/image_reader.h"

namespace vondra {

enum class EventKind : uint8_t {
  kChannel,   // 8n-En; data1 and data2 hold the data bytes
  kSysEx,     // F0; body is what follows the length (normally ending in F7)
  kMeta,      // FF; metaType, and body or fields as the type has them
  kSystem,    // F1-FE other than FF: not read further; data1 is the byte after the status
  kNoStatus,  // a data byte with no status before it on the track: nothing to do
};

struct Event {
  EventKind kind = EventKind::kNoStatus;
  uint8_t status = 0;  // the status in force, running status applied
  uint8_t data1 = 0;   // data bytes are kept to seven bits
  uint8_t data2 = 0;
  uint8_t metaType = 0;
  bool listedMeta = true;         // false for a meta type the library does not know
  std::span<const uint8_t> body;  // System Exclusive body; text of meta 01-07; 7F payload
  uint8_t fields[4] = {};         // tempo (3 bytes) or time signature (4 bytes)

  int Channel() const { return status & 0x0F; }
  int Kind() const { return status & 0xF0; }
};

// Reads one event at the reader's position. False when the event runs past the end of its
// track (the reader has failed and the event is to be dropped).
bool ReadEvent(ImageReader& reader, uint8_t runningStatus, Event& event);

}  // namespace vondra
