#pragma once
// The first SceneProc, installed by the main window at start-up.
namespace tolvane {

void BootScene();

}  // namespace tolvane
