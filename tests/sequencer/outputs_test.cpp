// The real outputs and the shared library as a host sees it.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "sequencer/include/vondra_render.h"
#include "sequencer/midiout/alsa_output.h"
#include "sequencer/midiout/fluid_library.h"
#include "sequencer/midiout/fluidsynth_output.h"

namespace vondra {
namespace {

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value, 1);
  }
  ~ScopedEnvironment() {
    if (old_.empty()) {
      unsetenv(name_);
    } else {
      setenv(name_, old_.c_str(), 1);
    }
  }

 private:
  const char* name_;
  std::string old_;
};

TEST(Outputs, TheEnvironmentChoosesTheOutput) {
  {
    ScopedEnvironment none("VONDRA_OUTPUT", "none");
    EXPECT_EQ(OpenConfiguredOutput(), nullptr);
  }
  {
    // A SoundFont that does not exist: the synthesizer cannot play, so it does not open, and
    // the user is told why there is no music.
    ScopedEnvironment output("VONDRA_OUTPUT", "fluidsynth");
    ScopedEnvironment font("VONDRA_SOUNDFONT", "/nonexistent.sf2");
    testing::internal::CaptureStderr();
    EXPECT_EQ(OpenConfiguredOutput(), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vondra: music is off: cannot read the SoundFont /nonexistent.sf2\n");
  }
  if (access(kSoundFontCandidates[0], R_OK) == 0 || access(kSoundFontCandidates[1], R_OK) == 0) {
    // With no audio device the synthesizer still opens, and plays to nobody.
    ScopedEnvironment output("VONDRA_OUTPUT", "fluidsynth");
    auto synth = OpenConfiguredOutput();
    ASSERT_NE(synth, nullptr);
    synth->ShortMessage(PackShort(0x90, 60, 100), 0);
    const uint8_t sysex[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    EXPECT_EQ(synth->LongMessage(sysex, 0), LongResult::kDone);
    EXPECT_TRUE(synth->Close());
  }
}

// The recording output counts what reaches it; a silence releases every note, and a note-on
// after it counts against the stop until a song begins again. The counts outlive the output.
TEST(Outputs, RecordingOutputCountsNotesAndWhatSoundsAfterAStop) {
  ScopedEnvironment output("VONDRA_OUTPUT", "record");
  auto record = OpenConfiguredOutput();
  ASSERT_NE(record, nullptr);
  VondraRecordCounts counts{};
  auto read = [&] { return vondraRecordCounts(&counts) == 1; };
  record->ShortMessage(PackShort(0x90, 60, 100), 0);
  record->ShortMessage(PackShort(0x91, 64, 100), 0);
  record->ShortMessage(PackShort(0x92, 67, 100), 0);
  record->ShortMessage(PackShort(0x90, 60, 0), 0);   // velocity 0: off
  record->ShortMessage(PackShort(0xB1, 123, 0), 0);  // all notes off on channel 1
  ASSERT_TRUE(read());
  EXPECT_EQ(counts.messages, 5u);
  EXPECT_EQ(counts.noteOns, 3u);
  EXPECT_EQ(counts.noteOffs, 1u);
  EXPECT_EQ(counts.sounding, 1);
  record->Silence(0, true);
  ASSERT_TRUE(read());
  EXPECT_EQ(counts.sounding, 0);
  record->ShortMessage(PackShort(0x90, 62, 90), 0);
  record->BeginSong();
  record->ShortMessage(PackShort(0x90, 64, 90), 0);
  const uint8_t sysex[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
  EXPECT_EQ(record->LongMessage(sysex, 0), LongResult::kDone);
  EXPECT_TRUE(record->Close());
  record.reset();
  ASSERT_TRUE(read());
  EXPECT_EQ(counts.notesAfterStop, 1);
  EXPECT_EQ(counts.sounding, 2);
  EXPECT_EQ(counts.silences, 1u);
  EXPECT_EQ(counts.messages, 8u);
  // A new one starts afresh.
  auto again = OpenConfiguredOutput();
  ASSERT_TRUE(read());
  EXPECT_EQ(counts.messages, 0u);
}

// FluidSynth is taken from its shared library when the first synthesizer opens; a library that
// cannot be loaded, or lacks a call, is refused with the reason.
TEST(Outputs, TheSynthesizerLibraryIsLoadedWhenFirstNeeded) {
  FluidCalls calls;
  std::string error;
  EXPECT_FALSE(OpenFluidCalls("libvondra-no-such-synthesizer.so", calls, error));
  EXPECT_NE(error.find("libvondra-no-such-synthesizer.so"), std::string::npos) << error;
  EXPECT_FALSE(OpenFluidCalls("libm.so.6", calls, error));
  EXPECT_NE(error.find("new_fluid_settings"), std::string::npos) << error;
  ASSERT_NE(FluidLibrary(), nullptr);
  EXPECT_EQ(FluidLibrary(), FluidLibrary());
}

TEST(Outputs, AlsaSequencer) {
  if (access("/dev/snd/seq", F_OK) != 0) GTEST_SKIP() << "no ALSA sequencer on this machine";
  // Without a synthesizer port to play to the output may not open; with one, messages go out.
  auto alsa = AlsaOutput::Open();
  if (!alsa) GTEST_SKIP() << "no synthesizer port";
  alsa->ShortMessage(PackShort(0x90, 60, 1), 0);
  alsa->ShortMessage(PackShort(0x80, 60, 0), 0);
  const uint8_t sysex[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
  EXPECT_NE(alsa->LongMessage(sysex, 0), LongResult::kFailed);
  EXPECT_TRUE(alsa->Close());
}

TEST(Outputs, AlsaWithoutASequencerDoesNotOpen) {
  if (access("/dev/snd/seq", F_OK) == 0) GTEST_SKIP() << "this machine has a sequencer";
  ScopedEnvironment output("VONDRA_OUTPUT", "alsa");
  EXPECT_EQ(OpenConfiguredOutput(), nullptr);
}

// The shared library exports the 39 mms functions, the message and SoundFont hooks and the
// tool extensions of vondra_render.h, and nothing else of its own.
TEST(SharedLibrary, ExportsExactlyItsInterface) {
  const std::string path = std::string(TOLVANE_BINARY_DIR) + "/game/libvondra.so";
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const std::set<std::string> expected = {"mmsInit",
                                          "mmsEnd",
                                          "mmsCreateHandle",
                                          "mmsDestroyHandle",
                                          "mmsPlay",
                                          "mmsInvertPlay",
                                          "mmsStop",
                                          "mmsFadeout",
                                          "mmsVersion",
                                          "mmsGetStatus",
                                          "mmsGetTime",
                                          "mmsGetTimebase",
                                          "mmsGetTempo",
                                          "mmsGetMeasure",
                                          "mmsGetBeat",
                                          "mmsGetTicktime",
                                          "mmsGetControl",
                                          "mmsGetPitchbend",
                                          "mmsGetPressure",
                                          "mmsGetProgram",
                                          "mmsGetNotes",
                                          "mmsGetSendingNotes",
                                          "mmsGetMaxSendingNotes",
                                          "mmsGetMaxNoteNumber",
                                          "mmsGetMinNoteNumber",
                                          "mmsSMFAnalysisInit",
                                          "mmsSMFAnalysis",
                                          "mmsSMFAnalysisGetTime",
                                          "mmsSMFAnalysisGetMeasure",
                                          "mmsSMFAnalysisGetBeat",
                                          "mmsSMFAnalysisGetTicktime",
                                          "mmsSMFAnalysisGetTextEvent",
                                          "mmsSMFAnalysisGetCopyrightNotice",
                                          "mmsSMFAnalysisGetLyric",
                                          "mmsSMFAnalysisGetSequenceTrackname",
                                          "mmsSMFAnalysisGetInstrumentName",
                                          "mmsSMFAnalysisGetAverageNote",
                                          "mmsSMFAnalysisGetAverageVelocity",
                                          "mmsSMFAnalysisGetTotalNotes",
                                          "vondraSetMessageHandler",
                                          "vondraSetDefaultSoundFont",
                                          "vondraPause",
                                          "vondraOutputReady",
                                          "vondraListPorts",
                                          "vondraRecordCounts",
                                          "vondraRenderOpen",
                                          "vondraRenderClose",
                                          "vondraRenderPlay",
                                          "vondraRenderAdvance",
                                          "vondraRenderFadeout",
                                          "vondraRenderStop",
                                          "vondraRenderPlaying",
                                          "vondraRenderTime",
                                          "vondraRenderSamples"};
  EXPECT_EQ(expected.size(), 54u);
  for (const auto& name : expected) EXPECT_NE(dlsym(library, name.c_str()), nullptr) << name;

  using VersionFunction = const char* (*)();
  auto version = reinterpret_cast<VersionFunction>(dlsym(library, "mmsVersion"));
  ASSERT_NE(version, nullptr);
  EXPECT_STREQ(version(), "Qarnwell SMF player VONDRA  ver.0.50");
  dlclose(library);

  // The dynamic symbol table holds no other functions defined by the library.
  const std::string command = "nm -D --defined-only " + path + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) GTEST_SKIP() << "nm is not available";
  std::set<std::string> defined;
  char line[512];
  while (std::fgets(line, sizeof line, pipe)) {
    char type = 0;
    char name[400] = {};
    if (std::sscanf(line, "%*s %c %399s", &type, name) == 2 && (type == 'T' || type == 'W')) {
      defined.insert(name);
    }
  }
  pclose(pipe);
  if (defined.empty()) GTEST_SKIP() << "nm printed nothing";
  EXPECT_EQ(defined, expected);
}

}  // namespace
}  // namespace vondra
