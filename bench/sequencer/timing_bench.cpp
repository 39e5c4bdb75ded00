// Playback timing with the real clock and the real player thread: each note message's send time
// against its ideal song time, the drift from the start of the song to its end, and the player
// thread's CPU time. Usage: vondra_timing_bench [--seconds N] (default 60).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "sequencer/include/vondra.h"
#include "sequencer/midiout/recording_output.h"
#include "sequencer/src/library.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/smf_builder.h"

namespace {

using Clock = std::chrono::steady_clock;
using vondra::testing::TrackBuilder;

constexpr int kTimebase = 480;
constexpr uint32_t kFirstTempo = 500000;   // 120 a minute: 1.0417 ms a tick
constexpr uint32_t kSecondTempo = 400000;  // 150 a minute from halfway
constexpr uint32_t kNoteTicks = 240;       // an eighth note
constexpr uint32_t kPeriod = 10;

double TickMs(uint32_t tempo) {
  return tempo / 1000.0 / kTimebase;
}

struct Song {
  std::vector<uint8_t> image;
  uint32_t changeTick;  // where the second tempo starts
};

// Four channels of eighth notes for about `seconds` seconds, the tempo changing halfway.
Song BuildSong(double seconds) {
  const auto firstTicks = static_cast<uint32_t>(seconds / 2 * 1000 / TickMs(kFirstTempo));
  const auto secondTicks = static_cast<uint32_t>(seconds / 2 * 1000 / TickMs(kSecondTempo));
  const uint32_t change = firstTicks / kNoteTicks * kNoteTicks;
  const uint32_t total = change + secondTicks / kNoteTicks * kNoteTicks;
  TrackBuilder conductor;
  conductor.Tempo(0, kFirstTempo).Tempo(change, kSecondTempo).End(total - change);
  TrackBuilder notes;
  notes.Program(0, 0, 0);
  for (uint32_t tick = 0; tick < total; tick += kNoteTicks) {
    for (int channel = 0; channel < 4; ++channel) {
      notes.NoteOn(0, channel, 48 + channel * 5 + (tick / kNoteTicks) % 12, 90);
    }
    for (int channel = 0; channel < 4; ++channel) {
      notes.NoteOff(channel == 0 ? kNoteTicks : 0, channel,
                    48 + channel * 5 + (tick / kNoteTicks) % 12);
    }
  }
  return {vondra::testing::BuildSmf({conductor, notes.End()},
                                    vondra::testing::SmfOptions{.division = kTimebase}),
          change};
}

// Song time of a tick, with the engine's rule that a tick lasts by the tempo after its events.
double IdealMs(int64_t tick, uint32_t changeTick) {
  const int64_t first = std::min<int64_t>(tick, changeTick);
  return first * TickMs(kFirstTempo) +
         std::max<int64_t>(0, tick - changeTick) * TickMs(kSecondTempo);
}

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(p * (values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 60;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atof(argv[i + 1]);
  }
  const Song song = BuildSong(seconds);

  const auto start = std::make_shared<Clock::time_point>();
  auto recorder = std::make_shared<vondra::RecordingOutput>([start] {
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - *start);
    return std::pair<uint32_t, int64_t>(static_cast<uint32_t>(us.count()),
                                        vondra::TheLibrary().player.engine().TickCountNow());
  });
  vondra::SystemClock systemClock;
  vondra::TheLibrary().player.SetPlatform(vondra::Platform{
      &systemClock,
      [recorder] { return std::make_unique<vondra::testing::ForwardingOutput>(recorder); }, true});
  if (mmsInit(kPeriod) != 0) return 1;
  SongHandle handle = vondra::TheLibrary().handles.Adopt(song.image);

  *start = Clock::now();
  const double cpuBefore = vondra::TheLibrary().player.ThreadCpuSeconds();
  mmsPlay(handle, 0);
  while (mmsGetStatus() != 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const double wall = std::chrono::duration<double>(Clock::now() - *start).count();
  const double cpu = vondra::TheLibrary().player.ThreadCpuSeconds() - cpuBefore;

  // Errors of note messages; a track that starts at tick 0 plays tick t in pass t + 1.
  std::vector<double> errors;
  std::vector<double> early, late;
  for (const auto& message : recorder->Messages()) {
    const uint8_t kind = message.Status() & 0xF0;
    if (kind != 0x90 && kind != 0x80) continue;
    const double ideal = IdealMs(message.tick - 1, song.changeTick);
    const double error = message.time / 1000.0 - ideal;
    errors.push_back(error);
    if (ideal < 5000) early.push_back(error);
    if (ideal > seconds * 1000 - 5000) late.push_back(error);
  }
  auto mean = [](const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0.0 : sum / v.size();
  };
  std::printf("song %.1f s, %zu note messages, period %u ms\n", wall, errors.size(), kPeriod);
  std::printf("send time - ideal song time (ms): median %.2f  p99 %.2f  max %.2f  min %.2f\n",
              Percentile(errors, 0.5), Percentile(errors, 0.99), Percentile(errors, 1.0),
              Percentile(errors, 0.0));
  std::printf("drift: mean error first 5 s %.2f ms, last 5 s %.2f ms (difference %.2f ms)\n",
              mean(early), mean(late), mean(late) - mean(early));
  std::printf("player thread CPU: %.3f s of %.1f s = %.3f %% of one core\n", cpu, wall,
              100.0 * cpu / wall);

  mmsDestroyHandle(handle);
  mmsEnd();
  return 0;
}
