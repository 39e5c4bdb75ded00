#pragma once
// Puts every global of the play back to its start-of-run value: the game state and the
// stage script (tests, and a program that starts a fresh run in the same process).
namespace tolvane {

void ResetPlayState();

}  // namespace tolvane
