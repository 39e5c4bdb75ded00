#pragma once
// The file analysis: a whole song walked through the event grammar without a clock and
// without sending anything, collecting its length, end position, texts and per-channel note
// statistics. Play start copies the averages into the channel picture for inverted play.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "sequencer/src/analysis_entry.h"
#include "sequencer/src/messages.h"
#include "sequencer/src/song_state.h"

namespace vondra {

inline constexpr size_t kAnalysisTextSize = 16384;
// One text passes through a work area this large with "\r\n" and a terminating zero.
inline constexpr size_t kTextWorkArea = 1024;
inline constexpr const char* kTextStampFormat = "%04d:%d:%03d ";
inline constexpr const char* kTextEnd = "\r\n";

// A zero-terminated text that stamped texts are appended to; what does not fit is cut.
class TextBuffer {
 public:
  TextBuffer();
  void Clear();
  void Append(const char* text, size_t length);
  const char* Text() const { return data_.get(); }
  char* Data() { return data_.get(); }
  size_t Length() const { return length_; }

 private:
  std::unique_ptr<char[]> data_;
  size_t length_ = 0;
};

class Analysis {
 public:
  explicit Analysis(AnalysisEntries& entries) : entries_(entries) {}

  // Allocates the buffers: 1 when they already exist, 0 when this call made them.
  int32_t Init();
  // 0 analysed, 1 no buffers or no image, 2 no "MThd".
  int32_t Run(const std::vector<uint8_t>* image, MessageSink& messages);

  bool Ready() const { return ready_; }
  int32_t SongLength() const { return songLength_; }
  int32_t EndMeasure() const { return endMeasure_; }
  int32_t EndBeat() const { return endBeat_; }
  int32_t EndTick() const { return endTick_; }
  const char* TextEvents() const { return ready_ ? buffers_->textEvents.Text() : nullptr; }
  const char* Copyright() const { return ready_ ? buffers_->copyright.Text() : nullptr; }
  const char* Lyrics() const { return ready_ ? buffers_->lyrics.Text() : nullptr; }
  const AnalysisEntries& Entries() const { return entries_; }

 private:
  struct Buffers {
    TextBuffer textEvents;
    TextBuffer copyright;
    TextBuffer lyrics;
    std::array<TextBuffer, kChannelCount> trackNames;
    std::array<TextBuffer, kChannelCount> instrumentNames;
  };
  class Walk;

  void Clear();

  AnalysisEntries& entries_;
  std::unique_ptr<Buffers> buffers_;
  bool ready_ = false;
  int32_t songLength_ = 0;
  int32_t endMeasure_ = 0;
  int32_t endBeat_ = 0;
  int32_t endTick_ = 0;
};

}  // namespace vondra
