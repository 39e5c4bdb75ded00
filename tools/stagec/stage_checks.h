#pragma once
// The rules a stage must keep so that every record fires and the stage can end.
#include <vector>

#include "game/play/stage_codes.h"
#include "tools/stagec/stage_problem.h"

namespace stagec {

// places[i] is where records[i] stands (line or record number); endPlace is where a
// missing record is reported (the end of the text or the record count).
Problems CheckStage(const std::vector<tolvane::StageRecord>& records,
                    const std::vector<int>& places, int endPlace);

}  // namespace stagec
