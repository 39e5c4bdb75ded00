// The tunes as the game's own MIDI library analyses them: the notes each text asks for (count
// and average per channel), the song length, and no complaint about the data.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sequencer/include/vondra.h"
#include "tests/support/scratch_folder.h"
#include "tests/tools/smf_probe.h"
#include "tools/common/file_io.h"
#include "tools/mmlc/mml_compiler.h"
#include "tools/mmlc/smf_writer.h"

namespace {

std::vector<std::string> gMessages;

void Collect(void*, int32_t, const char*, const char* text) {
  gMessages.emplace_back(text ? text : "");
}

class MusicAnalysis : public ::testing::Test {
 protected:
  void SetUp() override {
    gMessages.clear();
    vondraSetMessageHandler(Collect, nullptr);
    mmsSMFAnalysisInit();
  }
  void TearDown() override { vondraSetMessageHandler(nullptr, nullptr); }

  // Analyses the file; false (with a failure) when the library refuses it.
  static bool Analyse(const std::string& path) {
    SongHandle song = mmsCreateHandle(path.c_str());
    EXPECT_NE(song, nullptr) << path;
    if (song == nullptr) return false;
    const int32_t result = mmsSMFAnalysis(song);
    mmsDestroyHandle(song);
    EXPECT_EQ(result, 0) << path;
    return result == 0;
  }
};

TEST_F(MusicAnalysis, GivesTheNotesTheTextAskedFor) {
  const tolvane::ScratchFolder folder;
  const std::string path = (folder / "known.mid").string();
  const auto bytes =
      mmlc::WriteSmf(mmlc::CompileMml("#track 1\n@0 o4 c e g L c e g\n"
                                      "#track 3\nv80 n36 n38 r L n40 n41 r\n"));
  ASSERT_TRUE(tools::WriteAtomically(path, bytes.data(), bytes.size()));
  ASSERT_TRUE(Analyse(path));
  EXPECT_EQ(mmsSMFAnalysisGetTotalNotes(0), 6);
  EXPECT_EQ(mmsSMFAnalysisGetAverageNote(0), (60 + 64 + 67) * 2 / 6);
  EXPECT_EQ(mmsSMFAnalysisGetAverageVelocity(0), 100);
  EXPECT_EQ(mmsSMFAnalysisGetTotalNotes(2), 4);
  EXPECT_EQ(mmsSMFAnalysisGetAverageNote(2), (36 + 38 + 40 + 41) / 4);
  EXPECT_EQ(mmsSMFAnalysisGetAverageVelocity(2), 80);
  EXPECT_EQ(mmsSMFAnalysisGetTotalNotes(1), 0);
  // Our tracks start at tick 0, which the library plays in its first pass: the last tick,
  // where every track ends, is pass end + 1.
  EXPECT_EQ(mmsSMFAnalysisGetTime(), 6 * 480 + 1);
  EXPECT_TRUE(gMessages.empty()) << gMessages.front();
}

TEST_F(MusicAnalysis, ShippedTunesAgreeWithAnIndependentReader) {
  for (const char* file : {"tolvstg1.mid", "tolvstg2.mid", "tolvstg3.mid", "tolvstg4.mid",
                           "tolvstg5.mid", "tolvend.mid"}) {
    SCOPED_TRACE(file);
    const std::string path = std::string(TOLVANE_BINARY_DIR) + "/game/" + file;
    const auto bytes = tools::ReadBytes(path);
    ASSERT_TRUE(bytes.has_value());
    const probe::ProbeSong song = probe::ReadSmf(*bytes);
    ASSERT_TRUE(song.ok) << song.error;
    ASSERT_TRUE(Analyse(path));
    for (int ch = 0; ch < 16; ++ch) {
      const auto count = song.noteCount.find(ch);
      EXPECT_EQ(mmsSMFAnalysisGetTotalNotes(ch), count == song.noteCount.end() ? 0 : count->second)
          << "channel " << ch;
      EXPECT_EQ(mmsSMFAnalysisGetAverageNote(ch), song.AverageNote(ch)) << "channel " << ch;
    }
    EXPECT_EQ(mmsSMFAnalysisGetTime(), song.tracks[0].endTick + 1);
    const char* copyright = mmsSMFAnalysisGetCopyrightNotice();
    ASSERT_NE(copyright, nullptr);
    EXPECT_NE(std::string(copyright).find("Tolvane Echo"), std::string::npos);
    EXPECT_TRUE(gMessages.empty()) << gMessages.front();
  }
}

}  // namespace
