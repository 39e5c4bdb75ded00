#pragma once
// Puts every engine global back to its start-of-run value: pool, scratch actor, text
// slots, random streams, frame and screen globals, sound switch. For tests and for a
// program that starts a fresh run in the same process.
namespace tolvane {

void ResetEngineState();

}  // namespace tolvane
