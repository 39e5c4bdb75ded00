// The replays folder: saved replays are listed newest first; the newest 20 and the 10 best
// stay, others go, and files that are not replays are never touched. A folder that cannot be
// written says so, naming the file, and removes nothing.
#include "game/replay/replay_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>

#include "game/replay/replay_texts.h"
#include "tests/support/scratch_folder.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

Replay Dated(int32_t day, int32_t minute, int32_t score) {
  Replay r;
  r.date = {2024, 3, day, 12, minute, 0};
  r.finalScore = score;
  r.frames = 1;
  r.start.frameCount = 1;
  r.runs = {{0, 1}};
  return r;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

TEST(ReplayStore, ListsNewestFirstAndReadsFilesWithTheirFaultsNamed) {
  ScratchFolder folder;
  const ReplayStore store((folder / "replays").string());
  std::string message;
  const std::string first = store.Save(Dated(1, 0, 500), &message);
  const std::string second = store.Save(Dated(2, 0, 100), &message);
  const std::string sameSecond = store.Save(Dated(2, 0, 300), &message);
  ASSERT_TRUE(message.empty()) << message;
  EXPECT_EQ(fs::path(first).filename(), "20240301-120000.tvr");
  EXPECT_EQ(fs::path(sameSecond).filename(), "20240302-120000-2.tvr");

  const std::vector<KeptReplay> kept = store.List();
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0].path, sameSecond);
  EXPECT_EQ(kept[1].path, second);
  EXPECT_EQ(kept[2].finalScore, 500);

  std::ofstream(folder / "replays" / "notes.tvr") << "not a replay";
  EXPECT_EQ(store.List().size(), 3u) << "a foreign file is not listed";
  const auto foreign = ReadReplayFile((folder / "replays" / "notes.tvr").string());
  ASSERT_TRUE(std::holds_alternative<std::string>(foreign));
  EXPECT_THAT(std::get<std::string>(foreign), HasSubstr(kNotAReplay));
  EXPECT_THAT(std::get<std::string>(foreign), HasSubstr("notes.tvr"));
  const auto missing = ReadReplayFile((folder / "gone.tvr").string());
  EXPECT_THAT(std::get<std::string>(missing), HasSubstr(kCannotReadReplay));
  EXPECT_THAT(std::get<std::string>(missing), HasSubstr("gone.tvr"));
}

TEST(ReplayStore, KeepsTheNewestTwentyAndTheTenBest) {
  ScratchFolder folder;
  const ReplayStore store(folder.path().string());
  std::ofstream(folder / "mine.txt") << "left alone";
  std::ofstream(folder / "broken.tvr") << "TOLVRPLY";
  std::string message;
  // 35 games, one a day; the score is highest for the oldest.
  for (int32_t day = 1; day <= 35; ++day) store.Save(Dated(day, 0, 10000 - day), &message);
  ASSERT_TRUE(message.empty()) << message;

  const std::set<std::string> names = Names(folder.path());
  EXPECT_EQ(names.size(), 30u + 2u);
  EXPECT_TRUE(names.count("mine.txt") == 1 && names.count("broken.tvr") == 1);
  for (int32_t day = 1; day <= 35; ++day) {
    char name[32];
    std::snprintf(name, sizeof name, "202403%02d-120000.tvr", day);
    const bool wanted = day <= 10 || day > 15;
    EXPECT_EQ(names.count(name) == 1, wanted) << name;
  }
}

TEST(ReplayStore, AFolderThatCannotBeWrittenSaysSoAndRemovesNothing) {
  ScratchFolder folder;
  std::ofstream(folder / "replays") << "a file where the folder should be";
  std::string message;
  ReplayStore(folder.path() / "replays" / "more").Save(Dated(1, 0, 1), &message);
  EXPECT_THAT(message, HasSubstr(kCannotSaveReplay));
  EXPECT_THAT(message, HasSubstr((folder.path() / "replays" / "more").string()));

  // A full disk: the write stops short of the end.
  const ReplayStore store(folder.path() / "kept");
  for (int32_t day = 1; day <= 25; ++day) store.Save(Dated(day, 0, day), &message);
  const std::set<std::string> before = Names(folder.path() / "kept");
  Replay large = Dated(28, 0, 1);
  large.start.leftovers[0].work.fill(123456789);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 100;
  ::setrlimit(RLIMIT_FSIZE, &small);
  message.clear();
  store.Save(large, &message);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_THAT(message, HasSubstr(kCannotSaveReplay));
  EXPECT_THAT(message, HasSubstr("20240328-120000.tvr"));
  EXPECT_EQ(Names(folder.path() / "kept"), before) << "nothing removed, no temporary left";
}

}  // namespace
}  // namespace tolvane
