#pragma once
// Puts every global of the game flow back to its start-of-run value: switches and start
// settings, the high-score table, the flow's actor references, and the host record with the
// music handle slots (tests, and a program that starts a fresh run in the same process).
namespace tolvane {

void ResetFlow();

}  // namespace tolvane
