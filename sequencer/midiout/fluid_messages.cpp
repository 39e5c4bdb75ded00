#include "sequencer/midiout/fluid_messages.h"

namespace vondra {

void PlayShortMessage(const FluidCalls& fluid, fluid_synth_t* synth, uint32_t packed) {
  const int channel = ShortStatus(packed) & 0x0F;
  const int data1 = ShortData1(packed) & 0x7F;
  const int data2 = ShortData2(packed) & 0x7F;
  switch (ShortStatus(packed) & 0xF0) {
    case 0x80:
      fluid.noteOff(synth, channel, data1);
      break;
    case 0x90:
      if (data2 == 0) {
        fluid.noteOff(synth, channel, data1);
      } else {
        fluid.noteOn(synth, channel, data1, data2);
      }
      break;
    case 0xA0:
      fluid.keyPressure(synth, channel, data1, data2);
      break;
    case 0xB0:
      fluid.controlChange(synth, channel, data1, data2);
      break;
    case 0xC0:
      fluid.programChange(synth, channel, data1);
      break;
    case 0xD0:
      fluid.channelPressure(synth, channel, data1);
      break;
    case 0xE0:
      fluid.pitchBend(synth, channel, data2 << 7 | data1);
      break;
    default:
      break;
  }
}

LongResult PlaySysEx(const FluidCalls& fluid, fluid_synth_t* synth,
                     std::span<const uint8_t> message) {
  // The synthesizer takes the body without the framing F0 and F7.
  if (!message.empty() && message.front() == 0xF0) message = message.subspan(1);
  if (!message.empty() && message.back() == 0xF7) message = message.first(message.size() - 1);
  if (message.empty()) return LongResult::kDone;
  const int result = fluid.sysEx(synth, reinterpret_cast<const char*>(message.data()),
                                 static_cast<int>(message.size()), nullptr, nullptr, nullptr, 0);
  return result == FLUID_OK ? LongResult::kDone : LongResult::kFailed;
}

void ReleaseAllNotes(const FluidCalls& fluid, fluid_synth_t* synth) {
  fluid.allNotesOff(synth, -1);
}

}  // namespace vondra
