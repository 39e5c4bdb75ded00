#pragma once
// The state of one song being walked: header fields, one cursor per track chunk, the picture of
// every channel and the musical position. The engine keeps one for the song playing; the
// analysis keeps a private one.
#include <cstddef>
#include <cstdint>

#include "sequencer/src/shared_value.h"

namespace vondra {

inline constexpr int kMaxTracks = 64;
inline constexpr int kChannelCount = 16;
inline constexpr int kNoteCount = 128;
inline constexpr int kControllerCount = 128;
inline constexpr int kDrumChannel = 9;
inline constexpr int32_t kDefaultTimebase = 48;
inline constexpr double kDefaultTempo = 120.0;

// Controllers with a non-zero value after a reset.
inline constexpr int kControllerVolume = 7;
inline constexpr int kControllerPan = 10;
inline constexpr int kControllerExpression = 11;
inline constexpr int kControllerReverb = 91;
inline constexpr int32_t kResetVolume = 100;
inline constexpr int32_t kResetPan = 64;
inline constexpr int32_t kResetExpression = 127;
inline constexpr int32_t kResetReverb = 40;
// Controllers that silence a channel.
inline constexpr int kControllerAllSoundOff = 120;
inline constexpr int kControllerResetAll = 121;
inline constexpr int kControllerAllNotesOff = 123;

struct ChannelState {
  Shared<int32_t> controls[kControllerCount];
  Shared<int32_t> program;
  Shared<int32_t> pitchBend;
  Shared<int32_t> pressure;
  Shared<int32_t> noteCounters[kNoteCount];
  Shared<int32_t> soundingNotes;
  Shared<int32_t> maxSoundingNotes;
  // Copied from the last analysis at play start; the average note is inverted play's centre.
  Shared<int32_t> averageVelocity;
  Shared<int32_t> averageNote;
  Shared<int32_t> maxNote{-1};
  Shared<int32_t> minNote{-1};

  // The reset picture from the start, so queries before any initialisation answer it too.
  ChannelState() { Reset(); }
  // Everything but the two averages back to the reset values.
  void Reset();
  void ClearNotes();
  void NoteSounded(int note);
  void NoteReleased(int note);
};

// Where one track is read. Positions are offsets into the image; a track never reads outside
// its own chunk data [Start, End).
struct TrackCursor {
  int32_t Active = 0;
  int32_t HasAdvanced = 0;
  // A non-zero delta time was read since the track last went back to LoopPos; a loop that
  // lets no time pass would otherwise go round for ever within one tick.
  int32_t AdvancedSinceLoop = 0;
  int32_t RunningStatus = 0;
  uint32_t Length = 0;
  size_t Start = 0;
  size_t End = 0;
  size_t ReadPos = 0;
  size_t LoopPos = 0;
  int32_t DeltaLeft = 0;
};

struct SongState {
  int32_t HeaderLength = 0;
  int32_t Format = 0;
  int32_t NumberOfTracks = 0;  // as the header says; at most kMaxTracks are set up
  Shared<int32_t> Timebase{kDefaultTimebase};
  Shared<double> Tempo{kDefaultTempo};

  TrackCursor Tracks[kMaxTracks];
  ChannelState Channels[kChannelCount];

  Shared<int32_t> Numerator{4};
  Shared<int32_t> DenominatorPower{2};
  Shared<int32_t> ClocksPerClick;
  Shared<int32_t> ThirtySecondsPerQuarter;
  Shared<int32_t> BeatsPerMeasure{4};
  Shared<int32_t> BeatUnit{4};
  Shared<int32_t> Measure{1};
  Shared<int32_t> Beat{1};
  Shared<int32_t> Tick{0};

  double SongTime = 0.0;

  // Header, tempo, channels (keeping their averages) and time signature to their defaults.
  void Reset();
  // Number of cursors in use.
  int TrackLimit() const;
  bool AnyTrackActive() const;
  // Moves the position on by `ticks` tick passes, exactly as that many single steps would.
  void AdvancePosition(uint32_t ticks);
  // Milliseconds per tick at the current tempo.
  double TickLength() const { return 60000.0 / (Timebase.Get() * Tempo.Get()); }
  void SetTempo(uint32_t microsecondsPerQuarter);
  void SetTimeSignature(uint8_t numerator, uint8_t denominatorPower, uint8_t clocksPerClick,
                        uint8_t thirtySecondsPerQuarter);
};

}  // namespace vondra
