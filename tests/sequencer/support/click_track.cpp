#include "tests/sequencer/support/click_track.h"

#include "tests/sequencer/support/smf_builder.h"

namespace vondra::testing {
namespace {

inline constexpr uint32_t kSixteenth = kClickDivision / 4;

struct Stretch {
  uint32_t tempo;  // microseconds per quarter note
  int numerator;   // of the time signature (quarter notes)
  int bars;
};
inline constexpr Stretch kStretches[] = {
    {400000, 4, 1}, {400000, 3, 1}, {500000, 4, 2}, {333333, 4, 2}};

}  // namespace

std::vector<uint8_t> ClickTrack(int repeats) {
  TrackBuilder conductor;
  TrackBuilder clicks;
  clicks.Control(0, kClickChannel, 91, 0).Control(0, kClickChannel, 93, 0);
  uint32_t sinceChange = 0;
  uint32_t pending = 0;  // ticks from the last note-off to the next click
  for (int repeat = 0; repeat < repeats; ++repeat) {
    for (const Stretch& stretch : kStretches) {
      conductor.Tempo(sinceChange, stretch.tempo).TimeSignature(0, stretch.numerator, 2);
      sinceChange = 0;
      const uint32_t ticks = stretch.bars * stretch.numerator * kClickDivision;
      for (uint32_t tick = 0; tick < ticks; tick += kSixteenth) {
        clicks.NoteOn(pending, kClickChannel, kClickNote, 120)
            .NoteOff(kSixteenth / 2, kClickChannel, kClickNote);
        pending = kSixteenth / 2;
      }
      sinceChange += ticks;
    }
  }
  conductor.End(sinceChange);
  clicks.End(pending);
  return BuildSmf({conductor, clicks}, SmfOptions{.division = kClickDivision});
}

std::vector<double> ClickTimes(int repeats) {
  std::vector<double> times;
  double now = 0;
  for (int repeat = 0; repeat < repeats; ++repeat) {
    for (const Stretch& stretch : kStretches) {
      const double sixteenth = stretch.tempo / 1000.0 / 4;
      for (int i = 0; i < stretch.bars * stretch.numerator * 4; ++i) {
        times.push_back(now);
        now += sixteenth;
      }
    }
  }
  return times;
}

}  // namespace vondra::testing
