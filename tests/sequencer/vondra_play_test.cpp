// The vondra-play tool as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/sequencer/support/smf_builder.h"
#include "tests/support/scratch_folder.h"

namespace vondra {
namespace {

namespace fs = std::filesystem;
using testing::BuildSmf;
using testing::TrackBuilder;

const std::string kTool = std::string(TOLVANE_BINARY_DIR) + "/bin/vondra-play";

struct ToolRun {
  int status = -1;
  std::string output;
};

ToolRun RunTool(const std::string& arguments, const std::string& environment = "") {
  const std::string command = environment + " " + kTool + " " + arguments + " 2>&1";
  ToolRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class VondraPlay : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const auto path = folder_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  tolvane::ScratchFolder folder_;
};

TEST_F(VondraPlay, AnswersUsageMistakesAndUnreadableFiles) {
  EXPECT_EQ(RunTool("--help").status, 0);
  const ToolRun bad = RunTool("--bogus x.mid");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.output.find("unknown option --bogus"), std::string::npos);
  EXPECT_EQ(RunTool("--fade soon x.mid").status, 2);
  // Numbers too large for the millisecond counts they become are refused, not wrapped.
  EXPECT_EQ(RunTool("--fade-time 1e12 x.mid").status, 2);
  EXPECT_EQ(RunTool("--max-seconds inf x.mid").status, 2);
  EXPECT_EQ(RunTool("").status, 2);
  EXPECT_EQ(RunTool("--analyse " + (folder_ / "missing.mid").string()).status, 1);
  EXPECT_EQ(RunTool("--analyse " + Write("text.mid", {'h', 'i'})).status, 1);
  // No output to play on: said so, and no waiting for a song that cannot sound.
  const ToolRun none =
      RunTool(Write("song.mid", BuildSmf({TrackBuilder().End(10)})), "VONDRA_OUTPUT=none");
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.output.find("no MIDI output"), std::string::npos);
}

// The recording output plays without a sound card and says at the end what was left sounding.
TEST_F(VondraPlay, PlaysToTheRecordingOutputAndSaysWhatWasLeftSounding) {
  const std::string song = Write(
      "notes.mid",
      BuildSmf(
          {TrackBuilder().NoteOn(0, 0, 60, 100).NoteOn(0, 1, 64, 100).NoteOff(24, 0, 60).End(48)}));
  const ToolRun run = RunTool("--output record " + song);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("2 note-ons, 1 note-offs"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("notes sounding at the end: 0; note-ons after a stop: 0"),
            std::string::npos)
      << run.output;
}

TEST_F(VondraPlay, WithoutASequencerPortsAndAlsaPlaySaySoInOneLine) {
  if (access("/dev/snd/seq", F_OK) == 0) GTEST_SKIP() << "this machine has a sequencer";
  for (const ToolRun& run :
       {RunTool("--ports"),
        RunTool("--port 128:0 " + Write("song.mid", BuildSmf({TrackBuilder().End(10)})))}) {
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "vondra-play: no ALSA sequencer on this machine\n");
  }
}

TEST_F(VondraPlay, AnalysisAsATableAndAsJson) {
  const std::string file = Write("song.mid", BuildSmf({TrackBuilder()
                                                           .Meta(0, 0x01, "Intro \"one\"")
                                                           .Meta(0, 0x03, "Caf\xe9")  // Latin-1
                                                           .NoteOn(0, 2, 60, 100)
                                                           .NoteOn(0, 2, 64, 80)
                                                           .End(96)}));
  const ToolRun table = RunTool("--analyse " + file);
  ASSERT_EQ(table.status, 0) << table.output;
  EXPECT_NE(table.output.find("length: 97 ticks"), std::string::npos) << table.output;
  EXPECT_NE(table.output.find("  0001:1:000 Intro \"one\"\n"), std::string::npos);
  EXPECT_NE(table.output.find("    2      2        62            90"), std::string::npos)
      << table.output;

  const ToolRun json = RunTool("--analyse --json " + file);
  ASSERT_EQ(json.status, 0);
  EXPECT_NE(json.output.find("\"textEvents\": \"0001:1:000 Intro \\\"one\\\"\\r\\n\""),
            std::string::npos)
      << json.output;
  EXPECT_NE(json.output.find("\"trackName\": \"0001:1:000 Caf\\u00e9\\r\\n\""), std::string::npos);
  if (access("/usr/bin/python3", X_OK) == 0) {
    const std::string jsonFile = Write("analysis.json", {json.output.begin(), json.output.end()});
    const std::string check =
        "/usr/bin/python3 -c \"import json,sys; d=json.load(open(sys.argv[1]));"
        " assert d['entries'][2]['totalNotes'] == 2\" " +
        jsonFile;
    EXPECT_EQ(std::system(check.c_str()), 0);
  }
}

TEST_F(VondraPlay, RendersAWavFile) {
  if (access("/usr/share/sounds/sf2/default-GM.sf2", R_OK) != 0 &&
      access("/usr/share/sounds/sf2/TimGM6mb.sf2", R_OK) != 0) {
    GTEST_SKIP() << "no General MIDI SoundFont installed";
  }
  // One second at Timebase 100 (5 ms a tick), then the stop's half second.
  const std::string file =
      Write("song.mid", BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 100).End(200)},
                                 testing::SmfOptions{.division = 100}));
  const std::string wav = (folder_ / "out.wav").string();
  const ToolRun render = RunTool("--render " + wav + " " + file);
  ASSERT_EQ(render.status, 0) << render.output;
  const auto size = fs::file_size(wav);
  const double seconds = (size - 44) / 4.0 / 44100;
  EXPECT_GT(seconds, 1.45);
  EXPECT_LT(seconds, 1.55);
}

TEST_F(VondraPlay, InvertedRenderTurnsEachChannelAboutItsOwnCentre) {
  if (access("/usr/share/sounds/sf2/default-GM.sf2", R_OK) != 0 &&
      access("/usr/share/sounds/sf2/TimGM6mb.sf2", R_OK) != 0) {
    GTEST_SKIP() << "no General MIDI SoundFont installed";
  }
  // Channel 0's notes average 70, so inverted they turn about 72: 70 becomes 74 (about middle
  // C, without the file's analysis, it would become 50). The offline synthesizer is
  // deterministic, so the inverted render of the one file is the plain render of the other.
  const auto song = [](int note) {
    return BuildSmf({TrackBuilder().NoteOn(0, 0, note, 100).NoteOff(100, 0, note).End(20)},
                    testing::SmfOptions{.division = 100});
  };
  const std::string inverted = (folder_ / "inverted.wav").string();
  const std::string plain = (folder_ / "plain.wav").string();
  const ToolRun first = RunTool("--invert --render " + inverted + " " + Write("a.mid", song(70)));
  ASSERT_EQ(first.status, 0) << first.output;
  const ToolRun second = RunTool("--render " + plain + " " + Write("b.mid", song(74)));
  ASSERT_EQ(second.status, 0) << second.output;
  const auto read = [](const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
  };
  const std::string invertedBytes = read(inverted);
  EXPECT_GT(invertedBytes.size(), 44u);
  EXPECT_TRUE(invertedBytes == read(plain));
}

}  // namespace
}  // namespace vondra
