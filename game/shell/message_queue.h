#pragma once
// Messages that arrive on another thread (the sequencer library's player thread) and
// must be shown on the program's thread: posted from anywhere, taken by the main loop.
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tolvane {

struct QueuedMessage {
  std::string title;
  std::string text;
};

class MessageQueue {
 public:
  // wake: called after each post, from the posting thread, to rouse the main loop.
  explicit MessageQueue(std::function<void()> wake = {}) : wake_(std::move(wake)) {}

  void Post(std::string title, std::string text);
  // Everything posted so far, oldest first; the queue is empty afterwards.
  std::vector<QueuedMessage> TakeAll();

 private:
  std::function<void()> wake_;
  std::mutex lock_;
  std::deque<QueuedMessage> messages_;
};

}  // namespace tolvane
