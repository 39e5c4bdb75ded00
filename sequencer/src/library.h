#pragma once
// The one library instance behind the C interface: handles, player, analysis and the message
// handler. Tests reach it to install a platform of their own before mmsInit.
#include "sequencer/src/analysis.h"
#include "sequencer/src/analysis_entry.h"
#include "sequencer/src/messages.h"
#include "sequencer/src/player.h"
#include "sequencer/src/song_handles.h"

namespace vondra {

struct Library {
  Library();

  HandlerSink messages;
  AnalysisEntries analysisEntries{};
  Analysis analysis{analysisEntries};
  SongHandles handles;
  Player player;
  char versionText[256] = {};
};

Library& TheLibrary();

}  // namespace vondra
