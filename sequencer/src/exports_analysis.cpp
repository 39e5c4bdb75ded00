// The C interface: file analysis. Every getter answers 0 or null until mmsSMFAnalysisInit.
#include "sequencer/include/vondra.h"
#include "sequencer/src/library.h"

namespace {

vondra::Analysis& TheAnalysis() {
  return vondra::TheLibrary().analysis;
}

// The entry, or null for an index out of range or before the buffers exist.
const vondra::AnalysisEntry* Entry(int32_t entry) {
  if (!TheAnalysis().Ready() || entry < 0 || entry >= vondra::kChannelCount) return nullptr;
  return &TheAnalysis().Entries()[entry];
}

int32_t Result(int32_t (vondra::Analysis::*getter)() const) {
  return TheAnalysis().Ready() ? (TheAnalysis().*getter)() : 0;
}

}  // namespace

extern "C" {

int32_t mmsSMFAnalysisInit(void) {
  return TheAnalysis().Init();
}

int32_t mmsSMFAnalysis(SongHandle handle) {
  auto& library = vondra::TheLibrary();
  return library.analysis.Run(library.handles.Find(handle), library.messages);
}

int32_t mmsSMFAnalysisGetTime(void) {
  return Result(&vondra::Analysis::SongLength);
}
int32_t mmsSMFAnalysisGetMeasure(void) {
  return Result(&vondra::Analysis::EndMeasure);
}
int32_t mmsSMFAnalysisGetBeat(void) {
  return Result(&vondra::Analysis::EndBeat);
}
int32_t mmsSMFAnalysisGetTicktime(void) {
  return Result(&vondra::Analysis::EndTick);
}

const char* mmsSMFAnalysisGetTextEvent(void) {
  return TheAnalysis().TextEvents();
}
const char* mmsSMFAnalysisGetCopyrightNotice(void) {
  return TheAnalysis().Copyright();
}
const char* mmsSMFAnalysisGetLyric(void) {
  return TheAnalysis().Lyrics();
}

const char* mmsSMFAnalysisGetSequenceTrackname(int32_t entry) {
  const auto* found = Entry(entry);
  return found ? found->trackName : nullptr;
}

const char* mmsSMFAnalysisGetInstrumentName(int32_t entry) {
  const auto* found = Entry(entry);
  return found ? found->instrumentName : nullptr;
}

int32_t mmsSMFAnalysisGetAverageNote(int32_t entry) {
  const auto* found = Entry(entry);
  return found ? found->averageNote : 0;
}

int32_t mmsSMFAnalysisGetAverageVelocity(int32_t entry) {
  const auto* found = Entry(entry);
  return found ? found->averageVelocity : 0;
}

int32_t mmsSMFAnalysisGetTotalNotes(int32_t entry) {
  const auto* found = Entry(entry);
  return found ? found->totalNotes : 0;
}

}  // extern "C"
