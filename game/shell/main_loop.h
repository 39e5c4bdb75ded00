#pragma once
// The window's message loop: waits for events until the frame timer's next tick is due
// (never spinning), handles them, shows the library's queued messages, and lets the
// timer tick. Returns when the main window closes.
namespace pres {
class FrameTimer;
}

namespace tolvane {

class MessageQueue;
class SdlFormHost;

void RunMessageLoop(SdlFormHost& host, pres::FrameTimer& timer, MessageQueue& libraryMessages);

}  // namespace tolvane
