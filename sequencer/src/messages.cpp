#include "sequencer/src/messages.h"

#include <cstdarg>
#include <cstdio>

namespace vondra {

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  return text;
}

void HandlerSink::SetHandler(VondraMessageHandler handler, void* user) {
  std::lock_guard lock(mutex_);
  handler_ = handler;
  user_ = user;
}

void HandlerSink::Deliver(const Message& message) {
  VondraMessageHandler handler = nullptr;
  void* user = nullptr;
  {
    std::lock_guard lock(mutex_);
    handler = handler_;
    user = user_;
  }
  if (handler) {
    handler(user, static_cast<int32_t>(message.kind), kBanner, message.text.c_str());
    return;
  }
  std::fprintf(stderr, "%s: %s\n", kBanner, message.text.c_str());
}

}  // namespace vondra
