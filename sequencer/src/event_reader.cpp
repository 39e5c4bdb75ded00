#include "sequencer/src/event_reader.h"

#include "sequencer/src/smf_format.h"

namespace vondra {
namespace {

inline constexpr uint8_t kDataMask = 0x7F;

void CopyFields(std::span<const uint8_t> bytes, Event& event) {
  for (size_t i = 0; i < bytes.size() && i < sizeof event.fields; ++i) event.fields[i] = bytes[i];
}

// The bytes after the type. The fixed skips take the standard lengths for granted and do not
// read the length byte's value.
void ReadMetaBody(ImageReader& reader, Event& event) {
  switch (event.metaType) {
    case kMetaSequenceNumber:
    case kMetaKeySignature:
      reader.Skip(3);
      break;
    case kMetaText:
    case kMetaCopyright:
    case kMetaTrackName:
    case kMetaInstrumentName:
    case kMetaLyric:
    case kMetaMarker:
    case kMetaCuePoint:
    case kMetaSequencerSpecific:
      event.body = reader.Take(reader.VarLen());
      break;
    case kMetaChannelPrefix:
    case kMetaPortPrefix:
      reader.Skip(2);
      break;
    case kMetaEndOfTrack:
      break;
    case kMetaTempo:
      reader.Skip(1);
      CopyFields(reader.Take(3), event);
      break;
    case kMetaSmpteOffset:
      reader.Skip(6);
      break;
    case kMetaTimeSignature:
      reader.Skip(1);
      CopyFields(reader.Take(4), event);
      break;
    default:
      event.listedMeta = false;
      break;
  }
}

}  // namespace

bool ReadEvent(ImageReader& reader, uint8_t runningStatus, Event& event) {
  event = Event{};
  uint8_t first = reader.Byte();
  if (first & 0x80) {
    event.status = first;
    first = reader.Byte();
  } else {
    event.status = runningStatus;
  }
  if (reader.Failed()) return false;

  if (event.status < 0x80) {
    event.kind = EventKind::kNoStatus;
    return true;
  }
  event.data1 = first & kDataMask;
  switch (event.status & 0xF0) {
    case kNoteOff:
    case kNoteOn:
    case kKeyPressure:
    case kControlChange:
    case kPitchBend:
      event.kind = EventKind::kChannel;
      event.data2 = reader.Byte() & kDataMask;
      return !reader.Failed();
    case kProgramChange:
    case kChannelPressure:
      event.kind = EventKind::kChannel;
      return true;
    default:
      break;
  }
  if (event.status == kSystemExclusive) {
    event.kind = EventKind::kSysEx;
    event.data1 = 0;
    reader.Back(1);  // the byte taken as a data byte starts the length
    event.body = reader.Take(reader.VarLen());
    return !reader.Failed();
  }
  if (event.status == kMetaEvent) {
    event.kind = EventKind::kMeta;
    event.metaType = first;
    ReadMetaBody(reader, event);
    return !reader.Failed();
  }
  event.kind = EventKind::kSystem;
  event.data1 = first;
  return true;
}

}  // namespace vondra
