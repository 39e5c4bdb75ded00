#include "sequencer/src/analysis.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "sequencer/src/smf_format.h"
#include "sequencer/src/song_setup.h"
#include "sequencer/src/track_walker.h"

namespace vondra {

TextBuffer::TextBuffer() : data_(new char[kAnalysisTextSize]()) {}

void TextBuffer::Clear() {
  std::memset(data_.get(), 0, kAnalysisTextSize);
  length_ = 0;
}

void TextBuffer::Append(const char* text, size_t length) {
  const size_t room = kAnalysisTextSize - 1 - length_;  // the terminating zero always fits
  const size_t taken = std::min(length, room);
  std::memcpy(data_.get() + length_, text, taken);
  length_ += taken;
  data_[length_] = '\0';
}

namespace {

// Sums kept wide while the song is walked, so a long file cannot overflow them.
struct NoteSums {
  int64_t notes[kChannelCount] = {};
  int64_t velocities[kChannelCount] = {};
  int32_t counts[kChannelCount] = {};
};

}  // namespace

// What the analysis does with each event of one walk through the song.
class Analysis::Walk {
 public:
  Walk(Analysis& analysis, MessageSink& messages, SongState& song, NoteSums& sums)
      : analysis_(analysis), messages_(messages), song_(song), sums_(sums) {}

  bool operator()(int track, const Event& event) {
    switch (event.kind) {
      case EventKind::kChannel:
        if (event.Kind() == kNoteOn && event.data2 > 0) {
          sums_.notes[event.Channel()] += event.data1;
          sums_.velocities[event.Channel()] += event.data2;
          sums_.counts[event.Channel()] += 1;
        }
        return true;
      case EventKind::kSysEx:
      case EventKind::kNoStatus:
        return true;
      case EventKind::kSystem:
        return Interrupt(track, event.status, event.data1);
      case EventKind::kMeta:
        if (!event.listedMeta) return Interrupt(track, event.status, event.metaType);
        Meta(event);
        return true;
    }
    return true;
  }

 private:
  void Meta(const Event& event) {
    Buffers& buffers = *analysis_.buffers_;
    // Names are kept by the low four bits of the status byte, which for a meta event is 15.
    const int entry = event.Channel();
    switch (event.metaType) {
      case kMetaText:
        Stamp(buffers.textEvents, event.body);
        break;
      case kMetaCopyright:
        Stamp(buffers.copyright, event.body);
        break;
      case kMetaLyric:
        Stamp(buffers.lyrics, event.body);
        break;
      case kMetaTrackName:
        Stamp(buffers.trackNames[entry], event.body);
        break;
      case kMetaInstrumentName:
        Stamp(buffers.instrumentNames[entry], event.body);
        break;
      case kMetaTempo:
        song_.SetTempo(uint32_t{event.fields[0]} << 16 | uint32_t{event.fields[1]} << 8 |
                       event.fields[2]);
        break;
      case kMetaTimeSignature:
        song_.SetTimeSignature(event.fields[0], event.fields[1], event.fields[2], event.fields[3]);
        break;
      default:
        break;
    }
  }

  // Appends "mmmm:b:ttt text\r\n"; a text longer than the work area is cut to fit it. A text
  // ends at its first zero byte: the buffers are read as C strings, and a zero kept inside one
  // would hide every text appended after it.
  void Stamp(TextBuffer& buffer, std::span<const uint8_t> text) {
    text = text.first(static_cast<size_t>(std::find(text.begin(), text.end(), 0) - text.begin()));
    char stamp[48];
    const int length = std::snprintf(stamp, sizeof stamp, kTextStampFormat, song_.Measure.Get(),
                                     song_.Beat.Get(), song_.Tick.Get());
    const size_t kept = std::min(text.size(), kTextWorkArea - std::strlen(kTextEnd) - 1);
    buffer.Append(stamp, static_cast<size_t>(std::max(length, 0)));
    buffer.Append(reinterpret_cast<const char*>(text.data()), kept);
    buffer.Append(kTextEnd, std::strlen(kTextEnd));
  }

  bool Interrupt(int track, uint8_t status, uint8_t data) {
    messages_.Deliver(
        {MessageKind::kError, FormatText(kAnalysisDataErrorFormat, kBanner, track, status, data)});
    return false;
  }

  Analysis& analysis_;
  MessageSink& messages_;
  SongState& song_;
  NoteSums& sums_;
};

int32_t Analysis::Init() {
  if (ready_) return 1;
  buffers_ = std::make_unique<Buffers>();
  for (int i = 0; i < kChannelCount; ++i) {
    entries_[i].trackName = buffers_->trackNames[i].Data();
    entries_[i].instrumentName = buffers_->instrumentNames[i].Data();
  }
  ready_ = true;
  return 0;
}

void Analysis::Clear() {
  buffers_->textEvents.Clear();
  buffers_->copyright.Clear();
  buffers_->lyrics.Clear();
  for (auto& buffer : buffers_->trackNames) buffer.Clear();
  for (auto& buffer : buffers_->instrumentNames) buffer.Clear();
  for (AnalysisEntry& entry : entries_) {
    entry.averageNote = 0;
    entry.averageVelocity = 0;
    entry.totalNotes = 0;
  }
  songLength_ = 0;
}

int32_t Analysis::Run(const std::vector<uint8_t>* image, MessageSink& messages) {
  if (!ready_) return 1;
  Clear();
  if (!image) return 1;
  const Image bytes(*image);
  if (!HasHeaderTag(bytes)) return 2;

  auto song = std::make_unique<SongState>();
  song->Reset();
  NoteSums sums;
  if (SetUpTracks(bytes, *song) == SetupResult::kReady) {
    Walk walk(*this, messages, *song, sums);
    uint32_t passes = 0;  // counted modulo 2^32, as the int32 result wraps
    while (song->AnyTrackActive()) {
      // Stretches where no track has an event are crossed at once; End of Track never loops
      // here, so every walk ends.
      const uint32_t idle = IdleTicks(*song);
      if (idle > 0) {
        passes += idle;
        SkipIdleTicks(*song, idle);
      }
      passes += 1;
      if (!WalkTracks(bytes, *song, false, walk)) break;
      song->AdvancePosition(1);
    }
    songLength_ = static_cast<int32_t>(passes);
  }
  endMeasure_ = song->Measure;
  endBeat_ = song->Beat;
  endTick_ = song->Tick;
  for (int channel = 0; channel < kChannelCount; ++channel) {
    AnalysisEntry& entry = entries_[channel];
    entry.totalNotes = sums.counts[channel];
    if (entry.totalNotes > 0) {
      entry.averageNote = static_cast<int32_t>(sums.notes[channel] / entry.totalNotes);
      entry.averageVelocity = static_cast<int32_t>(sums.velocities[channel] / entry.totalNotes);
    }
  }
  return 0;
}

}  // namespace vondra
