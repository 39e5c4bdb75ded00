#pragma once
// Puts every global of the game flow back to its start-of-run value: switches and start
// settings, the high-score table, the flow's actor references, the system hooks and the
// music calls (tests, and a program that starts a fresh run in the same process).
namespace tolvane {

void ResetFlow();

}  // namespace tolvane
