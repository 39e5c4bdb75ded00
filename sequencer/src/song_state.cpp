#include "sequencer/src/song_state.h"

#include <algorithm>

namespace vondra {

void ChannelState::Reset() {
  for (auto& control : controls) control = 0;
  controls[kControllerVolume] = kResetVolume;
  controls[kControllerPan] = kResetPan;
  controls[kControllerExpression] = kResetExpression;
  controls[kControllerReverb] = kResetReverb;
  program = 0;
  pitchBend = 0;
  pressure = 0;
  ClearNotes();
  maxSoundingNotes = 0;
  maxNote = -1;
  minNote = -1;
}

void ChannelState::ClearNotes() {
  for (auto& counter : noteCounters) counter = 0;
  soundingNotes = 0;
}

void ChannelState::NoteSounded(int note) {
  noteCounters[note].Add(1);
  soundingNotes.Add(1);
  if (soundingNotes > maxSoundingNotes) maxSoundingNotes = soundingNotes.Get();
  if (maxNote < 0 || note > maxNote) maxNote = note;
  if (minNote < 0 || note < minNote) minNote = note;
}

void ChannelState::NoteReleased(int note) {
  // A note-off for a note that is not sounding changes nothing, so the sounding count stays
  // the sum of the note counters.
  if (noteCounters[note] <= 0) return;
  noteCounters[note].Add(-1);
  if (soundingNotes > 0) soundingNotes.Add(-1);
}

void SongState::Reset() {
  HeaderLength = 0;
  Format = 0;
  NumberOfTracks = 0;
  Timebase = kDefaultTimebase;
  Tempo = kDefaultTempo;
  for (auto& channel : Channels) channel.Reset();
  Numerator = 4;
  DenominatorPower = 2;
  ClocksPerClick = 0;
  ThirtySecondsPerQuarter = 0;
  BeatsPerMeasure = 4;
  BeatUnit = 4;
  Measure = 1;
  Beat = 1;
  Tick = 0;
}

int SongState::TrackLimit() const {
  return std::clamp(NumberOfTracks, 0, kMaxTracks);
}

bool SongState::AnyTrackActive() const {
  return std::any_of(std::begin(Tracks), std::end(Tracks),
                     [](const TrackCursor& t) { return t.Active != 0; });
}

void SongState::AdvancePosition(uint32_t ticks) {
  if (ticks == 0) return;
  const int64_t timebase = Timebase;
  int64_t tick = Tick;
  uint64_t beats = 0;
  if (timebase <= 0) {
    beats = ticks;  // every tick reaches the timebase: a beat each
    tick = 0;
  } else if (tick >= timebase) {
    beats = 1 + (ticks - 1) / timebase;
    tick = (ticks - 1) % timebase;
  } else {
    const uint64_t total = static_cast<uint64_t>(tick) + ticks;
    beats = total / timebase;
    tick = static_cast<int64_t>(total % timebase);
  }
  Tick = static_cast<int32_t>(tick);
  if (beats == 0) return;

  const int64_t beatsPerMeasure = BeatsPerMeasure;
  int64_t measure = Measure;
  int64_t beat = Beat;
  // The first beat step also brings a beat left beyond a shortened measure back to 1.
  beat += 1;
  if (beat > beatsPerMeasure) {
    beat = 1;
    measure += 1;
  }
  const uint64_t rest = beats - 1;
  if (beatsPerMeasure <= 0) {
    measure += static_cast<int64_t>(rest);  // every beat starts a new measure
  } else {
    const uint64_t index = static_cast<uint64_t>(beat - 1) + rest;
    measure += static_cast<int64_t>(index / beatsPerMeasure);
    beat = static_cast<int64_t>(index % beatsPerMeasure) + 1;
  }
  Measure = static_cast<int32_t>(measure);
  Beat = static_cast<int32_t>(beat);
}

void SongState::SetTempo(uint32_t microsecondsPerQuarter) {
  // A tempo of 0 would make every tick last no time, and the engine would never catch up with
  // real time: it is ignored.
  if (microsecondsPerQuarter == 0) return;
  Tempo = 60000000.0 / microsecondsPerQuarter;
}

void SongState::SetTimeSignature(uint8_t numerator, uint8_t denominatorPower,
                                 uint8_t clocksPerClick, uint8_t thirtySecondsPerQuarter) {
  Numerator = numerator;
  DenominatorPower = denominatorPower;
  ClocksPerClick = clocksPerClick;
  ThirtySecondsPerQuarter = thirtySecondsPerQuarter;
  BeatsPerMeasure = numerator;
  BeatUnit = int32_t{1} << std::min<int>(denominatorPower, 30);
}

}  // namespace vondra
