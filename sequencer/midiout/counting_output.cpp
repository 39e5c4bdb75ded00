#include "sequencer/midiout/counting_output.h"

#include <array>
#include <bitset>
#include <mutex>

namespace vondra {
namespace {

inline constexpr int kAllSoundOff = 120;
inline constexpr int kAllNotesOff = 123;

// One player per process, so one set of counts: the player thread writes them while the caller
// and any other thread read them.
struct State {
  std::mutex mutex;
  bool opened = false;
  bool silenced = false;
  RecordCounts counts;
  std::array<std::bitset<128>, 16> sounding;
};

State& Shared() {
  static State state;
  return state;
}

}  // namespace

CountingOutput::CountingOutput() {
  State& state = Shared();
  std::lock_guard lock(state.mutex);
  state.opened = true;
  state.silenced = false;
  state.counts = {};
  state.sounding = {};
}

void CountingOutput::ShortMessage(uint32_t packed, double) {
  State& state = Shared();
  std::lock_guard lock(state.mutex);
  ++state.counts.messages;
  auto& channel = state.sounding[ShortStatus(packed) & 0x0F];
  const int data1 = ShortData1(packed) & 0x7F;
  switch (ShortStatus(packed) & 0xF0) {
    case 0x90:
      if (ShortData2(packed) != 0) {
        ++state.counts.noteOns;
        state.counts.notesAfterStop += state.silenced;
        channel.set(static_cast<size_t>(data1));
        break;
      }
      [[fallthrough]];
    case 0x80:
      ++state.counts.noteOffs;
      channel.reset(static_cast<size_t>(data1));
      break;
    case 0xB0:
      if (data1 == kAllSoundOff || data1 == kAllNotesOff) channel.reset();
      break;
    default:
      break;
  }
}

LongResult CountingOutput::LongMessage(std::span<const uint8_t>, double) {
  State& state = Shared();
  std::lock_guard lock(state.mutex);
  ++state.counts.messages;
  return LongResult::kDone;
}

void CountingOutput::BeginSong() {
  State& state = Shared();
  std::lock_guard lock(state.mutex);
  state.silenced = false;
}

void CountingOutput::Silence(double, bool) {
  State& state = Shared();
  std::lock_guard lock(state.mutex);
  ++state.counts.silences;
  state.silenced = true;
  state.sounding = {};
}

bool CountingOutput::Latest(RecordCounts& counts) {
  State& state = Shared();
  std::lock_guard lock(state.mutex);
  counts = state.counts;
  counts.sounding = 0;
  for (const auto& channel : state.sounding)
    counts.sounding += static_cast<int32_t>(channel.count());
  return state.opened;
}

}  // namespace vondra
