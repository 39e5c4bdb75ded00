// Playback timing with the real clock and the real player thread. First each note message's send
// time against its ideal song time, the drift from the start of the song to its end, and the
// player thread's CPU time; then the sounding time: a click track played live through the
// built-in synthesizer into a capture sink that pulls the audio in real time, each click found
// in the audio against its ideal time plus the latency. Usage: vondra_timing_bench [--seconds N]
// (default 60).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "sequencer/include/vondra.h"
#include "sequencer/midiout/fluidsynth_output.h"
#include "sequencer/midiout/recording_output.h"
#include "sequencer/src/library.h"
#include "tests/sequencer/support/click_track.h"
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
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(p * (values.size() - 1))];
}

double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (double x : values) sum += x;
  return values.empty() ? 0.0 : sum / values.size();
}

// Pulls the synthesizer's audio as a sound card's driver would, a period of one synthesizer
// block at a time in real time, and keeps it: frame f sounds at start + f / rate.
class CaptureSink {
 public:
  static constexpr int kPeriodFrames = 64;

  explicit CaptureSink(vondra::FluidSynthOutput& synth) : synth_(synth) {
    start_ = Clock::now();
    thread_ = std::thread([this] {
      std::vector<float> left(kPeriodFrames), right(kPeriodFrames);
      for (int64_t period = 0; !quit_.load(); ++period) {
        synth_.Pull(left.data(), right.data(), kPeriodFrames);
        for (int i = 0; i < kPeriodFrames; ++i)
          audio_.push_back(std::fabs(left[i]) + std::fabs(right[i]));
        std::this_thread::sleep_until(
            start_ + std::chrono::microseconds((period + 1) * kPeriodFrames * 1000000 /
                                               vondra::kSynthSampleRate));
      }
    });
  }
  ~CaptureSink() { Stop(); }
  void Stop() {
    quit_.store(true);
    if (thread_.joinable()) thread_.join();
  }
  Clock::time_point Start() const { return start_; }
  const std::vector<float>& Audio() const { return audio_; }

 private:
  vondra::FluidSynthOutput& synth_;
  Clock::time_point start_;
  std::atomic<bool> quit_{false};
  std::thread thread_;
  std::vector<float> audio_;
};

// Each click's sounding time against its ideal time plus the latency, in ms; empty without a
// SoundFont.
std::vector<double> SoundingErrors(double seconds, double& latency) {
  const int repeats = std::max(1, static_cast<int>(seconds / 9.9 + 0.5));
  const auto song = vondra::testing::ClickTrack(repeats);
  const auto ideal = vondra::testing::ClickTimes(repeats);
  vondra::FluidSynthOutput* synth = nullptr;
  vondra::SystemClock systemClock;
  vondra::TheLibrary().player.SetPlatform(vondra::Platform{
      &systemClock,
      [&synth]() -> std::unique_ptr<vondra::MidiOutput> {
        auto made = vondra::FluidSynthOutput::Open(vondra::FluidSynthOutput::Mode::kPulled);
        synth = made.get();
        return made;
      },
      true});
  if (mmsInit(kPeriod) != 0 || !synth) return {};
  latency = synth->Schedule().LatencyMs();
  CaptureSink sink(*synth);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  SongHandle handle = vondra::TheLibrary().handles.Adopt(song);
  mmsPlay(handle, 0);
  const Clock::time_point played = Clock::now();
  while (mmsGetStatus() != 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  sink.Stop();
  mmsDestroyHandle(handle);
  mmsEnd();

  // A click starts where the level first passes the threshold, 50 ms or more after the last.
  const auto& audio = sink.Audio();
  const double offset = std::chrono::duration<double, std::milli>(played - sink.Start()).count();
  std::vector<double> errors;
  size_t next = 0;
  int64_t last = -1000000;
  for (size_t frame = 0; frame < audio.size() && next < ideal.size(); ++frame) {
    if (audio[frame] < 0.03f || int64_t(frame) - last < vondra::kSynthSampleRate / 20) continue;
    last = int64_t(frame);
    const double ms = frame * 1000.0 / vondra::kSynthSampleRate - offset;
    errors.push_back(ms - (ideal[next++] + latency));
  }
  return errors;
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

  double latency = 0;
  const std::vector<double> sounding = SoundingErrors(seconds, latency);
  if (sounding.empty()) {
    std::printf("sounding time: no SoundFont, not measured\n");
    return 0;
  }
  // The play call lands somewhere within the sink's period: that shifts the whole song by a
  // constant, which the spread around the median leaves out.
  const double median = Percentile(sounding, 0.5);
  std::vector<double> spread;
  for (double error : sounding) spread.push_back(std::fabs(error - median));
  const auto tenth = static_cast<std::ptrdiff_t>(sounding.size() / 10);
  const std::vector<double> first(sounding.begin(), sounding.begin() + tenth);
  const std::vector<double> last(sounding.end() - tenth, sounding.end());
  std::printf("\n%zu clicks, latency %.1f ms (+ the sink's %d-frame period)\n", sounding.size(),
              latency, CaptureSink::kPeriodFrames);
  std::printf("%-40s %8s %8s %8s\n", "(ms)", "median", "p99", "max");
  std::printf("%-40s %8.2f %8.2f %8.2f\n", "send time - ideal", Percentile(errors, 0.5),
              Percentile(errors, 0.99), Percentile(errors, 1.0));
  std::printf("%-40s %8.2f %8.2f %8.2f\n", "sounding - (ideal + latency)", median,
              Percentile(sounding, 0.99), Percentile(sounding, 1.0));
  std::printf("%-40s %8.3f %8.3f %8.3f\n", "|sounding - its median|", Percentile(spread, 0.5),
              Percentile(spread, 0.99), Percentile(spread, 1.0));
  std::printf("sounding drift: mean error first tenth %.3f ms, last tenth %.3f ms\n", Mean(first),
              Mean(last));
  return 0;
}
