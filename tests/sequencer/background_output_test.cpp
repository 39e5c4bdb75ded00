// An output that opens in the background: a song asked for before it is open begins once it
// is, from its beginning, with nothing lost and nothing left sounding.
#include "sequencer/midiout/background_output.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "sequencer/src/player.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/fake_clock.h"
#include "tests/sequencer/support/smf_builder.h"

namespace vondra {
namespace {

using testing::BuildSmf;
using testing::TrackBuilder;

// Holds the opening back until the test lets it go.
class Gate {
 public:
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  void Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return open_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
};

TEST(BackgroundOutput, ASongAskedForBeforeTheOutputIsOpenBeginsWhenItIs) {
  testing::FakeClock clock;
  testing::RecordingSink sink;
  AnalysisEntries analysis{};
  Gate gate;
  auto recorder = std::make_shared<RecordingOutput>();
  BackgroundOutput* background = nullptr;
  Player player(Platform{&clock,
                         [&] {
                           auto made = std::make_unique<BackgroundOutput>(
                               [&]() -> std::unique_ptr<MidiOutput> {
                                 gate.Wait();
                                 return std::make_unique<testing::ForwardingOutput>(recorder);
                               });
                           background = made.get();
                           return made;
                         },
                         false},
                sink, analysis);
  recorder->SetStamp(
      [&] { return std::pair<uint32_t, int64_t>(clock.Now(), player.engine().TickCountNow()); });
  ASSERT_EQ(player.Init(10), 0);  // at once, with the output still opening
  EXPECT_FALSE(background->Ready());

  const auto song = BuildSmf({TrackBuilder()
                                  .NoteOn(0, 0, 60, 100)
                                  .NoteOff(10, 0, 60)
                                  .NoteOn(0, 1, 64, 90)
                                  .NoteOff(10, 1, 64)
                                  .End()});
  ASSERT_EQ(player.Play(&song, &song, 0, 0), 0);
  for (int wake = 0; wake < 100; ++wake) {
    clock.Advance(5);
    player.Step(clock.Now());
  }
  EXPECT_EQ(player.engine().Status(), 1);  // playing, held back
  EXPECT_EQ(player.engine().Time(), 0);
  EXPECT_EQ(recorder->Count(), 0u);

  gate.Open();
  while (!background->Ready()) std::this_thread::yield();
  const uint32_t ready = clock.Now();
  while (player.engine().IsPlaying() || player.engine().StopPending()) {
    clock.Advance(5);
    player.Step(clock.Now());
  }
  const auto sent = recorder->Messages();
  ASSERT_GE(sent.size(), 4u + 48u);
  EXPECT_EQ(testing::BytesOf({sent.begin(), sent.begin() + 4}),
            (std::vector<std::vector<uint8_t>>{
                {0x90, 60, 100}, {0x80, 60, 64}, {0x91, 64, 90}, {0x81, 64, 64}}));
  EXPECT_EQ(sent[0].tick, 1);  // from its beginning
  EXPECT_EQ(sent[0].ideal, 0.0);
  EXPECT_EQ(sent[0].time - ready, 10u);  // begun at the first wake, played at the next
  EXPECT_TRUE(recorder->SoundingNotes().empty());
  EXPECT_EQ(recorder->Songs(), 1);
  EXPECT_EQ(player.End(), 0);
  EXPECT_TRUE(recorder->Closed());
}

}  // namespace
}  // namespace vondra
