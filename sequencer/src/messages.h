#pragma once
// The library's own texts, and where its messages go. A library never prints by itself: a
// message is handed to a sink, by default the host's handler or standard error.
#include <mutex>
#include <string>

#include "sequencer/include/vondra.h"

namespace vondra {

inline constexpr const char* kBanner = "Qarnwell SMF player VONDRA ";
inline constexpr const char* kVersionNumber = "0.50";
inline constexpr const char* kVersionFormat = "%s ver.%s%s";
inline constexpr const char* kInitialisedSuffix = " tp";

inline constexpr const char* kSysExBufferFailedFormat =
    "%dbytes のｴｸｽｸﾙｼﾌﾞﾒｯｾｰｼﾞ送信ﾊﾞｯﾌｧが作成できませんでした";
inline constexpr const char* kTimerPrecisionFormat =
    "使用しているコンピュータのタイマの精度が %dmsec のため\n"
    "使用しようする精度 %dmsec を確保できませんでした\n"
    "タイマの精度を %dmsecに落とします\n";
inline constexpr const char* kCloseFailedText = "MIDIマッパが終了できませんでした";
inline constexpr const char* kPlaybackDataErrorFormat =
    "演奏ﾃﾞｰﾀが異常，もしくは %s がｻﾎﾟｰﾄしていないﾒﾀｲﾍﾞﾝﾄです\n"
    "演奏を中断します\n"
    "  異常ﾃﾞｰﾀ   ﾄﾗｯｸ%d の %02x %02x ...";
inline constexpr const char* kAnalysisDataErrorFormat =
    "演奏ﾃﾞｰﾀが異常，もしくは %s がｻﾎﾟｰﾄしていないﾒﾀｲﾍﾞﾝﾄです\n"
    "解析を中断します\n"
    "  異常ﾃﾞｰﾀ   ﾄﾗｯｸ%d の %02x %02x ...";

enum class MessageKind { kWarning = VONDRA_MESSAGE_WARNING, kError = VONDRA_MESSAGE_ERROR };

struct Message {
  MessageKind kind = MessageKind::kWarning;
  std::string text;
};

// printf-style formatting into a string.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Deliver(const Message& message) = 0;
};

// Hands messages to the handler installed with vondraSetMessageHandler, or writes them to
// standard error.
class HandlerSink final : public MessageSink {
 public:
  void SetHandler(VondraMessageHandler handler, void* user);
  void Deliver(const Message& message) override;

 private:
  std::mutex mutex_;
  VondraMessageHandler handler_ = nullptr;
  void* user_ = nullptr;
};

}  // namespace vondra
