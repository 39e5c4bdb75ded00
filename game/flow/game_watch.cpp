#include "game/flow/game_watch.h"

namespace tolvane {

GameStartWatch OnGameStart = nullptr;
TitleWatch OnTitle = nullptr;
bool StoreHighScores = true;

void ResetGameWatch() {
  OnGameStart = nullptr;
  OnTitle = nullptr;
  StoreHighScores = true;
}

}  // namespace tolvane
