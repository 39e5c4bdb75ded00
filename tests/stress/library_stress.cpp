// Stress of the shared library's C interface, run by `make stress` under ThreadSanitizer. One
// caller thread drives the interface as its contract allows (init and end, handles made,
// destroyed, stale and made up, play, inverted play, stop, fade, pause, analysis) in a seeded
// random order at random moments, while two threads call every status query without pause. The
// library plays to its recording output, whose counts show what a listener would hear.
//
// Checked: after every stop no note sounds and none came after a stop before the next song; a
// made-up or stale handle is refused; no thread stops making progress for kStuckSeconds (a
// watchdog, for deadlocks); and, by ThreadSanitizer, no data race.
//
// Usage: vondra_stress SECONDS SEED SONG.mid...
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "vondra.h"
#include "vondra_render.h"

namespace {

using Clock = std::chrono::steady_clock;

inline constexpr int kStuckSeconds = 30;  // ThreadSanitizer slows calls down many times
inline constexpr uint32_t kPeriod = 10;
inline constexpr int kMostHandles = 12;
inline constexpr int kChannels = 16;

enum Kind {
  kInit,
  kEnd,
  kCreate,
  kDestroy,
  kPlay,
  kInvertPlay,
  kStop,
  kFade,
  kPause,
  kAnalysisInit,
  kAnalysis,
  kAnalysisResults,
  kKinds
};
constexpr std::array<const char*, kKinds> kKindNames = {
    "init", "end",  "create handle", "destroy handle", "play",     "inverted play",
    "stop", "fade", "pause",         "analysis init",  "analysis", "analysis results"};
// How often each call comes, out of their sum.
constexpr std::array<int, kKinds> kWeights = {2, 1, 3, 2, 6, 3, 5, 3, 2, 1, 2, 2};

// What each thread last did, for the watchdog.
struct Progress {
  std::atomic<uint64_t> calls{0};
  std::atomic<const char*> doing{"starting"};
};

std::atomic<bool> finished{false};
// Where the answers go, so the calls are not optimised away.
thread_local volatile int64_t sink = 0;
std::atomic<uint64_t> libraryMessages{0};

void CountMessage(void*, int32_t, const char*, const char*) {
  libraryMessages.fetch_add(1, std::memory_order_relaxed);
}

// Every status query, the out-of-range channels and controllers included.
void QueryEverything(Progress& progress, bool withCounts) {
  progress.doing = "queries";
  int64_t sum = mmsGetStatus() + mmsGetTime() + mmsGetTimebase() + mmsGetMeasure() + mmsGetBeat() +
                mmsGetTicktime() + static_cast<int64_t>(mmsGetTempo());
  int32_t notes[128];
  for (int32_t ch = -1; ch <= kChannels; ++ch) {
    for (int32_t controller : {-1, 0, 7, 10, 64, 127, 128}) sum += mmsGetControl(ch, controller);
    sum += mmsGetPitchbend(ch) + mmsGetPressure(ch) + mmsGetProgram(ch) + mmsGetSendingNotes(ch) +
           mmsGetMaxSendingNotes(ch) + mmsGetMaxNoteNumber(ch) + mmsGetMinNoteNumber(ch);
    if (ch >= 0 && ch < kChannels) mmsGetNotes(ch, notes);
  }
  if (withCounts) {
    VondraRecordCounts counts{};
    vondraRecordCounts(&counts);
    sum += counts.sounding;
  }
  sink = sum;
  progress.calls.fetch_add(1, std::memory_order_relaxed);
}

class Caller {
 public:
  Caller(std::vector<std::string> songs, uint32_t seed, Progress& progress)
      : songs_(std::move(songs)),
        songPick_(SizeWeights(songs_)),
        random_(seed),
        progress_(progress) {}

  void Run(Clock::time_point end) {
    std::discrete_distribution<int> pick(kWeights.begin(), kWeights.end());
    bool stopNext = false;
    while (Clock::now() < end) {
      const int kind = stopNext ? kStop : pick(random_);
      progress_.doing = kKindNames[static_cast<size_t>(kind)];
      Call(static_cast<Kind>(kind));
      ++calls_[static_cast<size_t>(kind)];
      progress_.calls.fetch_add(1, std::memory_order_relaxed);
      // Now and then a song just started plays into its notes and is stopped there: a stop
      // picked at random seldom lands while notes sound.
      stopNext = (kind == kPlay || kind == kInvertPlay) && random_() % 8 == 0;
      if (stopNext) {
        progress_.doing = "waiting";
        std::this_thread::sleep_for(std::chrono::milliseconds(300 + random_() % 1200));
        continue;
      }
      // Mostly the next call comes at once or soon; now and then the song plays on for a while,
      // long enough to get past a stop's half second and sound.
      const uint32_t wait = random_() % 20;
      if (wait >= 10) {
        progress_.doing = "waiting";
        const uint32_t ms = wait < 17 ? random_() % 20 : 50 + random_() % 750;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
      }
    }
    progress_.doing = "closing";
    mmsStop();
    CheckAfterStop();
    mmsEnd();
    AddCounts();
    for (SongHandle handle : live_) mmsDestroyHandle(handle);
  }

  void Report() const {
    std::printf("calls by the caller:\n");
    for (size_t k = 0; k < kKinds; ++k)
      std::printf("  %-17s %10llu\n", kKindNames[k], static_cast<unsigned long long>(calls_[k]));
    std::printf(
        "stops checked: %llu (library initialised: %llu, a song playing: %llu, notes sounding: "
        "%llu)\n",
        static_cast<unsigned long long>(stopsChecked_),
        static_cast<unsigned long long>(stopsWithOutput_),
        static_cast<unsigned long long>(stopsWhilePlaying_),
        static_cast<unsigned long long>(stopsWithNotes_));
    std::printf("recorded: %llu messages, %llu note-ons, %llu silences\n",
                static_cast<unsigned long long>(messages_),
                static_cast<unsigned long long>(noteOns_),
                static_cast<unsigned long long>(silences_));
    std::printf("bad handles refused: %llu; plays started: %llu\n",
                static_cast<unsigned long long>(badHandles_),
                static_cast<unsigned long long>(started_));
  }

  int Faults() const { return faults_; }

 private:
  void Fault(const char* what) {
    ++faults_;
    std::fprintf(stderr, "vondra_stress: FAULT: %s\n", what);
  }

  // A live handle most of the time; otherwise 0, a destroyed one or a made-up one.
  SongHandle AnyHandle(bool& valid) {
    valid = !live_.empty() && random_() % 8 != 0;
    if (valid) return live_[random_() % live_.size()];
    switch (random_() % 3) {
      case 0:
        return nullptr;
      case 1:
        if (!dead_.empty()) return dead_[random_() % dead_.size()];
        [[fallthrough]];
      default:
        return reinterpret_cast<SongHandle>(uintptr_t{0x10000} + random_() % 0x10000 * 16);
    }
  }

  void Call(Kind kind) {
    bool valid = false;
    switch (kind) {
      case kInit:
        AddCounts();
        if (mmsInit(kPeriod) != 0) Fault("mmsInit failed");
        countsPending_ = true;
        initialised_ = vondraOutputReady() != 0;
        if (!initialised_) Fault("the recording output did not open");
        break;
      case kEnd:
        mmsEnd();
        AddCounts();
        initialised_ = false;
        break;
      case kCreate: {
        if (live_.size() >= kMostHandles) break;
        // Now and then a file that does not exist: no handle.
        const bool missing = random_() % 16 == 0;
        const std::string path = missing ? "/nonexistent/song.mid" : songs_[songPick_(random_)];
        SongHandle handle = mmsCreateHandle(path.c_str());
        if (missing && handle != nullptr) Fault("a handle for a file that does not exist");
        if (handle != nullptr) live_.push_back(handle);
        break;
      }
      case kDestroy: {
        SongHandle handle = AnyHandle(valid);
        mmsDestroyHandle(handle);
        if (valid) {
          std::erase(live_, handle);
          dead_.push_back(handle);
        }
        break;
      }
      case kPlay:
      case kInvertPlay: {
        SongHandle handle = AnyHandle(valid);
        // A destroyed handle's address may belong to a new handle again.
        const bool reused = !valid && IsLive(handle);
        const int32_t repeat = static_cast<int32_t>(random_() % 2);
        const int32_t result =
            kind == kPlay ? mmsPlay(handle, repeat) : mmsInvertPlay(handle, repeat);
        if (!valid && !reused) {
          if (result != 1) Fault("a bad handle was played");
          ++badHandles_;
        }
        started_ += result == 0;
        break;
      }
      case kStop:
        stopsWhilePlaying_ += mmsGetStatus() != 0;
        stopsWithNotes_ += SoundingNow();
        mmsStop();
        CheckAfterStop();
        break;
      case kFade:
        mmsFadeout(static_cast<int32_t>(random_() % 2000));
        break;
      case kPause:
        vondraPause(static_cast<int32_t>(random_() % 2));
        break;
      case kAnalysisInit:
        mmsSMFAnalysisInit();
        break;
      case kAnalysis:
        mmsSMFAnalysis(AnyHandle(valid));
        break;
      case kAnalysisResults: {
        int64_t sum = mmsSMFAnalysisGetTime() + mmsSMFAnalysisGetMeasure() +
                      mmsSMFAnalysisGetBeat() + mmsSMFAnalysisGetTicktime();
        for (const char* text : {mmsSMFAnalysisGetTextEvent(), mmsSMFAnalysisGetCopyrightNotice(),
                                 mmsSMFAnalysisGetLyric(), mmsVersion()})
          sum += text != nullptr ? static_cast<int64_t>(std::string(text).size()) : 0;
        for (int32_t entry = -1; entry <= kChannels; ++entry) {
          sum += mmsSMFAnalysisGetAverageNote(entry) + mmsSMFAnalysisGetAverageVelocity(entry) +
                 mmsSMFAnalysisGetTotalNotes(entry);
          for (const char* text :
               {mmsSMFAnalysisGetSequenceTrackname(entry), mmsSMFAnalysisGetInstrumentName(entry)})
            sum += text != nullptr ? static_cast<int64_t>(std::string(text).size()) : 0;
        }
        sink = sum;
        break;
      }
      case kKinds:
        break;
    }
  }

  bool SoundingNow() const {
    VondraRecordCounts counts{};
    return vondraRecordCounts(&counts) == 1 && counts.sounding > 0;
  }

  // Adds the counts of the output last opened, once, after it closed (or, when initialised again
  // at once, just before: the stop's last messages then go uncounted).
  void AddCounts() {
    VondraRecordCounts counts{};
    if (!countsPending_ || vondraRecordCounts(&counts) == 0) return;
    countsPending_ = false;
    messages_ += counts.messages;
    noteOns_ += counts.noteOns;
    silences_ += counts.silences;
  }

  bool IsLive(SongHandle handle) const {
    for (SongHandle live : live_)
      if (live == handle) return true;
    return false;
  }

  // Once mmsStop has returned nothing sounds, and no note came after any stop.
  void CheckAfterStop() {
    if (mmsGetStatus() != 0) Fault("still playing after mmsStop");
    VondraRecordCounts counts{};
    if (vondraRecordCounts(&counts) == 0) return;  // no output was ever opened
    ++stopsChecked_;
    stopsWithOutput_ += initialised_;
    if (counts.sounding != 0) Fault("notes sounding after a stop");
    if (counts.notesAfterStop != 0) Fault("note-ons after a stop before the next song");
  }

  // Songs are picked in proportion to their size: most test files are short, and stops while
  // notes sound come mostly from the long songs.
  static std::discrete_distribution<size_t> SizeWeights(const std::vector<std::string>& songs) {
    std::vector<double> weights;
    for (const std::string& song : songs) {
      std::error_code error;
      const auto size = std::filesystem::file_size(song, error);
      weights.push_back(error ? 1.0 : static_cast<double>(size) + 1.0);
    }
    return {weights.begin(), weights.end()};
  }

  std::vector<std::string> songs_;
  std::discrete_distribution<size_t> songPick_;
  std::mt19937 random_;
  Progress& progress_;
  std::vector<SongHandle> live_;
  std::vector<SongHandle> dead_;
  bool initialised_ = false;
  std::array<uint64_t, kKinds> calls_{};
  uint64_t stopsChecked_ = 0;
  uint64_t stopsWithOutput_ = 0;
  uint64_t stopsWhilePlaying_ = 0;
  uint64_t stopsWithNotes_ = 0;
  bool countsPending_ = false;
  uint64_t messages_ = 0;
  uint64_t noteOns_ = 0;
  uint64_t silences_ = 0;
  uint64_t badHandles_ = 0;
  uint64_t started_ = 0;
  int faults_ = 0;
};

// Ends the process when a thread has made no progress for kStuckSeconds.
void Watch(const std::array<Progress, 3>& progress) {
  const std::array<const char*, 3> names = {"caller", "query thread 1", "query thread 2"};
  std::array<uint64_t, 3> last{};
  std::array<Clock::time_point, 3> since;
  since.fill(Clock::now());
  while (!finished) {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    for (size_t t = 0; t < progress.size(); ++t) {
      const uint64_t calls = progress[t].calls.load();
      if (calls != last[t]) {
        last[t] = calls;
        since[t] = Clock::now();
      } else if (Clock::now() - since[t] > std::chrono::seconds(kStuckSeconds)) {
        std::fprintf(stderr, "vondra_stress: FAULT: the %s is stuck in %s for %d s\n", names[t],
                     progress[t].doing.load(), kStuckSeconds);
        std::_Exit(3);
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: vondra_stress SECONDS SEED SONG.mid...\n");
    return 2;
  }
  const int seconds = std::atoi(argv[1]);
  const auto seed = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
  setenv("VONDRA_OUTPUT", "record", 1);
  vondraSetMessageHandler(CountMessage, nullptr);

  std::array<Progress, 3> progress;
  Caller caller(std::vector<std::string>(argv + 3, argv + argc), seed, progress[0]);
  std::thread watchdog(Watch, std::cref(progress));
  std::vector<std::thread> queries;
  for (size_t t = 1; t <= 2; ++t)
    queries.emplace_back([&progress, t] {
      while (!finished) QueryEverything(progress[t], t == 2);
    });

  caller.Run(Clock::now() + std::chrono::seconds(seconds));
  finished = true;
  for (auto& thread : queries) thread.join();
  watchdog.join();

  std::printf("vondra_stress: %d s, seed %u, %d songs\n", seconds, seed, argc - 3);
  caller.Report();
  std::printf("query rounds (every status query, 18 channels): %llu and %llu\n",
              static_cast<unsigned long long>(progress[1].calls.load()),
              static_cast<unsigned long long>(progress[2].calls.load()));
  std::printf("library messages: %llu\n", static_cast<unsigned long long>(libraryMessages.load()));
  std::printf("faults: %d\n", caller.Faults());
  return caller.Faults() == 0 ? 0 : 1;
}
