#include "sequencer/midiout/background_output.h"

namespace vondra {

BackgroundOutput::BackgroundOutput(std::function<std::unique_ptr<MidiOutput>()> open) {
  opener_ = std::thread([this, open = std::move(open)] {
    output_ = open();
    ready_.store(true, std::memory_order_release);
    // The period may have come while the output was opening; given twice is harmless.
    if (output_ && period_.load() != 0) output_->SetPeriod(period_.load());
  });
}

BackgroundOutput::~BackgroundOutput() {
  if (opener_.joinable()) opener_.join();
}

void BackgroundOutput::ShortMessage(uint32_t packed, double ideal) {
  if (MidiOutput* output = Target()) output->ShortMessage(packed, ideal);
}

LongResult BackgroundOutput::LongMessage(std::span<const uint8_t> message, double ideal) {
  MidiOutput* output = Target();
  return output ? output->LongMessage(message, ideal) : LongResult::kDone;
}

void BackgroundOutput::SetPeriod(uint32_t period) {
  period_.store(period);
  if (MidiOutput* output = Target()) output->SetPeriod(period);
}

void BackgroundOutput::BeginSong() {
  if (MidiOutput* output = Target()) output->BeginSong();
}

void BackgroundOutput::Silence(double ideal, bool atOnce) {
  if (MidiOutput* output = Target()) output->Silence(ideal, atOnce);
}

bool BackgroundOutput::Close() {
  if (opener_.joinable()) opener_.join();
  return output_ ? output_->Close() : true;
}

bool BackgroundOutput::Opened() const {
  return Ready() && output_;
}

}  // namespace vondra
