#pragma once
// The output VONDRA_OUTPUT=record opens: it sends nothing and only counts what reaches it and
// which notes sound, so long runs and stress checks can play without a sound card. Notes are
// released by note-offs, all notes off, all sound off, and, as a scheduling output's stop
// does, by a silence.
#include <cstdint>

#include "sequencer/midiout/midi_output.h"

namespace vondra {

struct RecordCounts {
  uint64_t messages = 0;  // short and System Exclusive
  uint64_t noteOns = 0;
  uint64_t noteOffs = 0;  // note-offs and note-ons of velocity 0
  uint64_t silences = 0;
  int32_t sounding = 0;        // notes sounding now
  int32_t notesAfterStop = 0;  // note-ons after a silence, before the next song began
};

class CountingOutput final : public MidiOutput {
 public:
  // Opening one starts the counts afresh.
  CountingOutput();

  void ShortMessage(uint32_t packed, double ideal) override;
  LongResult LongMessage(std::span<const uint8_t> message, double ideal) override;
  void BeginSong() override;
  void Silence(double ideal, bool atOnce) override;
  bool Close() override { return true; }

  // The counts of the last one opened, kept after it closes; false when none was ever opened.
  // Any thread.
  static bool Latest(RecordCounts& counts);
};

}  // namespace vondra
