#pragma once
// The high-score table in the settings file (the main window's IniFile): read once at
// boot, written whole when a name entry ends. Reading is tolerant: a missing file, key
// or field gives the default, and a file that exists but cannot be read is reported on standard
// error. The ten keys are stored in one replacement of the file, so
// a crash or a full disk leaves either the old table or the new one, never a mixture. A
// failed write keeps the table in memory for the run and says so on standard error.
#include <cstdint>
#include <string>

namespace tolvane {

// The key of place n: "RANK" and n in decimal.
std::string RankKey(int32_t n);

// Fills the table from the settings file (defaults without one).
void ReadHighScores();
// Every empty name becomes "TAIL", then all ten keys RANK0-RANK9 are written. False when
// the table could not be stored.
bool WriteHighScores();

}  // namespace tolvane
