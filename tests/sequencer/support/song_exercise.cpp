#include "tests/sequencer/support/song_exercise.h"

#include "sequencer/src/analysis.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/smf_builder.h"

namespace vondra::testing {

ExerciseOutcome ExerciseImage(const std::vector<uint8_t>& image, uint32_t variant, uint32_t capMs) {
  ExerciseOutcome outcome;
  EngineHarness harness;
  Analysis analysis(harness.analysis);
  analysis.Init();
  outcome.analysisResult = analysis.Run(&image, harness.sink);
  outcome.playResult = harness.Play(image, variant % 2, (variant / 2) % 2);
  harness.RunUntilStopped(capMs);
  harness.player.Stop();
  harness.RunUntilStopped(1000);  // the stop's messages go out
  outcome.notesLeftAfterStop = !harness.output().SoundingNotes().empty();
  return outcome;
}

std::vector<std::vector<uint8_t>> SeedSongs() {
  TrackBuilder conductor;
  conductor.Meta(0, 0x03, "conductor")
      .Tempo(0, 500000)
      .TimeSignature(0, 3, 2)
      .Meta(0, 0x01, "Intro")
      .Meta(0, 0x02, "(c)")
      .Bytes({0x00, 0xFF, 0x00, 0x02, 0x00, 0x01})        // sequence number
      .Bytes({0x00, 0xFF, 0x20, 0x01, 0x00})              // channel prefix
      .Bytes({0x00, 0xFF, 0x21, 0x01, 0x00})              // port prefix
      .Bytes({0x00, 0xFF, 0x54, 0x05, 0x60, 0, 0, 0, 0})  // time-code offset
      .Bytes({0x00, 0xFF, 0x59, 0x02, 0x00, 0x00})        // key signature
      .Meta(0, 0x7F, "\x43\x01")
      .Tempo(96, 400000)
      .Meta(0, 0x06, "verse")
      .End(192);
  TrackBuilder melody;
  melody.Program(0, 0, 5)
      .Control(0, 0, 7, 90)
      .NoteOn(0, 0, 60, 100)
      .Bytes({0x30, 62, 90})  // running status
      .NoteOff(48, 0, 60)
      .Meta(0, 0x07, "repeat")
      .NoteOn(0, 0, 64, 80)
      .PitchBend(24, 0, 300)
      .Bytes({0x00, 0xA0, 64, 20, 0x00, 0xD0, 30})
      .Meta(0, 0x05, "la")
      .NoteOn(24, 0, 64, 0)
      .NoteOff(0, 0, 62)
      .End(10);
  TrackBuilder drums;
  drums.SysEx(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
      .Bytes({0x00, 0x03, 0x43, 0x10, 0xF7})  // System Exclusive by running status
      .NoteOn(0, 9, 36, 120)
      .NoteOff(12, 9, 36)
      .NoteOn(12, 9, 38, 110)
      .Control(0, 9, 123, 0)
      .End(30);
  std::vector<std::vector<uint8_t>> songs{
      BuildSmf({conductor, melody, drums}, SmfOptions{.format = 1, .division = 96}),
      BuildSmf({melody}, SmfOptions{.format = 0, .division = 480}),
      BuildSmf({drums, TrackBuilder().NoteOn(0, 1, 50, 1).Bytes({0x05, 0xF1, 0x00}).End()},
               SmfOptions{.division = 24}),
      BuildSmf({TrackBuilder().NoteOn(0, 2, 70, 70).Meta(4, 0x60, "?").End()}),
  };
  return songs;
}

}  // namespace vondra::testing
