// What each event does in the engine: the channel picture it updates and the message it sends.
#include <cstring>

#include "sequencer/src/engine.h"
#include "sequencer/src/smf_format.h"

namespace vondra {
namespace {

inline constexpr int kOctave = 12;
inline constexpr int kMirrorDefaultAverage = 64;
inline constexpr int kPitchBendCentre = 8192;

}  // namespace

bool Engine::Act(int track, const Event& event) {
  switch (event.kind) {
    case EventKind::kChannel:
      ActOnChannel(event);
      return true;
    case EventKind::kSysEx:
      SendSysEx(event.body);
      return true;
    case EventKind::kMeta:
      return ActOnMeta(track, event);
    case EventKind::kSystem:
      Stop(false);  // a system status has no place in a file: playback ends
      return false;
    case EventKind::kNoStatus:
      return true;
  }
  return true;
}

void Engine::ActOnChannel(const Event& event) {
  const int channel = event.Channel();
  ChannelState& state = song_.Channels[channel];
  uint8_t data1 = event.data1;
  uint8_t data2 = event.data2;
  switch (event.Kind()) {
    case kNoteOff:
      if (InvertMode && channel != kDrumChannel)
        data1 = static_cast<uint8_t>(Mirror(channel, data1));
      state.NoteReleased(data1);
      break;
    case kNoteOn:
      if (InvertMode && channel != kDrumChannel)
        data1 = static_cast<uint8_t>(Mirror(channel, data1));
      if (data2 > 0) {
        state.NoteSounded(data1);
      } else {
        state.NoteReleased(data1);
      }
      break;
    case kKeyPressure:
      break;
    case kControlChange:
      state.controls[data1] = data2;
      if (data1 == kControllerVolume) {
        ChannelVolume[channel] = data2;
        // During a fade the song's volume is scaled; the picture keeps the song's value.
        if (FadeSteps > 0) data2 = static_cast<uint8_t>(data2 * FadePercent / 100);
      }
      if (data1 == kControllerAllSoundOff || data1 == kControllerAllNotesOff) state.ClearNotes();
      break;
    case kProgramChange:
      state.program = data1;
      data2 = 0;
      break;
    case kChannelPressure:
      state.pressure = data1;
      data2 = 0;
      break;
    case kPitchBend:
      state.pitchBend = data2 * 128 + data1 - kPitchBendCentre;
      break;
    default:
      return;
  }
  Send(passIdeal_, event.status, data1, data2);
}

bool Engine::ActOnMeta(int track, const Event& event) {
  if (!event.listedMeta) {
    Halt(track, event);
    return false;
  }
  if (event.metaType == kMetaTempo) {
    song_.SetTempo(uint32_t{event.fields[0]} << 16 | uint32_t{event.fields[1]} << 8 |
                   event.fields[2]);
  } else if (event.metaType == kMetaTimeSignature) {
    song_.SetTimeSignature(event.fields[0], event.fields[1], event.fields[2], event.fields[3]);
  }
  return true;
}

// A meta type the library does not know ends playback at once, without the stop's pauses and
// controller resets; the notes that were sounding are switched off so none is left hanging.
void Engine::Halt(int track, const Event& event) {
  playing_ = 0;
  if (output_) output_->Silence(OutputIdeal(passIdeal_), false);
  for (int channel = 0; channel < kChannelCount; ++channel) {
    Send(passIdeal_, static_cast<uint8_t>(kControlChange | channel), kControllerAllNotesOff, 0);
  }
  pending_.push_back({MessageKind::kError, FormatText(kPlaybackDataErrorFormat, kBanner, track,
                                                      event.status, event.metaType)});
}

void Engine::SendSysEx(std::span<const uint8_t> body) {
  // The buffer holds the F0 byte and the body; a body too large for it is dropped.
  if (!output_ || !sysExBuffer_ || body.size() + 1 > kSysExBufferSize) return;
  sysExBuffer_[0] = kSystemExclusive;
  if (!body.empty()) std::memcpy(sysExBuffer_ + 1, body.data(), body.size());
  const std::span<const uint8_t> message(sysExBuffer_, body.size() + 1);
  for (int attempt = 0; attempt < kLongMessageAttempts; ++attempt) {
    if (output_->LongMessage(message, OutputIdeal(passIdeal_)) != LongResult::kNotReady) break;
  }
}

void Engine::Send(double ideal, uint8_t status, uint8_t data1, uint8_t data2) {
  if (output_) output_->ShortMessage(PackShort(status, data1, data2), OutputIdeal(ideal));
}

// Inverted play: the note mirrored about the C nearest the channel's average note. Results
// outside 0-127 are folded back by octaves so they stay in the same pitch class.
int Engine::Mirror(int channel, int note) const {
  int average = song_.Channels[channel].averageNote;
  if (average == 0) average = kMirrorDefaultAverage;
  const int centre = (average + kOctave / 2) / kOctave * kOctave;
  int mirrored = 2 * centre - note;
  if (mirrored < 0) mirrored += (-mirrored + kOctave - 1) / kOctave * kOctave;
  if (mirrored >= kNoteCount) mirrored -= (mirrored - kNoteCount + kOctave) / kOctave * kOctave;
  return mirrored;
}

}  // namespace vondra
