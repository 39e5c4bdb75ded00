#pragma once
// Play start's reading of a file image: the header, then one cursor per track chunk set to the
// track's first event. Shared by play start and the analysis.
#include "sequencer/src/image_reader.h"
#include "sequencer/src/song_state.h"

namespace vondra {

enum class SetupResult {
  kReady,
  kMissingTrack,  // a chunk that is not "MTrk" (or the end of the image) where a track was due;
                  // the tracks before it are set up
};

bool HasHeaderTag(Image image);

// Reads header length, format, track count and division into `song` (already reset) and sets
// up a cursor for each of the first kMaxTracks track chunks; every other cursor is inactive.
// A track whose first delta time cannot be read starts inactive.
SetupResult SetUpTracks(Image image, SongState& song);

}  // namespace vondra
