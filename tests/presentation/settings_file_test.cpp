// The settings file: reading and writing by section and key in files of every usual
// shape, atomic replacement, and failures that leave the old table alone.
#include "presentation/settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "tests/support/scratch_folder.h"

namespace pres {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
 protected:
  std::string Put(const std::string& name, const std::string& text) {
    auto path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  tolvane::ScratchFolder dir_;
};

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndFirstWriteCreatesFolderAndFile) {
  SettingsFile s((dir_ / "deep" / "er" / "qarnwell.ini").string());
  EXPECT_EQ(s.ReadString("Tolvane Echo", "RANK0", "TAIL 0 2000 01 01"), "TAIL 0 2000 01 01");
  ASSERT_TRUE(s.WriteString("Tolvane Echo", "RANK0", "ABC 1200 2024 5 31")) << s.LastError();
  EXPECT_EQ(Contents(s.Path()), "[Tolvane Echo]\nRANK0=ABC 1200 2024 5 31\n");
  ASSERT_TRUE(s.WriteString("Tolvane Echo", "RANK1", "TAIL 0 2000 1 1"));
  ASSERT_TRUE(s.WriteString("Tolvane Echo", "RANK0", "XYZ 99 2025 1 2"));
  EXPECT_EQ(s.ReadString("Tolvane Echo", "RANK0", ""), "XYZ 99 2025 1 2");
  EXPECT_EQ(s.ReadString("Tolvane Echo", "RANK1", ""), "TAIL 0 2000 1 1");
  EXPECT_EQ(s.ReadString("Tolvane Echo", "RANK2", "none"), "none");
  EXPECT_EQ(s.ReadString("Other", "RANK0", "none"), "none");
  EXPECT_FALSE(fs::exists(s.Path() + ".tmp"));
}

TEST_F(SettingsFileTest, OtherSectionsKeysAndCommentsSurviveAWrite) {
  std::string before =
      "; high scores\n"
      "[Window]\n"
      "Left=100\n"
      "\n"
      "[Tolvane Echo]\n"
      "# kept\n"
      "RANK0 = OLD 5 2001 2 3\n"
      "RANK1=B 4 2001 2 3\n"
      "\n"
      "[Last]\n"
      "x=1\n";
  SettingsFile s(Put("q.ini", before));
  ASSERT_TRUE(s.WriteString("tolvane echo", "rank0", "NEW 6 2002 3 4"));
  ASSERT_TRUE(s.WriteString("Tolvane Echo", "RANK2", "C 3 2001 2 3"));
  ASSERT_TRUE(s.WriteString("Added", "k", "v"));
  EXPECT_EQ(Contents(s.Path()),
            "; high scores\n"
            "[Window]\n"
            "Left=100\n"
            "\n"
            "[Tolvane Echo]\n"
            "# kept\n"
            "rank0=NEW 6 2002 3 4\n"
            "RANK1=B 4 2001 2 3\n"
            "RANK2=C 3 2001 2 3\n"
            "\n"
            "[Last]\n"
            "x=1\n"
            "\n"
            "[Added]\n"
            "k=v\n");
}

TEST_F(SettingsFileTest, NamesMatchWithoutCaseAndCrlfFilesReadAndStayCrlf) {
  SettingsFile s(Put("crlf.ini",
                     "\xEF\xBB\xBF[Tolvane Echo]\r\nRANK0=A 1 2000 1 1\r\n  [ other ]  \r\nKey = "
                     "spaced value \r\n"));
  EXPECT_EQ(s.ReadString("TOLVANE ECHO", "rank0", ""), "A 1 2000 1 1");
  EXPECT_EQ(s.ReadString("Other", "KEY", ""), "spaced value");
  ASSERT_TRUE(s.WriteString("other", "New", "n"));
  EXPECT_EQ(Contents(s.Path()),
            "\xEF\xBB\xBF[Tolvane Echo]\r\nRANK0=A 1 2000 1 1\r\n  [ other ]  \r\nKey = spaced "
            "value \r\nNew=n\r\n");

  // Converted to CRLF twice: the extra carriage returns are part of the line ends.
  SettingsFile twice(Put("twice.ini", "[S]\r\r\nk=v\r\r\nq=\"\r\r"));
  EXPECT_EQ(twice.ReadString("S", "k", ""), "v");
  ASSERT_TRUE(twice.WriteString("S", "New", "n"));
  EXPECT_EQ(Contents(twice.Path()), "[S]\r\nk=v\r\nq=\"\r\nNew=n\r\n");
  EXPECT_EQ(twice.ReadString("S", "q", ""), "\"");
}

TEST_F(SettingsFileTest, OddLinesAndValuesReadSensibly) {
  SettingsFile s(Put("odd.ini",
                     "orphan=before any section\n"
                     "[S]\n"
                     "dup=first\n"
                     "dup=second\n"
                     "no equals sign\n"
                     "empty=\n"
                     "quoted=\"  padded  \"\n"
                     ";RANK0=commented\n"));
  EXPECT_EQ(s.ReadString("S", "orphan", "d"), "d");
  EXPECT_EQ(s.ReadString("S", "dup", "d"), "first");
  EXPECT_EQ(s.ReadString("S", "empty", "d"), "");
  EXPECT_EQ(s.ReadString("S", "quoted", "d"), "  padded  ");
  EXPECT_EQ(s.ReadString("S", ";RANK0", "d"), "d");
  EXPECT_EQ(s.ReadString("S", "RANK0", "d"), "d");
}

TEST_F(SettingsFileTest, ValuesRoundTripWhole) {
  SettingsFile s((dir_ / "v.ini").string());
  for (std::string value :
       {"  leading", "trailing  ", "\"quoted\"", "", "a=b;c#d", "名前 100 2024 1 1"}) {
    ASSERT_TRUE(s.WriteString("S", "k", value));
    EXPECT_EQ(s.ReadString("S", "k", "default"), value);
  }
}

TEST_F(SettingsFileTest, CrashBetweenWriteAndRenameLeavesTheOldFileIntact) {
  std::string before = "[Tolvane Echo]\nRANK0=OLD 1 2000 1 1\n";
  std::string path = Put("crash.ini", before);
  EXPECT_EXIT(
      {
        SettingsFile s(path);
        s.SetBeforeReplaceHook([] { _exit(7); });
        s.WriteString("Tolvane Echo", "RANK0", "NEW 2 2000 1 1");
      },
      ::testing::ExitedWithCode(7), "");
  EXPECT_EQ(Contents(path), before);
  EXPECT_EQ(Contents(path + ".tmp"),
            "[Tolvane Echo]\nRANK0=NEW 2 2000 1 1\n");  // the new table was complete
  SettingsFile s(path);
  EXPECT_EQ(s.ReadString("Tolvane Echo", "RANK0", ""), "OLD 1 2000 1 1");
  ASSERT_TRUE(
      s.WriteString("Tolvane Echo", "RANK1", "B 1 2000 1 1"));  // the leftover is simply replaced
  EXPECT_EQ(Contents(path), before + "RANK1=B 1 2000 1 1\n");
  EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST_F(SettingsFileTest, FailedWritesAreReportedAndChangeNothing) {
  std::string blocker = Put("file-not-folder", "x");
  SettingsFile noFolder(blocker + "/tolvane-echo/qarnwell.ini");
  EXPECT_FALSE(noFolder.WriteString("S", "k", "v"));
  EXPECT_NE(noFolder.LastError(), "");
  EXPECT_EQ(noFolder.ReadString("S", "k", "d"), "d");

  fs::create_directories(dir_ / "is-a-folder.ini");
  SettingsFile folder((dir_ / "is-a-folder.ini").string());
  EXPECT_EQ(folder.ReadString("S", "k", "d"), "d");
  EXPECT_FALSE(folder.WriteString("S", "k", "v"));
  EXPECT_TRUE(fs::is_directory(dir_ / "is-a-folder.ini"));

  std::string before = "[S]\nk=v\n";
  SettingsFile s(Put("refuse.ini", before));
  EXPECT_FALSE(s.WriteString("S", "k", "two\nlines"));
  EXPECT_FALSE(s.WriteString("S", "a=b", "v"));
  EXPECT_FALSE(s.WriteString("S]", "k", "v"));
  EXPECT_FALSE(s.WriteString("S", "", "v"));
  // Keys read as a section or a comment, and names losing outer blanks, would not read back.
  for (const char* key : {"[A\xff NEW", ";k", "#k", " k", "k\t"})
    EXPECT_FALSE(s.WriteString("S", key, "v")) << key;
  EXPECT_FALSE(s.WriteString(" S", "k", "v"));
  EXPECT_EQ(Contents(s.Path()), before);
  EXPECT_TRUE(s.WriteString("S", "k", "w"));
  EXPECT_EQ(s.LastError(), "");
}

TEST_F(SettingsFileTest, SeveralKeysAreStoredInOneReplacementOrNotAtAll) {
  std::string before = "[Tolvane Echo]\nRANK0=OLD 1 2000 1 1\nRANK1=OLD 0 2000 1 1\n";
  std::string path = Put("batch.ini", before);
  const std::vector<SettingsFile::KeyValue> table = {
      {"RANK0", "NEW 9 2024 5 6"}, {"RANK1", "OLD 1 2000 1 1"}, {"RANK2", "OLD 0 2000 1 1"}};
  EXPECT_EXIT(
      {
        SettingsFile s(path);
        s.SetBeforeReplaceHook([] { _exit(7); });
        s.WriteStrings("Tolvane Echo", table);
      },
      ::testing::ExitedWithCode(7), "");
  EXPECT_EQ(Contents(path), before);

  SettingsFile s(path);
  int replacements = 0;
  s.SetBeforeReplaceHook([&replacements] { ++replacements; });
  ASSERT_TRUE(s.WriteStrings("Tolvane Echo", table)) << s.LastError();
  EXPECT_EQ(replacements, 1);
  EXPECT_EQ(Contents(path),
            "[Tolvane Echo]\nRANK0=NEW 9 2024 5 6\nRANK1=OLD 1 2000 1 1\nRANK2=OLD 0 2000 1 1\n");

  const std::vector<SettingsFile::KeyValue> oneBad = {{"RANK0", "X 1 2000 1 1"},
                                                      {"RANK1", "two\nlines"}};
  EXPECT_FALSE(s.WriteStrings("Tolvane Echo", oneBad));
  EXPECT_EQ(s.ReadString("Tolvane Echo", "RANK0", ""), "NEW 9 2024 5 6");
}

// A settings file kept elsewhere and linked in, as dotfile collections do.
TEST_F(SettingsFileTest, ALinkedFileIsReplacedBehindItsLinkAndKeepsItsPermissions) {
  fs::create_directories(dir_ / "dotfiles");
  fs::create_directories(dir_ / "data");
  const std::string target = Put("dotfiles/qarnwell.ini", "[S]\nk=old\n");
  fs::permissions(target, fs::perms(0644));
  const fs::path link = dir_ / "data" / "qarnwell.ini";
  fs::create_symlink("../dotfiles/qarnwell.ini", link);
  SettingsFile s(link.string());
  ASSERT_TRUE(s.WriteString("S", "k", "new")) << s.LastError();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), "../dotfiles/qarnwell.ini");
  EXPECT_EQ(Contents(target), "[S]\nk=new\n");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0644));
  EXPECT_FALSE(fs::exists(target + ".tmp"));
  EXPECT_FALSE(fs::exists(link.string() + ".tmp"));

  // Through a chain of links, to the last one's target.
  const fs::path outer = dir_ / "outer.ini";
  fs::create_symlink(link, outer);
  ASSERT_TRUE(SettingsFile(outer.string()).WriteString("S", "k", "chained"));
  EXPECT_TRUE(fs::is_symlink(outer));
  EXPECT_EQ(Contents(target), "[S]\nk=chained\n");

  // A link to nothing, or round in a loop, is not saved through and is left as it was.
  const fs::path dangling = dir_ / "dangling.ini";
  fs::create_symlink(dir_ / "gone" / "qarnwell.ini", dangling);
  SettingsFile d(dangling.string());
  EXPECT_FALSE(d.WriteString("S", "k", "v"));
  EXPECT_NE(d.LastError(), "");
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_FALSE(fs::exists(dir_ / "gone"));
  fs::create_symlink("loop-b.ini", dir_ / "loop-a.ini");
  fs::create_symlink("loop-a.ini", dir_ / "loop-b.ini");
  EXPECT_FALSE(SettingsFile((dir_ / "loop-a.ini").string()).WriteString("S", "k", "v"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "loop-a.ini"));
}

// A file its owner made read-only in a folder anyone may write: the rename would succeed, but
// the save must not replace it. Run as an unprivileged user, since root may write anything.
TEST_F(SettingsFileTest, AReadOnlyFileIsNotReplaced) {
  const std::string before = "[S]\nk=kept\n";
  const std::string path = Put("readonly.ini", before);
  fs::permissions(path, fs::perms(0444));
  fs::permissions(dir_.path(), fs::perms(0777));
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && ::setuid(65534) != 0) _exit(2);
        SettingsFile s(path);
        _exit(!s.WriteString("S", "k", "new") && !s.LastError().empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(Contents(path), before);
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0444));
  EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST(SettingsPath, FollowsXdgDataHomeWithTheHomeFallback) {
  const char* savedData = std::getenv("XDG_DATA_HOME");
  const char* savedHome = std::getenv("HOME");
  std::string data = savedData ? savedData : "", home = savedHome ? savedHome : "";
  setenv("HOME", "/home/player", 1);
  setenv("XDG_DATA_HOME", "/data/player", 1);
  EXPECT_EQ(SettingsPath("qarnwell.ini"), "/data/player/tolvane-echo/qarnwell.ini");
  setenv("XDG_DATA_HOME", "relative/ignored", 1);
  EXPECT_EQ(SettingsPath("qarnwell.ini"), "/home/player/.local/share/tolvane-echo/qarnwell.ini");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(SettingsPath("qarnwell.ini"), "/home/player/.local/share/tolvane-echo/qarnwell.ini");
  savedData ? setenv("XDG_DATA_HOME", data.c_str(), 1) : unsetenv("XDG_DATA_HOME");
  savedHome ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
}

}  // namespace
}  // namespace pres
