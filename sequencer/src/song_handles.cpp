#include "sequencer/src/song_handles.h"

#include <sys/stat.h>

#include <cstdio>
#include <new>

namespace vondra {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

SongHandle SongHandles::Create(const char* fileName) {
  if (!fileName) return nullptr;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName, "rb"));
  if (!file) return nullptr;
  struct stat info {};
  if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return nullptr;
  const long size = std::ftell(file.get());
  if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return nullptr;
  std::vector<uint8_t> image;
  try {
    image.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  // A short read would hand out an image that is partly zeros: refuse it instead.
  if (!image.empty() && std::fread(image.data(), 1, image.size(), file.get()) != image.size()) {
    return nullptr;
  }
  return Adopt(std::move(image));
}

SongHandle SongHandles::Adopt(std::vector<uint8_t> image) {
  auto song = std::make_unique<VondraSong>();
  song->image = std::move(image);
  SongHandle handle = song.get();
  std::lock_guard lock(mutex_);
  live_.emplace(handle, std::move(song));
  return handle;
}

bool SongHandles::Destroy(SongHandle handle) {
  std::unique_ptr<VondraSong> song;
  {
    std::lock_guard lock(mutex_);
    auto it = live_.find(handle);
    if (it == live_.end()) return false;
    song = std::move(it->second);
    live_.erase(it);
  }
  return true;
}

const std::vector<uint8_t>* SongHandles::Find(SongHandle handle) const {
  std::lock_guard lock(mutex_);
  auto it = live_.find(handle);
  return it == live_.end() ? nullptr : &it->second->image;
}

}  // namespace vondra
