// Start-up time of the game in a virtual X server: from the moment the program is started to
// the first frame of the splash and to the first frame of the main window, music on, once with
// each SoundFont the machine has. A warm-up run fills the file cache; then the median of
// `--runs` (9) runs is printed for every step the preloaded probe marks, with each step's share
// and the CPU time the program spent on it (the part of the wall time a busy machine cannot
// inflate much).
// Usage: startup_bench [--runs N] [--game PATH]
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
// When the program reached a step: ms since it was started, and CPU ms it had used by then.
struct Mark {
  double wall = 0;
  double cpu = 0;
};
using Marks = std::map<std::string, Mark>;

constexpr const char* kFinalStep = "main-frame";
constexpr auto kRunTimeout = std::chrono::seconds(30);
constexpr auto kPoll = std::chrono::milliseconds(2);

int64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

// A virtual X server of our own, so every run sees the same empty screen. It is told not to
// reset when its last client leaves: a desktop's server always has other clients (the window
// manager, the panel) and never does, while a reset (its keyboard map compiled again by another
// program) right after each run would keep the next run's first connection waiting for up to a
// tenth of a second.
class VirtualServer {
 public:
  VirtualServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      const int quiet = open("/dev/null", O_WRONLY);
      dup2(quiet, STDERR_FILENO);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
             "tcp", "-noreset", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    char number[32] = {};
    ssize_t got = 0;
    for (ssize_t n; got < ssize_t(sizeof number) - 1 &&
                    (n = read(fds[0], number + got, sizeof number - 1 - size_t(got))) > 0;) {
      got += n;
      if (std::memchr(number, '\n', size_t(got)) != nullptr) break;
    }
    close(fds[0]);
    if (got > 0) display_ = ":" + std::string(number, std::strcspn(number, "\n"));
  }
  ~VirtualServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

Marks ReadMarks(const fs::path& file, int64_t startNs) {
  Marks marks;
  std::ifstream in(file);
  std::string step;
  int64_t ns = 0, cpuNs = 0;
  while (in >> step >> ns >> cpuNs) {
    marks.emplace(step, Mark{double(ns - startNs) / 1e6, double(cpuNs) / 1e6});
  }
  return marks;
}

// One start of the game, ended (as a window manager would close it) once its first frame is up.
std::optional<Marks> RunOnce(const std::string& game, const std::string& probe,
                             const std::string& display, const std::string& soundFont,
                             const fs::path& scratch) {
  const fs::path marksFile = scratch / "marks.txt";
  fs::remove(marksFile);
  const int64_t start = MonotonicNs();
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("DISPLAY", display.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("VONDRA_OUTPUT");  // the built-in synthesizer: music on
    setenv("VONDRA_SOUNDFONT", soundFont.c_str(), 1);
    setenv("XDG_DATA_HOME", scratch.c_str(), 1);
    setenv("LD_PRELOAD", probe.c_str(), 1);
    setenv("STARTUP_PROBE_OUT", marksFile.c_str(), 1);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execl(game.c_str(), game.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  Marks marks;
  const auto deadline = std::chrono::steady_clock::now() + kRunTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    marks = ReadMarks(marksFile, start);
    if (marks.count(kFinalStep) != 0 || waitpid(pid, nullptr, WNOHANG) == pid) break;
    std::this_thread::sleep_for(kPoll);
  }
  kill(pid, SIGTERM);
  for (int i = 0; i < 500 && waitpid(pid, nullptr, WNOHANG) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
  if (marks.count(kFinalStep) == 0) return std::nullopt;
  return marks;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Report(const std::string& soundFont, const std::vector<Marks>& runs) {
  std::map<std::string, std::vector<double>> wall, cpu;
  for (const Marks& run : runs) {
    for (const auto& [step, mark] : run) {
      wall[step].push_back(mark.wall);
      cpu[step].push_back(mark.cpu);
    }
  }
  std::vector<std::pair<double, std::string>> steps;
  for (const auto& [step, values] : wall) steps.emplace_back(Median(values), step);
  std::sort(steps.begin(), steps.end());
  const double total = steps.back().first;
  std::printf("\n%s: median of %zu runs\n", fs::path(soundFont).filename().c_str(), runs.size());
  std::printf("  %-14s %9s %9s %7s %9s\n", "step", "at ms", "took ms", "share", "cpu ms");
  double before = 0.0, cpuBefore = 0.0;
  for (const auto& [at, step] : steps) {
    const double cpuAt = Median(cpu[step]);
    std::printf("  %-14s %9.1f %9.1f %6.1f%% %9.1f\n", step.c_str(), at, at - before,
                100.0 * (at - before) / total, cpuAt - cpuBefore);
    before = at;
    cpuBefore = cpuAt;
  }
  for (const char* step : {"splash-frame", kFinalStep}) {
    if (wall.count(step) == 0) continue;
    const std::vector<double>& v = wall[step];
    const auto [low, high] = std::minmax_element(v.begin(), v.end());
    std::printf("  start -> %s: %.1f ms (%.1f..%.1f), cpu %.1f ms\n", step, Median(v), *low, *high,
                Median(cpu[step]));
  }
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 9;
  std::string game = TOLVANE_GAME_PROGRAM;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--game") == 0) game = argv[i + 1];
  }
  std::vector<std::string> soundFonts;
  for (const char* font :
       {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
    if (fs::exists(font)) soundFonts.push_back(font);
  }
  if (soundFonts.empty()) soundFonts.push_back("");

  VirtualServer server;
  if (server.Display().empty()) {
    std::fprintf(stderr, "startup_bench: cannot start Xvfb\n");
    return 1;
  }
  const fs::path scratch =
      fs::temp_directory_path() / ("startup_bench." + std::to_string(getpid()));
  fs::create_directories(scratch);
  std::printf("game %s, %d runs each, load average before: %s\n", game.c_str(), runs,
              LoadAverage().c_str());
  int status = 0;
  for (const std::string& font : soundFonts) {
    std::vector<Marks> results;
    RunOnce(game, TOLVANE_STARTUP_PROBE, server.Display(), font, scratch);  // warms the cache
    for (int i = 0; i < runs; ++i) {
      if (auto marks = RunOnce(game, TOLVANE_STARTUP_PROBE, server.Display(), font, scratch)) {
        results.push_back(*marks);
      }
    }
    if (results.empty()) {
      std::printf("\n%s: the main window never showed a frame\n", font.c_str());
      status = 1;
      continue;
    }
    Report(font, results);
  }
  std::printf("\nload average after: %s\n", LoadAverage().c_str());
  fs::remove_all(scratch);
  return status;
}
