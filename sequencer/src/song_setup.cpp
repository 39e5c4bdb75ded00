#include "sequencer/src/song_setup.h"

#include "sequencer/src/smf_format.h"

namespace vondra {

bool HasHeaderTag(Image image) {
  return ImageReader(image).At(kHeaderTag);
}

SetupResult SetUpTracks(Image image, SongState& song) {
  ImageReader header(image);
  header.Skip(kHeaderLengthOffset);
  song.HeaderLength = static_cast<int32_t>(header.U32());
  song.Format = header.U16();
  song.NumberOfTracks = header.U16();
  song.Timebase = header.U16();
  song.Tempo = kDefaultTempo;
  for (auto& track : song.Tracks) track = TrackCursor{};
  if (header.Failed()) return SetupResult::kMissingTrack;  // the header itself is cut short

  // More chunks than cursors: the first kMaxTracks play, the rest are not looked at.
  size_t chunk = kFirstChunkOffset;
  for (int i = 0; i < song.TrackLimit(); ++i) {
    ImageReader reader(image, chunk, image.size());
    if (!reader.At(kTrackTag)) return SetupResult::kMissingTrack;
    reader.Skip(kTrackTag.size());
    const uint32_t length = reader.U32();
    if (reader.Failed()) return SetupResult::kMissingTrack;

    TrackCursor& track = song.Tracks[i];
    track.Length = length;
    track.Start = reader.Pos();
    track.End = track.Start + length;  // the reader clips this to the image
    track.ReadPos = track.Start;
    track.LoopPos = track.Start;
    ImageReader data(image, track.Start, track.End);
    const uint32_t delta = data.VarLen();
    track.End = data.End();
    track.ReadPos = data.Pos();
    track.DeltaLeft = static_cast<int32_t>(delta);
    track.HasAdvanced = track.AdvancedSinceLoop = delta != 0;
    track.Active = !data.Failed();
    chunk = track.Start + length;
  }
  return SetupResult::kReady;
}

}  // namespace vondra
