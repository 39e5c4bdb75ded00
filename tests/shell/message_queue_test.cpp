// Messages posted on another thread reach the program's thread whole and in order.
#include "game/shell/message_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tolvane {
namespace {

TEST(MessageQueue, PostsFromAnotherThreadArriveInOrderAndWakeTheLoop) {
  std::atomic<int> wakes{0};
  MessageQueue queue([&wakes] { ++wakes; });
  std::thread player([&queue] {
    for (int i = 0; i < 200; ++i) queue.Post("VONDRA", "message " + std::to_string(i));
  });
  std::vector<QueuedMessage> seen;
  while (seen.size() < 200) {
    for (QueuedMessage& m : queue.TakeAll()) seen.push_back(std::move(m));
  }
  player.join();
  EXPECT_EQ(wakes.load(), 200);
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(seen[size_t(i)].title, "VONDRA");
    EXPECT_EQ(seen[size_t(i)].text, "message " + std::to_string(i));
  }
  EXPECT_TRUE(queue.TakeAll().empty());
}

}  // namespace
}  // namespace tolvane
