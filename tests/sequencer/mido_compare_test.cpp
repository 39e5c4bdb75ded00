// The analysis against an independent reader (python3-mido) on files the team did not write:
// note-ons, average note and velocity per channel, and the song's length in ticks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "sequencer/src/analysis.h"
#include "tests/sequencer/support/engine_harness.h"

namespace vondra {
namespace {

namespace fs = std::filesystem;

const fs::path kMidiFolder = fs::path(TOLVANE_TESTDATA_DIR) / "midi";
const char* const kPython = "/usr/bin/python3";

struct Reference {
  bool refused = false;
  std::string reason;
  int64_t length = 0;  // passes the analysis should count for the first 64 tracks
  int64_t counts[16] = {}, notes[16] = {}, velocities[16] = {};
};

std::map<std::string, Reference> ReadReferences(const std::vector<fs::path>& files) {
  std::string command =
      std::string(kPython) + " " + TOLVANE_SOURCE_DIR + "/tests/sequencer/mido_reference.py";
  for (const auto& file : files) command += " '" + file.string() + "'";
  std::map<std::string, Reference> references;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return references;
  std::string output;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  pclose(pipe);

  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string path, status, tracks, channels;
    std::getline(fields, path, '\t');
    std::getline(fields, status, '\t');
    Reference& reference = references[path];
    if (status != "ok") {
      reference.refused = true;
      std::getline(fields, reference.reason);
      continue;
    }
    std::getline(fields, tracks, '\t');
    std::getline(fields, channels);
    // A track whose first event is at tick 0 plays tick t in pass t + 1; only the first 64
    // tracks are read.
    std::istringstream trackList(tracks);
    std::string track;
    for (int i = 0; i < 64 && trackList >> track; ++i) {
      const int64_t end = std::stoll(track.substr(0, track.find(':')));
      const bool atZero = track.back() == '1';
      reference.length = std::max(reference.length, end + (atZero ? 1 : 0));
    }
    std::istringstream channelList(channels);
    for (int channel = 0; channel < 16; ++channel) {
      char colon = 0;
      channelList >> reference.counts[channel] >> colon >> reference.notes[channel] >> colon >>
          reference.velocities[channel];
    }
  }
  return references;
}

bool MidoAvailable() {
  const std::string command = std::string(kPython) + " -c 'import mido' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Files where the two readers part, each checked against the file's bytes.
enum class Parting {
  // mido raises and reads nothing; the library reads what it can.
  kMidoRefuses,
  // A status F1-FE inside a track. No such status belongs in a file (F7 starts an escape, the
  // others are live-only messages), so the file is malformed; mido reads the system messages
  // it knows and goes on, the library stops its analysis there with its error message.
  kSystemStatus,
  // Meta type 08 (program name) in the program-change test files: not in the library's meta
  // table, so its analysis stops there with its error message; mido knows the type.
  kUnlistedMeta,
  // test-running-status-metaevent.mid: after "FF 01 05 break" comes "00 43 7F": a data byte
  // right after a meta event. The file standard says meta events cancel running status, so the
  // byte has no status at all; mido goes back to the note-on status (what the file's author
  // meant), the library takes the meta status FF, reads 43 as a meta type it does not know and
  // stops with its error message.
  kRunningStatusAfterMeta,
  // empty-65535-tracks.mid: mido reads the 16-bit track count as signed (-1) and so no tracks;
  // the count is unsigned, and the library reads the first 64 tracks, the first of which ends
  // at tick 61440 (delta 83 E0 00): the library is right.
  kSignedTrackCount,
};

const std::map<std::string, Parting> kPartings = {
    // Cut short (the End of Track's last byte is missing): the library reads all 8 notes.
    {"test-corrupt-file-missing-byte.mid", Parting::kMidoRefuses},
    // A data byte after System Exclusive: mido loses it and runs off the end; the library takes
    // it as the start of a further System Exclusive length and skips the rest of the track.
    {"test-running-status-sysex.mid", Parting::kMidoRefuses},
    // Not MIDI files, or no "MTrk" where a track is due (the analysis then reports nothing).
    {"test-empty-file.mid", Parting::kMidoRefuses},
    {"test-not-a-midi-file.mid", Parting::kMidoRefuses},
    {"test-non-midi-track.mid", Parting::kMidoRefuses},
    {"PiDamaged.mid", Parting::kMidoRefuses},
    // A time signature of 2 bytes: mido fails on it; the library reads the standard 4, loses
    // step and stops at a data byte it then takes as an unknown meta type.
    {"Levels.mid", Parting::kMidoRefuses},
    // Undefined statuses F4, F5, F9, FD: mido refuses them outright.
    {"test-illegal-message-all.mid", Parting::kMidoRefuses},
    {"test-illegal-message-f4.mid", Parting::kMidoRefuses},
    {"test-illegal-message-f5.mid", Parting::kMidoRefuses},
    {"test-illegal-message-f9.mid", Parting::kMidoRefuses},
    {"test-illegal-message-fd.mid", Parting::kMidoRefuses},
    {"test-illegal-message-f1-xx.mid", Parting::kSystemStatus},
    {"test-illegal-message-f2-xx-xx.mid", Parting::kSystemStatus},
    {"test-illegal-message-f3-xx.mid", Parting::kSystemStatus},
    {"test-illegal-message-f6.mid", Parting::kSystemStatus},
    {"test-illegal-message-f8.mid", Parting::kSystemStatus},
    {"test-illegal-message-fa.mid", Parting::kSystemStatus},
    {"test-illegal-message-fb.mid", Parting::kSystemStatus},
    {"test-illegal-message-fc.mid", Parting::kSystemStatus},
    {"test-illegal-message-fe.mid", Parting::kSystemStatus},
    {"test-running-status-metaevent.mid", Parting::kRunningStatusAfterMeta},
    {"empty-65535-tracks.mid", Parting::kSignedTrackCount},
};

std::optional<Parting> PartingFor(const fs::path& path) {
  const std::string name = path.filename().string();
  if (auto it = kPartings.find(name); it != kPartings.end()) return it->second;
  if (path.parent_path().filename() == "program-change" && name.rfind("001-", 0) != 0) {
    return Parting::kUnlistedMeta;  // every program-change file but the first names its program
  }
  return std::nullopt;
}

TEST(MidoComparison, AnalysisAgreesWithAnIndependentReader) {
  if (!fs::exists(kMidiFolder)) GTEST_SKIP() << kMidiFolder << " is absent";
  if (!MidoAvailable()) GTEST_SKIP() << "python3-mido is not installed";
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(kMidiFolder)) {
    if (entry.is_regular_file() && entry.path().extension() == ".mid")
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  const auto references = ReadReferences(files);
  ASSERT_EQ(references.size(), files.size());

  AnalysisEntries entries{};
  Analysis analysis(entries);
  analysis.Init();
  testing::RecordingSink sink;
  int agreed = 0;
  for (const auto& path : files) {
    SCOPED_TRACE(path.string());
    const Reference& reference = references.at(path.string());
    const auto image = ReadAll(path);
    const size_t messagesBefore = sink.Messages().size();
    const int32_t result = analysis.Run(&image, sink);
    const bool interrupted = sink.Messages().size() > messagesBefore;

    bool same = !reference.refused && analysis.SongLength() == reference.length;
    for (int channel = 0; same && channel < 16; ++channel) {
      const int64_t count = reference.counts[channel];
      same =
          entries[channel].totalNotes == count &&
          entries[channel].averageNote == (count ? reference.notes[channel] / count : 0) &&
          entries[channel].averageVelocity == (count ? reference.velocities[channel] / count : 0);
    }
    const auto parting = PartingFor(path);
    if (!parting) {
      EXPECT_TRUE(same) << "length " << analysis.SongLength() << " against " << reference.length
                        << (reference.refused ? ", mido: " + reference.reason : "");
      EXPECT_EQ(result, 0);
      agreed += same;
      continue;
    }
    // A listed file must still part from mido, in the way listed.
    EXPECT_FALSE(same) << "now agrees: take it off the list";
    switch (*parting) {
      case Parting::kMidoRefuses:
        EXPECT_TRUE(reference.refused);
        EXPECT_TRUE(result == 0 || result == 2);
        break;
      case Parting::kSystemStatus:
      case Parting::kUnlistedMeta:
      case Parting::kRunningStatusAfterMeta:
        EXPECT_TRUE(interrupted);
        break;
      case Parting::kSignedTrackCount:
        EXPECT_EQ(reference.length, 0);
        EXPECT_EQ(analysis.SongLength(), 61440);
        break;
    }
  }
  // Most files agree exactly.
  EXPECT_GT(agreed, 200);

  // The file cut short reads as the intact C major scale: 8 notes from 60 to 72.
  const auto cut =
      ReadAll(kMidiFolder / "jazz-soft-test-midi-files/midi/test-corrupt-file-missing-byte.mid");
  ASSERT_EQ(analysis.Run(&cut, sink), 0);
  EXPECT_EQ(entries[0].totalNotes, 8);
  EXPECT_EQ(entries[0].averageNote, (60 + 62 + 64 + 65 + 67 + 69 + 71 + 72) / 8);
}

}  // namespace
}  // namespace vondra
