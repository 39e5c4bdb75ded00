#pragma once
// A value written by one thread and read by others. The engine's picture of the song (channel
// states, position, tempo) is read by the status queries while the player thread changes it:
// each value is atomic so a reader never sees a torn value, and relaxed because a reader may
// see the picture between two events anyway.
#include <atomic>

namespace vondra {

template <typename T>
class Shared {
 public:
  Shared() = default;
  Shared(T value) : value_(value) {}  // NOLINT: reads like the plain value it stands for
  Shared(const Shared&) = delete;
  Shared& operator=(const Shared&) = delete;

  T Get() const { return value_.load(std::memory_order_relaxed); }
  void Set(T value) { value_.store(value, std::memory_order_relaxed); }
  // Single-writer update: a load and a store, not a locked read-modify-write.
  void Add(T delta) { Set(Get() + delta); }
  operator T() const { return Get(); }  // NOLINT
  Shared& operator=(T value) {
    Set(value);
    return *this;
  }

 private:
  std::atomic<T> value_{};
};

}  // namespace vondra
