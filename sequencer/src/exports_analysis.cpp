// The C interface: file analysis. The analysis buffers are never allocated yet, so every call
// answers as it does before mmsSMFAnalysisInit.
#include "sequencer/include/vondra.h"

extern "C" {

int32_t mmsSMFAnalysisInit(void) { return 0; }
int32_t mmsSMFAnalysis(SongHandle) { return 1; }
int32_t mmsSMFAnalysisGetTime(void) { return 0; }
int32_t mmsSMFAnalysisGetMeasure(void) { return 0; }
int32_t mmsSMFAnalysisGetBeat(void) { return 0; }
int32_t mmsSMFAnalysisGetTicktime(void) { return 0; }
const char* mmsSMFAnalysisGetTextEvent(void) { return nullptr; }
const char* mmsSMFAnalysisGetCopyrightNotice(void) { return nullptr; }
const char* mmsSMFAnalysisGetLyric(void) { return nullptr; }
const char* mmsSMFAnalysisGetSequenceTrackname(int32_t) { return nullptr; }
const char* mmsSMFAnalysisGetInstrumentName(int32_t) { return nullptr; }
int32_t mmsSMFAnalysisGetAverageNote(int32_t) { return 0; }
int32_t mmsSMFAnalysisGetAverageVelocity(int32_t) { return 0; }
int32_t mmsSMFAnalysisGetTotalNotes(int32_t) { return 0; }

}  // extern "C"
