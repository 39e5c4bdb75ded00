#include "game/shell/message_queue.h"

namespace tolvane {

void MessageQueue::Post(std::string title, std::string text) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    messages_.push_back({std::move(title), std::move(text)});
  }
  if (wake_) wake_();
}

std::vector<QueuedMessage> MessageQueue::TakeAll() {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<QueuedMessage> taken(messages_.begin(), messages_.end());
  messages_.clear();
  return taken;
}

}  // namespace tolvane
