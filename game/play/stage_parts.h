#pragma once
// The parts of RunStageScript kept in their own files.
#include "game/play/stage_codes.h"

namespace tolvane {

// Does what a fired record's code asks (every code but halt and stage clear); a code in
// none of the tables does nothing.
void PerformRecord(const StageRecord& record);
// The spawn of a code whose action is Spawn, with its set-up.
void SpawnFromRecord(const StageCode& code, const StageRecord& record);

}  // namespace tolvane
