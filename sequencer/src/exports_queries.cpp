// The C interface: status queries over the engine's picture of the song. Safe from any thread.
#include "sequencer/include/vondra.h"
#include "sequencer/src/library.h"

namespace {

const vondra::SongState& Song() {
  return vondra::TheLibrary().player.engine().Song();
}

bool ValidChannel(int32_t ch) {
  return ch >= 0 && ch < vondra::kChannelCount;
}

// A channel's value, or 0 for a channel out of range.
int32_t ChannelValue(int32_t ch, const vondra::Shared<int32_t> vondra::ChannelState::*field) {
  return ValidChannel(ch) ? (Song().Channels[ch].*field).Get() : 0;
}

}  // namespace

extern "C" {

int32_t mmsGetStatus(void) {
  return vondra::TheLibrary().player.engine().Status();
}

int32_t mmsGetTime(void) {
  return vondra::TheLibrary().player.engine().Time();
}

int32_t mmsGetTimebase(void) {
  return Song().Timebase;
}

double mmsGetTempo(void) {
  return Song().Tempo;
}

int32_t mmsGetMeasure(void) {
  return Song().Measure;
}

int32_t mmsGetBeat(void) {
  return Song().Beat;
}

int32_t mmsGetTicktime(void) {
  return Song().Tick;
}

int32_t mmsGetControl(int32_t ch, int32_t controller) {
  if (!ValidChannel(ch) || controller < 0 || controller >= vondra::kControllerCount) return 0;
  return Song().Channels[ch].controls[controller].Get();
}

int32_t mmsGetPitchbend(int32_t ch) {
  return ChannelValue(ch, &vondra::ChannelState::pitchBend);
}

int32_t mmsGetPressure(int32_t ch) {
  return ChannelValue(ch, &vondra::ChannelState::pressure);
}

int32_t mmsGetProgram(int32_t ch) {
  return ChannelValue(ch, &vondra::ChannelState::program);
}

void mmsGetNotes(int32_t ch, int32_t* notes) {
  if (!ValidChannel(ch) || !notes) return;
  for (int note = 0; note < vondra::kNoteCount; ++note) {
    notes[note] = Song().Channels[ch].noteCounters[note].Get();
  }
}

int32_t mmsGetSendingNotes(int32_t ch) {
  return ChannelValue(ch, &vondra::ChannelState::soundingNotes);
}

int32_t mmsGetMaxSendingNotes(int32_t ch) {
  return ChannelValue(ch, &vondra::ChannelState::maxSoundingNotes);
}

int32_t mmsGetMaxNoteNumber(int32_t ch) {
  return ChannelValue(ch, &vondra::ChannelState::maxNote);
}

int32_t mmsGetMinNoteNumber(int32_t ch) {
  return ChannelValue(ch, &vondra::ChannelState::minNote);
}

}  // extern "C"
