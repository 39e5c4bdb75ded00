#include "sequencer/midiout/fluidsynth_output.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "sequencer/midiout/alsa_quiet.h"
#include "sequencer/midiout/fluid_messages.h"

namespace vondra {

inline constexpr int kBlock = BlockScheduler::kBlockFrames;

struct FluidSynthOutput::Parts {
  explicit Parts(const FluidCalls& calls) : fluid(calls) {}

  const FluidCalls& fluid;
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* driver = nullptr;
  BlockScheduler schedule{kSynthSampleRate, 0.0};
  bool scheduled = true;  // false: nobody renders, so messages go to the synthesizer at once
  std::function<int64_t()> now;
  // The block being handed out, for callers that ask for frames that are not whole blocks.
  float left[kBlock] = {};
  float right[kBlock] = {};
  int16_t pcm[2 * kBlock] = {};
  int used = kBlock;
  std::string soundFontPath;

  ~Parts() {
    if (driver) fluid.deleteAudioDriver(driver);  // first: it renders from the synthesizer
    if (synth) fluid.deleteSynth(synth);
    if (settings) fluid.deleteSettings(settings);
  }

  int64_t Now() const { return now ? now() : schedule.Rendered(); }

  // The messages due in the next block go to the synthesizer, then the block is rendered.
  void NextBlock(bool asFloat) {
    schedule.NextBlock([this](const ScheduledMessage& message) {
      switch (message.kind) {
        case ScheduledMessage::Kind::kShort:
          PlayShortMessage(fluid, synth, message.packed);
          break;
        case ScheduledMessage::Kind::kLong:
          PlaySysEx(fluid, synth, message.bytes);
          break;
        case ScheduledMessage::Kind::kRelease:
          ReleaseAllNotes(fluid, synth);
          break;
      }
    });
    if (asFloat) {
      fluid.writeFloat(synth, kBlock, left, 0, 1, right, 0, 1);
    } else {
      fluid.writeS16(synth, kBlock, pcm, 0, 2, pcm, 1, 2);
    }
    used = 0;
  }

  void Pull(float* outLeft, float* outRight, int frames) {
    while (frames > 0) {
      if (used == kBlock) NextBlock(true);
      const int taken = std::min(frames, kBlock - used);
      std::copy_n(left + used, taken, outLeft);
      std::copy_n(right + used, taken, outRight);
      outLeft += taken;
      outRight += taken;
      used += taken;
      frames -= taken;
    }
  }
};

namespace {

// FluidSynth reports a missing audio device or SoundFont on standard error by itself; the
// library speaks only through its own messages, so those reports are dropped.
void DropFluidLog(int, const char*, void*) {}

void SilenceFluidLog(const FluidCalls& fluid) {
  for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    fluid.setLogFunction(level, DropFluidLog, nullptr);
  }
}

std::mutex defaultSoundFontLock;
std::string defaultSoundFont;

std::string DefaultSoundFont() {
  std::lock_guard<std::mutex> hold(defaultSoundFontLock);
  return defaultSoundFont;
}

// The path of the font loaded, or empty. A font the caller or the user names is the only one
// tried; the host's default falls back to the system's, so a host never silences itself.
std::string LoadSoundFont(const FluidCalls& fluid, fluid_synth_t* synth,
                          const std::string& requested) {
  const auto load = [&fluid, synth](const std::string& path) {
    return fluid.soundFontLoad(synth, path.c_str(), 1) != FLUID_FAILED ? path : std::string();
  };
  if (!requested.empty()) return load(requested);
  if (const char* named = std::getenv("VONDRA_SOUNDFONT"); named && *named) return load(named);
  if (const std::string preferred = DefaultSoundFont(); !preferred.empty()) {
    if (std::string loaded = load(preferred); !loaded.empty()) return loaded;
  }
  for (const char* candidate : kSoundFontCandidates) {
    if (std::string loaded = load(candidate); !loaded.empty()) return loaded;
  }
  return {};
}

// The audio driver's thread asks for the next stretch of audio.
int PullForDriver(void* data, int frames, int, float*[], int channels, float* out[]) {
  if (channels < 2) return FLUID_FAILED;
  static_cast<FluidSynthOutput::Parts*>(data)->Pull(out[0], out[1], frames);
  return FLUID_OK;
}

}  // namespace

std::string ChooseSoundFont() {
  if (const char* named = std::getenv("VONDRA_SOUNDFONT"); named && *named) return named;
  if (std::string preferred = DefaultSoundFont();
      !preferred.empty() && access(preferred.c_str(), R_OK) == 0) {
    return preferred;
  }
  for (const char* candidate : kSoundFontCandidates) {
    if (access(candidate, R_OK) == 0) return candidate;
  }
  return {};
}

std::unique_ptr<FluidSynthOutput> FluidSynthOutput::Open(Mode mode, const std::string& soundFont) {
  // Without FluidSynth there is no synthesizer, as without a SoundFont.
  const FluidCalls* fluid = FluidLibrary();
  if (!fluid) return nullptr;
  SilenceFluidLog(*fluid);
  SilenceAlsaLibErrors();  // FluidSynth's ALSA audio driver would report a missing card
  auto parts = std::make_unique<Parts>(*fluid);
  parts->settings = fluid->newSettings();
  if (!parts->settings) return nullptr;
  fluid->settingsSetNum(parts->settings, "synth.sample-rate", kSynthSampleRate);
  parts->synth = fluid->newSynth(parts->settings);
  if (!parts->synth) return nullptr;
  parts->soundFontPath = LoadSoundFont(*fluid, parts->synth, soundFont);
  if (parts->soundFontPath.empty()) return nullptr;
  if (mode == Mode::kLive) {
    // No audio device is not a failure: the synthesizer then plays to nobody, at once.
    parts->driver = fluid->newAudioDriver(parts->settings, PullForDriver, parts.get());
    parts->scheduled = parts->driver != nullptr;
  }
  return std::unique_ptr<FluidSynthOutput>(new FluidSynthOutput(std::move(parts)));
}

FluidSynthOutput::FluidSynthOutput(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

FluidSynthOutput::~FluidSynthOutput() = default;

void FluidSynthOutput::ShortMessage(uint32_t packed, double ideal) {
  if (!parts_) return;
  if (parts_->scheduled) {
    parts_->schedule.Add(packed, ideal);
  } else {
    PlayShortMessage(parts_->fluid, parts_->synth, packed);
  }
}

LongResult FluidSynthOutput::LongMessage(std::span<const uint8_t> message, double ideal) {
  if (!parts_) return LongResult::kFailed;
  if (!parts_->scheduled) return PlaySysEx(parts_->fluid, parts_->synth, message);
  parts_->schedule.AddLong(message, ideal);
  return LongResult::kDone;
}

void FluidSynthOutput::SetPeriod(uint32_t period) {
  if (parts_ && !parts_->now) parts_->schedule.SetLatency(kLiveLatencyPeriods * period);
}

void FluidSynthOutput::BeginSong() {
  if (parts_) parts_->schedule.BeginSong(parts_->Now());
}

void FluidSynthOutput::Silence(double ideal, bool atOnce) {
  if (!parts_) return;
  if (parts_->scheduled) {
    parts_->schedule.Silence(ideal, atOnce, parts_->Now());
  } else {
    ReleaseAllNotes(parts_->fluid, parts_->synth);
  }
}

bool FluidSynthOutput::Close() {
  parts_.reset();
  return true;
}

void FluidSynthOutput::SetFrameClock(std::function<int64_t()> now) {
  if (!parts_) return;
  parts_->now = std::move(now);
  parts_->schedule.SetLatency(0);  // offline: every message on the frame of its ideal time
}

void FluidSynthOutput::Render(int16_t* interleaved, int frames) {
  if (frames <= 0) return;
  if (!parts_) {
    std::fill_n(interleaved, 2 * frames, int16_t{0});
    return;
  }
  Parts& own = *parts_;
  while (frames > 0) {
    if (own.used == kBlock) own.NextBlock(false);
    const int taken = std::min(frames, kBlock - own.used);
    std::copy_n(own.pcm + 2 * own.used, 2 * taken, interleaved);
    interleaved += 2 * taken;
    own.used += taken;
    frames -= taken;
  }
}

void FluidSynthOutput::Pull(float* left, float* right, int frames) {
  if (parts_) parts_->Pull(left, right, frames);
}

bool FluidSynthOutput::HasAudioDriver() const {
  return parts_ && parts_->driver;
}

const BlockScheduler& FluidSynthOutput::Schedule() const {
  return parts_->schedule;
}

const std::string& FluidSynthOutput::SoundFontPath() const {
  static const std::string none;
  return parts_ ? parts_->soundFontPath : none;
}

void SetDefaultSoundFont(std::string path) {
  std::lock_guard<std::mutex> hold(defaultSoundFontLock);
  defaultSoundFont = std::move(path);
}

}  // namespace vondra
