// The C interface of the recording output's counts (vondra_render.h).
#include "sequencer/include/vondra_render.h"
#include "sequencer/midiout/counting_output.h"

extern "C" {

int32_t vondraRecordCounts(VondraRecordCounts* counts) {
  vondra::RecordCounts latest;
  if (counts == nullptr || !vondra::CountingOutput::Latest(latest)) return 0;
  *counts = {latest.messages, latest.noteOns,  latest.noteOffs,
             latest.silences, latest.sounding, latest.notesAfterStop};
  return 1;
}

}  // extern "C"
