#include "game/shell/game_sound_font.h"
#include "game/shell/message_queue.h"
#include "game/shell/sequencer_calls.h"
#include "vondra.h"

namespace tolvane {
namespace {

// Called on whichever thread met the problem: only queue it.
void PostLibraryMessage(void* user, int32_t /*kind*/, const char* title, const char* text) {
  static_cast<MessageQueue*>(user)->Post(title != nullptr ? title : "",
                                         text != nullptr ? text : "");
}

int32_t InitWithGameSoundFont(uint32_t period) {
  NameGameSoundFont();
  return mmsInit(period);
}

}  // namespace

SequencerCalls LibrarySequencerCalls() {
  return {&InitWithGameSoundFont, &mmsDestroyHandle, &mmsStop, &mmsEnd, &vondraPause};
}

void RouteLibraryMessages(MessageQueue* queue) {
  if (queue != nullptr) {
    vondraSetMessageHandler(&PostLibraryMessage, queue);
  } else {
    vondraSetMessageHandler(nullptr, nullptr);
  }
}

}  // namespace tolvane
