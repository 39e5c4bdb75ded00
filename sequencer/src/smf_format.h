#pragma once
// Standard MIDI File layout and event codes as the library reads them.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vondra {

inline constexpr std::string_view kHeaderTag = "MThd";
inline constexpr std::string_view kTrackTag = "MTrk";
inline constexpr size_t kHeaderLengthOffset = 4;
inline constexpr size_t kFormatOffset = 8;
inline constexpr size_t kTrackCountOffset = 10;
inline constexpr size_t kDivisionOffset = 12;
// Tracks are taken to follow the standard 6-byte header, whatever its length field says.
inline constexpr size_t kFirstChunkOffset = 14;

// Status bytes, upper four bits for channel messages.
inline constexpr uint8_t kNoteOff = 0x80;
inline constexpr uint8_t kNoteOn = 0x90;
inline constexpr uint8_t kKeyPressure = 0xA0;
inline constexpr uint8_t kControlChange = 0xB0;
inline constexpr uint8_t kProgramChange = 0xC0;
inline constexpr uint8_t kChannelPressure = 0xD0;
inline constexpr uint8_t kPitchBend = 0xE0;
inline constexpr uint8_t kSystemExclusive = 0xF0;
inline constexpr uint8_t kMetaEvent = 0xFF;

// Meta types.
inline constexpr uint8_t kMetaSequenceNumber = 0x00;
inline constexpr uint8_t kMetaText = 0x01;
inline constexpr uint8_t kMetaCopyright = 0x02;
inline constexpr uint8_t kMetaTrackName = 0x03;
inline constexpr uint8_t kMetaInstrumentName = 0x04;
inline constexpr uint8_t kMetaLyric = 0x05;
inline constexpr uint8_t kMetaMarker = 0x06;
inline constexpr uint8_t kMetaCuePoint = 0x07;
inline constexpr uint8_t kMetaChannelPrefix = 0x20;
inline constexpr uint8_t kMetaPortPrefix = 0x21;
inline constexpr uint8_t kMetaEndOfTrack = 0x2F;
inline constexpr uint8_t kMetaTempo = 0x51;
inline constexpr uint8_t kMetaSmpteOffset = 0x54;
inline constexpr uint8_t kMetaTimeSignature = 0x58;
inline constexpr uint8_t kMetaKeySignature = 0x59;
inline constexpr uint8_t kMetaSequencerSpecific = 0x7F;

// A cue point whose text begins with these letters marks where its track loops.
inline constexpr std::string_view kLoopCue = "repeat";

}  // namespace vondra
