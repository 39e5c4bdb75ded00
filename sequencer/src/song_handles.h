#pragma once
// Song handles: each is a whole file image in memory, owned by the caller between
// mmsCreateHandle and mmsDestroyHandle. The table knows which handles are alive, so a stale or
// made-up handle is refused instead of being read.
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "sequencer/include/vondra.h"

struct VondraSong {
  std::vector<uint8_t> image;
};

namespace vondra {

class SongHandles {
 public:
  // Reads the whole file; null when it cannot be opened or read.
  SongHandle Create(const char* fileName);
  // A handle made from bytes already in memory (tests, tools).
  SongHandle Adopt(std::vector<uint8_t> image);
  // Frees the handle; false when it is not alive.
  bool Destroy(SongHandle handle);
  // The image of a live handle, or null. Valid until the handle is destroyed.
  const std::vector<uint8_t>* Find(SongHandle handle) const;

 private:
  mutable std::mutex mutex_;
  std::unordered_map<SongHandle, std::unique_ptr<VondraSong>> live_;
};

}  // namespace vondra
