// Prints the file analysis as a table, or as JSON.
#include <cstdio>
#include <string>

#include "commands.h"
#include "json_text.h"
#include "vondra.h"

namespace vondra::play {
namespace {

// Stamped texts one to a line, without the "\r\n" endings.
std::string Lines(const char* text, const char* indent) {
  std::string out;
  std::string line;
  for (const char* p = text ? text : ""; *p; ++p) {
    if (*p == '\r') continue;
    if (*p == '\n') {
      out += indent + line + "\n";
      line.clear();
    } else {
      line += *p;
    }
  }
  if (!line.empty()) out += indent + line + "\n";
  return out;
}

// The names of an entry on one line, stamps and all, separated by "; ".
std::string OneLine(const char* text) {
  std::string out;
  for (const char* p = text ? text : ""; *p; ++p) {
    if (*p == '\r') continue;
    out += *p == '\n' ? std::string(p[1] ? "; " : "") : std::string(1, *p);
  }
  return out;
}

void PrintTable(const Options& options) {
  std::printf("file: %s\n", options.file.c_str());
  std::printf("length: %d ticks\n", mmsSMFAnalysisGetTime());
  std::printf("end: measure %d, beat %d, tick %d\n", mmsSMFAnalysisGetMeasure(),
              mmsSMFAnalysisGetBeat(), mmsSMFAnalysisGetTicktime());
  std::printf("text events:\n%s", Lines(mmsSMFAnalysisGetTextEvent(), "  ").c_str());
  std::printf("copyright notices:\n%s", Lines(mmsSMFAnalysisGetCopyrightNotice(), "  ").c_str());
  std::printf("lyrics:\n%s", Lines(mmsSMFAnalysisGetLyric(), "  ").c_str());
  std::printf("\nentry  notes  avg note  avg velocity  track name / instrument name\n");
  for (int entry = 0; entry < 16; ++entry) {
    std::printf("%5d  %5d  %8d  %12d  %s", entry, mmsSMFAnalysisGetTotalNotes(entry),
                mmsSMFAnalysisGetAverageNote(entry), mmsSMFAnalysisGetAverageVelocity(entry),
                OneLine(mmsSMFAnalysisGetSequenceTrackname(entry)).c_str());
    const std::string instrument = OneLine(mmsSMFAnalysisGetInstrumentName(entry));
    std::printf("%s\n", instrument.empty() ? "" : (" / " + instrument).c_str());
  }
}

void PrintJson(const Options& options) {
  std::printf("{\n  \"file\": %s,\n", JsonString(options.file).c_str());
  std::printf("  \"length\": %d,\n", mmsSMFAnalysisGetTime());
  std::printf("  \"end\": {\"measure\": %d, \"beat\": %d, \"tick\": %d},\n",
              mmsSMFAnalysisGetMeasure(), mmsSMFAnalysisGetBeat(), mmsSMFAnalysisGetTicktime());
  std::printf("  \"textEvents\": %s,\n", JsonString(mmsSMFAnalysisGetTextEvent()).c_str());
  std::printf("  \"copyrightNotices\": %s,\n",
              JsonString(mmsSMFAnalysisGetCopyrightNotice()).c_str());
  std::printf("  \"lyrics\": %s,\n", JsonString(mmsSMFAnalysisGetLyric()).c_str());
  std::printf("  \"entries\": [\n");
  for (int entry = 0; entry < 16; ++entry) {
    std::printf(
        "    {\"entry\": %d, \"totalNotes\": %d, \"averageNote\": %d, "
        "\"averageVelocity\": %d, \"trackName\": %s, \"instrumentName\": %s}%s\n",
        entry, mmsSMFAnalysisGetTotalNotes(entry), mmsSMFAnalysisGetAverageNote(entry),
        mmsSMFAnalysisGetAverageVelocity(entry),
        JsonString(mmsSMFAnalysisGetSequenceTrackname(entry)).c_str(),
        JsonString(mmsSMFAnalysisGetInstrumentName(entry)).c_str(), entry < 15 ? "," : "");
  }
  std::printf("  ]\n}\n");
}

}  // namespace

int AnalyseCommand(const Options& options) {
  mmsSMFAnalysisInit();
  SongHandle song = mmsCreateHandle(options.file.c_str());
  if (!song) {
    std::fprintf(stderr, "vondra-play: cannot read %s\n", options.file.c_str());
    return 1;
  }
  const int32_t result = mmsSMFAnalysis(song);
  mmsDestroyHandle(song);
  if (result == 2) {
    std::fprintf(stderr, "vondra-play: %s is not a Standard MIDI File\n", options.file.c_str());
    return 1;
  }
  if (options.json) {
    PrintJson(options);
  } else {
    PrintTable(options);
  }
  return 0;
}

}  // namespace vondra::play
