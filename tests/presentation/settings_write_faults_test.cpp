// The settings file under faults while saving: a process killed at random moments of a save
// loop, a file-size limit reached part way, and data folders and paths that cannot be used.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "presentation/settings_file.h"
#include "tests/support/scratch_folder.h"

namespace pres {
namespace {

namespace fs = std::filesystem;

constexpr char kSection[] = "Tolvane Echo";

std::vector<SettingsFile::KeyValue> Table(const std::string& name, int score) {
  std::vector<SettingsFile::KeyValue> table;
  for (int n = 0; n < 10; ++n)
    table.emplace_back("RANK" + std::to_string(n),
                       name + " " + std::to_string(score - n) + " 2031 4 7");
  return table;
}

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The text a save of `table` leaves in a fresh file.
std::string SavedText(const fs::path& folder, const std::vector<SettingsFile::KeyValue>& table) {
  const fs::path path = folder / "reference.ini";
  SettingsFile s(path.string());
  EXPECT_TRUE(s.WriteStrings(kSection, table)) << s.LastError();
  std::string text = Contents(path);
  fs::remove(path);
  return text;
}

// Runs `body` in a child process as an unprivileged user (root may write anything) and
// returns its exit code.
template <typename Body>
int AsNobody(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::geteuid() == 0 && ::setuid(65534) != 0) _exit(90);
    _exit(body());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

TEST(SettingsWriteFaults, AKilledSaveLoopAlwaysLeavesOneWholeTable) {
  tolvane::ScratchFolder dir;
  const auto oldTable = Table("OLD", 50000), newTable = Table("NEW", 90000);
  const std::string oldText = SavedText(dir.path(), oldTable);
  const std::string newText = SavedText(dir.path(), newTable);
  const fs::path path = dir.path() / "qarnwell.ini";
  ASSERT_TRUE(SettingsFile(path.string()).WriteStrings(kSection, oldTable));

  std::mt19937 random(24);
  std::uniform_int_distribution<int> moment(0, 4000);  // microseconds into the loop
  int whole = 0, sawNew = 0;
  for (int run = 0; run < 200; ++run) {
    // The child says when its first save is complete, so the kill moments count from there
    // however slowly a busy machine starts it.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      SettingsFile s(path.string());
      for (int n = 0;; ++n) {
        s.WriteStrings(kSection, n % 2 ? oldTable : newTable);
        if (n == 0) (void)!::write(ready[1], "r", 1);
      }
    }
    char byte = 0;
    ::close(ready[1]);
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ::usleep(static_cast<useconds_t>(moment(random)));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    const std::string text = Contents(path);
    whole += text == oldText || text == newText;
    sawNew += text == newText;
  }
  EXPECT_EQ(whole, 200);
  EXPECT_GT(sawNew, 0);  // the kills did land on both tables, not only on the old one
  // A temporary file a kill left behind does not stop the next save.
  SettingsFile s(path.string());
  ASSERT_TRUE(s.WriteStrings(kSection, newTable)) << s.LastError();
  EXPECT_EQ(Contents(path), newText);
}

TEST(SettingsWriteFaults, AFileSizeLimitFailsTheSaveKeepsTheOldTableAndSaysWhy) {
  tolvane::ScratchFolder dir;
  const fs::path path = dir.path() / "qarnwell.ini";
  ASSERT_TRUE(SettingsFile(path.string()).WriteStrings(kSection, Table("OLD", 5)));
  const std::string before = Contents(path);
  // With the default disposition the limit's signal would end the process mid-save.
  const pid_t pid = ::fork();
  if (pid == 0) {
    const rlimit limit{64, 64};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    SettingsFile s(path.string());
    const bool saved = s.WriteStrings(kSection, Table("NEWNAME", 90000));
    _exit(!saved && s.LastError().find("File too large") != std::string::npos ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Contents(path), before);
  EXPECT_FALSE(fs::exists(path.string() + ".tmp"));
}

TEST(SettingsWriteFaults, UnusablePlacesGiveDefaultsAClearReasonAndLoseNothing) {
  tolvane::ScratchFolder dir;
  // A read-only data folder: the table reads, a save is refused and the file stays.
  const fs::path locked = dir.path() / "locked";
  fs::create_directories(locked);
  const fs::path lockedFile = locked / "qarnwell.ini";
  ASSERT_TRUE(SettingsFile(lockedFile.string()).WriteStrings(kSection, Table("OLD", 5)));
  const std::string before = Contents(lockedFile);
  fs::permissions(dir.path(), fs::perms(0755));
  fs::permissions(lockedFile, fs::perms(0666));  // only the folder stops the save
  fs::permissions(locked, fs::perms(0555));
  EXPECT_EQ(AsNobody([&] {
              SettingsFile s(lockedFile.string());
              if (s.ReadString(kSection, "RANK0", "") != "OLD 5 2031 4 7") return 1;
              if (s.WriteStrings(kSection, Table("NEW", 9))) return 2;
              return s.LastError().find("Permission denied") != std::string::npos ? 0 : 3;
            }),
            0);
  EXPECT_EQ(Contents(lockedFile), before);
  fs::permissions(locked, fs::perms(0755));

  // A folder where the file should be, and a link to nothing: defaults, a reason, no change.
  const fs::path folder = dir.path() / "folder.ini";
  fs::create_directories(folder / "inside");
  const fs::path dangling = dir.path() / "dangling.ini";
  fs::create_symlink(dir.path() / "gone.ini", dangling);
  for (const fs::path& place : {folder, dangling}) {
    SettingsFile s(place.string());
    EXPECT_EQ(s.ReadString(kSection, "RANK0", "TAIL 0 2000 1 1"), "TAIL 0 2000 1 1");
    EXPECT_FALSE(s.WriteStrings(kSection, Table("NEW", 9)));
    EXPECT_NE(s.LastError().find(place.string()), std::string::npos) << s.LastError();
  }
  EXPECT_NE(SettingsFile(folder.string()).ReadProblem().find("Is a directory"), std::string::npos);
  EXPECT_TRUE(fs::exists(folder / "inside"));
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_FALSE(fs::exists(dir.path() / "gone.ini"));

  // A 10 MB file and a binary one: what can be read is, a save keeps every other byte.
  const fs::path big = dir.path() / "big.ini";
  std::string bigText(10 << 20, 'x');
  for (size_t at = 79; at < bigText.size(); at += 80) bigText[at] = '\n';
  bigText += "\n[Tolvane Echo]\nRANK0=FAR 7 2031 4 7\n";
  std::string binary;
  std::mt19937 random(7);
  for (int n = 0; n < 4096; ++n) binary += static_cast<char>(random());
  const fs::path bin = dir.path() / "binary.ini";
  std::ofstream(big, std::ios::binary) << bigText;
  std::ofstream(bin, std::ios::binary) << binary;
  SettingsFile b(big.string());
  EXPECT_EQ(b.ReadString(kSection, "RANK0", ""), "FAR 7 2031 4 7");
  ASSERT_TRUE(b.WriteStrings(kSection, Table("NEW", 9))) << b.LastError();
  EXPECT_EQ(Contents(big).substr(0, bigText.size() - 20), bigText.substr(0, bigText.size() - 20));
  SettingsFile r(bin.string());
  EXPECT_EQ(r.ReadProblem(), "");
  r.ReadString(kSection, "RANK0", "");
  ASSERT_TRUE(r.WriteStrings(kSection, Table("NEW", 9))) << r.LastError();
  EXPECT_EQ(SettingsFile(bin.string()).ReadString(kSection, "RANK9", ""), "NEW 0 2031 4 7");
}

}  // namespace
}  // namespace pres
