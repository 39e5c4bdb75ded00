#pragma once
// The output seam: where the engine's messages go. Chosen when the library is initialised.
#include <cstdint>
#include <memory>
#include <span>

namespace vondra {

enum class LongResult {
  kDone,
  kNotReady,  // the output is busy; the engine tries again (up to 200 times)
  kFailed,
};

// Each message comes with its ideal time: the song time, in milliseconds since the song began, of
// the moment it is meant to sound (for an event, the song time of the tick pass that read it).
// An output that schedules plays it at that time plus a constant latency; one that does not
// plays it at once.
class MidiOutput {
 public:
  virtual ~MidiOutput() = default;
  // False while the output is still being opened: the engine holds a song back until it is.
  virtual bool Ready() const { return true; }
  // A channel message packed with the status in the lowest byte, then the first and second data
  // bytes.
  virtual void ShortMessage(uint32_t packed, double ideal) = 0;
  // A System Exclusive message, F0 first.
  virtual LongResult LongMessage(std::span<const uint8_t> message, double ideal) = 0;
  // The player's period: messages reach the output up to about a period after their ideal
  // time, so an output that schedules keeps its latency above that.
  virtual void SetPeriod(uint32_t /*period*/) {}
  // A song begins: its ideal time 0 is now.
  virtual void BeginSong() {}
  // Playback ended at `ideal`. A stop from the caller acts at once: whatever is scheduled and
  // not yet played is dropped and every note released now. The song's own end acts at its own
  // time: what was scheduled after it is dropped and the notes are released there.
  virtual void Silence(double /*ideal*/, bool /*atOnce*/) {}
  // False when the output could not be closed cleanly; it is unusable afterwards either way.
  virtual bool Close() = 0;
};

inline uint32_t PackShort(uint8_t status, uint8_t data1, uint8_t data2) {
  return uint32_t{status} | uint32_t{data1} << 8 | uint32_t{data2} << 16;
}
inline uint8_t ShortStatus(uint32_t packed) {
  return packed & 0xFF;
}
inline uint8_t ShortData1(uint32_t packed) {
  return (packed >> 8) & 0xFF;
}
inline uint8_t ShortData2(uint32_t packed) {
  return (packed >> 16) & 0xFF;
}

// The output VONDRA_OUTPUT names: "fluidsynth" (the default; also for unknown names), "alsa",
// "record" (counts only, see counting_output.h) or "none". Null when it cannot be opened (always
// for "none").
std::unique_ptr<MidiOutput> OpenConfiguredOutput();

}  // namespace vondra
