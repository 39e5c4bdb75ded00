// The ALSA output without a sequencer: the events it hands over for the click track carry
// queue timestamps of their ideal time plus the latency, and a stop takes back what waits.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "sequencer/midiout/alsa_output.h"
#include "sequencer/src/player.h"
#include "tests/sequencer/support/click_track.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/fake_clock.h"

namespace vondra {
namespace {

inline constexpr int64_t kQueueOffset = 123456789;  // queue time at clock time 0, in ns

struct Handed {
  std::vector<snd_seq_event_t> events;
  int drops = 0;
};

class FakeLink final : public AlsaLink {
 public:
  FakeLink(testing::FakeClock& clock, std::shared_ptr<Handed> handed)
      : clock_(clock), handed_(std::move(handed)) {}
  int64_t QueueTime() override { return kQueueOffset + int64_t{clock_.Now()} * 1000000; }
  int Output(snd_seq_event_t& event) override {
    handed_->events.push_back(event);
    return 0;
  }
  void DropWaiting() override { ++handed_->drops; }
  bool Close() override { return true; }
  int Queue() const override { return 3; }
  int Port() const override { return 0; }

 private:
  testing::FakeClock& clock_;
  std::shared_ptr<Handed> handed_;
};

int64_t Stamp(const snd_seq_event_t& event) {
  return int64_t{event.time.time.tv_sec} * 1000000000 + event.time.time.tv_nsec;
}

TEST(AlsaQueue, ClickTrackEventsAreStampedWithTheirIdealTimePlusTheLatency) {
  testing::FakeClock clock(5000);
  testing::RecordingSink sink;
  AnalysisEntries analysis{};
  auto handed = std::make_shared<Handed>();
  Player player(Platform{&clock,
                         [&] {
                           return std::make_unique<AlsaOutput>(
                               std::make_unique<FakeLink>(clock, handed), "test");
                         },
                         false},
                sink, analysis);
  ASSERT_EQ(player.Init(10), 0);
  const auto song = testing::ClickTrack(1);
  const int64_t origin = kQueueOffset + int64_t{clock.Now()} * 1000000;
  ASSERT_EQ(player.Play(&song, &song, 0, 0), 0);
  const int dropsAtPlay = handed->drops;
  while (player.engine().IsPlaying()) {
    clock.Advance(5);
    player.Step(clock.Now());
  }

  std::vector<int64_t> stamps;
  for (const auto& event : handed->events) {
    if (event.type != SND_SEQ_EVENT_NOTEON) continue;
    EXPECT_EQ(event.queue, 3);
    EXPECT_FALSE(event.flags & SND_SEQ_TIME_STAMP_TICK);
    EXPECT_EQ(event.dest.client, SND_SEQ_ADDRESS_SUBSCRIBERS);
    stamps.push_back(Stamp(event));
  }
  const auto ideal = testing::ClickTimes(1);
  ASSERT_EQ(stamps.size(), ideal.size());
  for (size_t i = 0; i < ideal.size(); ++i) {
    const double expected = origin + (ideal[i] + 20.0) * 1e6;  // two periods of latency
    EXPECT_LE(std::fabs(stamps[i] - expected), 1000.0) << i;   // within a microsecond
  }
  EXPECT_EQ(handed->drops, dropsAtPlay);  // the song's own end takes nothing back

  // A stop from the caller takes back what waits and switches the notes that sound off at once.
  handed->events.clear();
  ASSERT_EQ(player.Play(&song, &song, 0, 0), 0);
  clock.Advance(600);  // past the first stop's messages, into the song
  do {
    clock.Advance(5);
    player.Step(clock.Now());
  } while (handed->events.empty() || handed->events.back().type != SND_SEQ_EVENT_NOTEON);
  clock.Advance(25);  // that click has been delivered, its note-off not yet
  const size_t before = handed->events.size();
  const int drops = handed->drops;
  player.Stop();
  EXPECT_EQ(handed->drops, drops + 1);
  ASSERT_GT(handed->events.size(), before);
  const auto& off = handed->events[before];
  EXPECT_EQ(off.type, SND_SEQ_EVENT_NOTEOFF);
  EXPECT_EQ(off.data.note.note, testing::kClickNote);
  EXPECT_EQ(off.queue, SND_SEQ_QUEUE_DIRECT);
  player.End();
}

}  // namespace
}  // namespace vondra
