#pragma once
// The walk through every track that one tick pass makes, shared by the engine and the analysis:
// each track whose delta time has run out has its events read and handed to `onEvent` until
// the next non-zero delta time. End of Track, "repeat" cue points and running status are dealt
// with here; what an event does is the handler's business.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "sequencer/src/event_reader.h"
#include "sequencer/src/smf_format.h"
#include "sequencer/src/song_state.h"

namespace vondra {

inline bool IsLoopCue(const Event& event) {
  return event.kind == EventKind::kMeta && event.metaType == kMetaCuePoint &&
         event.body.size() >= kLoopCue.size() &&
         std::equal(kLoopCue.begin(), kLoopCue.end(), event.body.begin());
}

inline bool IsEndOfTrack(const Event& event) {
  return event.kind == EventKind::kMeta && event.metaType == kMetaEndOfTrack;
}

// In repeat mode a track goes back to its loop point if time has passed on it since it last
// did so (a loop through zero deltas alone would never end); otherwise it ends.
inline void EndTrack(TrackCursor& track, bool repeat) {
  if (repeat && track.HasAdvanced && track.AdvancedSinceLoop) {
    track.ReadPos = track.LoopPos;
    track.AdvancedSinceLoop = 0;
  } else {
    track.Active = 0;
  }
}

// One tick pass's events. `onEvent(trackIndex, event)` returns false to end the pass at once
// (playback stopped, analysis interrupted); WalkTracks then returns false too.
template <typename OnEvent>
bool WalkTracks(Image image, SongState& song, bool repeat, OnEvent&& onEvent) {
  const int tracks = song.TrackLimit();
  for (int i = 0; i < tracks; ++i) {
    TrackCursor& track = song.Tracks[i];
    if (!track.Active) continue;
    track.DeltaLeft = static_cast<int32_t>(static_cast<uint32_t>(track.DeltaLeft) - 1);
    if (track.DeltaLeft > 0) continue;
    for (;;) {
      ImageReader reader(image, track.ReadPos, track.End);
      Event event;
      if (!ReadEvent(reader, static_cast<uint8_t>(track.RunningStatus), event)) {
        track.Active = 0;  // the track runs past its end: it ends here
        break;
      }
      track.ReadPos = reader.Pos();
      if (IsLoopCue(event)) track.LoopPos = track.ReadPos;
      if (IsEndOfTrack(event)) EndTrack(track, repeat);
      if (!onEvent(i, event)) return false;
      if (!track.Active) break;

      track.RunningStatus = event.status;
      ImageReader deltaReader(image, track.ReadPos, track.End);
      const uint32_t delta = deltaReader.VarLen();
      if (deltaReader.Failed()) {
        track.Active = 0;
        break;
      }
      track.ReadPos = deltaReader.Pos();
      track.DeltaLeft = static_cast<int32_t>(delta);
      if (delta != 0) {
        track.HasAdvanced = 1;
        track.AdvancedSinceLoop = 1;
        break;
      }
    }
  }
  return true;
}

// Tick passes from now on in which no track has an event due: one less than the smallest
// DeltaLeft of the active tracks (unbounded when none is active).
inline uint32_t IdleTicks(const SongState& song) {
  uint32_t idle = std::numeric_limits<uint32_t>::max();
  const int tracks = song.TrackLimit();
  for (int i = 0; i < tracks; ++i) {
    const TrackCursor& track = song.Tracks[i];
    if (!track.Active) continue;
    if (track.DeltaLeft <= 1) return 0;
    idle = std::min(idle, static_cast<uint32_t>(track.DeltaLeft - 1));
  }
  return idle;
}

// Runs `ticks` idle tick passes' worth of track and position bookkeeping at once.
inline void SkipIdleTicks(SongState& song, uint32_t ticks) {
  const int tracks = song.TrackLimit();
  for (int i = 0; i < tracks; ++i) {
    TrackCursor& track = song.Tracks[i];
    if (track.Active) track.DeltaLeft -= static_cast<int32_t>(ticks);
  }
  song.AdvancePosition(ticks);
}

}  // namespace vondra
