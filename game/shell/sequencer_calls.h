#pragma once
// The sequencer library calls the main window makes at start-up and shut-down, as a
// table so tests can watch their order without the library.
#include <cstdint>

#include "vondra.h"

namespace tolvane {

class MessageQueue;

struct SequencerCalls {
  int32_t (*init)(uint32_t period);
  void (*destroyHandle)(SongHandle handle);
  void (*stop)();
  int32_t (*end)();
  // Non-zero holds the music where it is (its notes silenced); zero goes on from there.
  void (*pause)(int32_t paused);
};

// The library's own exports (programs only; tests pass their own table). Its start names the
// game's SoundFont first.
SequencerCalls LibrarySequencerCalls();

// Routes the library's messages into the queue, to be shown on the program's thread
// (null: back to the library's default, standard error). The queue must outlive it.
void RouteLibraryMessages(MessageQueue* queue);

}  // namespace tolvane
