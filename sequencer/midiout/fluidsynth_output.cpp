#include "sequencer/midiout/fluidsynth_output.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "sequencer/midiout/alsa_quiet.h"

namespace vondra {

struct FluidSynthOutput::Parts {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* driver = nullptr;
  std::string soundFontPath;

  ~Parts() {
    if (driver) delete_fluid_audio_driver(driver);
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }
};

namespace {

// FluidSynth reports a missing audio device or SoundFont on standard error by itself; the
// library speaks only through its own messages, so those reports are dropped.
void DropFluidLog(int, const char*, void*) {}

void SilenceFluidLog() {
  for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    fluid_set_log_function(level, DropFluidLog, nullptr);
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
std::string LoadSoundFont(fluid_synth_t* synth, const std::string& requested) {
  const auto load = [synth](const std::string& path) {
    return fluid_synth_sfload(synth, path.c_str(), 1) != FLUID_FAILED ? path : std::string();
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

}  // namespace

std::unique_ptr<FluidSynthOutput> FluidSynthOutput::Open(Mode mode, const std::string& soundFont) {
  SilenceFluidLog();
  SilenceAlsaLibErrors();  // FluidSynth's ALSA audio driver would report a missing card
  auto parts = std::make_unique<Parts>();
  parts->settings = new_fluid_settings();
  if (!parts->settings) return nullptr;
  fluid_settings_setnum(parts->settings, "synth.sample-rate", kSynthSampleRate);
  parts->synth = new_fluid_synth(parts->settings);
  if (!parts->synth) return nullptr;
  parts->soundFontPath = LoadSoundFont(parts->synth, soundFont);
  if (parts->soundFontPath.empty()) return nullptr;
  // No audio device is not a failure: the synthesizer then plays to nobody.
  if (mode == Mode::kLive) parts->driver = new_fluid_audio_driver(parts->settings, parts->synth);
  return std::unique_ptr<FluidSynthOutput>(new FluidSynthOutput(std::move(parts)));
}

FluidSynthOutput::FluidSynthOutput(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

FluidSynthOutput::~FluidSynthOutput() = default;

void FluidSynthOutput::ShortMessage(uint32_t packed) {
  if (!parts_) return;
  fluid_synth_t* synth = parts_->synth;
  const int channel = ShortStatus(packed) & 0x0F;
  const int data1 = ShortData1(packed) & 0x7F;
  const int data2 = ShortData2(packed) & 0x7F;
  switch (ShortStatus(packed) & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(synth, channel, data1);
      break;
    case 0x90:
      if (data2 == 0) {
        fluid_synth_noteoff(synth, channel, data1);
      } else {
        fluid_synth_noteon(synth, channel, data1, data2);
      }
      break;
    case 0xA0:
      fluid_synth_key_pressure(synth, channel, data1, data2);
      break;
    case 0xB0:
      fluid_synth_cc(synth, channel, data1, data2);
      break;
    case 0xC0:
      fluid_synth_program_change(synth, channel, data1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(synth, channel, data1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(synth, channel, data2 << 7 | data1);
      break;
    default:
      break;
  }
}

LongResult FluidSynthOutput::LongMessage(std::span<const uint8_t> message) {
  if (!parts_) return LongResult::kFailed;
  // The synthesizer takes the body without the framing F0 and F7.
  if (!message.empty() && message.front() == 0xF0) message = message.subspan(1);
  if (!message.empty() && message.back() == 0xF7) message = message.first(message.size() - 1);
  if (message.empty()) return LongResult::kDone;
  const int result =
      fluid_synth_sysex(parts_->synth, reinterpret_cast<const char*>(message.data()),
                        static_cast<int>(message.size()), nullptr, nullptr, nullptr, 0);
  return result == FLUID_OK ? LongResult::kDone : LongResult::kFailed;
}

bool FluidSynthOutput::Close() {
  parts_.reset();
  return true;
}

void FluidSynthOutput::Render(int16_t* interleaved, int frames) {
  if (frames <= 0) return;
  if (!parts_) {
    std::fill_n(interleaved, 2 * frames, int16_t{0});
    return;
  }
  fluid_synth_write_s16(parts_->synth, frames, interleaved, 0, 2, interleaved, 1, 2);
}

bool FluidSynthOutput::HasAudioDriver() const {
  return parts_ && parts_->driver;
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
