#pragma once
// The stage script: the records of a stage file, fired by RunStageScript when the
// script's clock reaches their Time. All records of one time fire in one frame, in file
// order; a code-0 record halts the script until a boss dies; code 999 ends the stage.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "game/engine/actor.h"
#include "game/play/stage_codes.h"

namespace tolvane {

// Room for the most records a stage file may give and the terminator after them.
inline constexpr int32_t kStageScriptSize = kMaxStageRecords + 1;
extern std::array<StageRecord, kStageScriptSize> StageScript;
extern int32_t ScriptLength;  // records read from the stage file
extern int32_t ScriptPos;     // the next record to examine
extern int32_t ScriptClock;   // frames of the stage, not counting halted ones

// StageActor's Work word for the noise overlay actor (slot) of code 111.
inline constexpr int kNoiseOverlay = 57;

// Reads a stage file's bytes: whole 20-byte records only, the first kMaxStageRecords of
// a longer file, then the terminator (Time, Code, ArgX, ArgY 0). Rewinds the script to
// its first record and clock 0. Returns ScriptLength.
int32_t LoadStageScript(std::span<const uint8_t> bytes);
// The same from a file; false (nothing changed) when the file cannot be read.
bool LoadStageFile(const std::string& path);

// StageActor's MoveProc during play: rewrites the two HUD lines, then fires every record
// whose time has come.
void RunStageScript(TActor& actor);

// Called when a boss dies: the script goes on with the record after the current one.
void ResumeAfterBoss();

// Empties the script (tests).
void ResetStageScript();

}  // namespace tolvane
