#pragma once
// A file's bytes, mapped read-only into memory (or, where the file cannot be mapped, read
// into it): nothing is copied up front and only the pages looked at are read from disk.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace pres {

class FileBytes {
 public:
  // Throws FileOpenError naming the file and the system's reason.
  static std::shared_ptr<const FileBytes> Open(const std::string& path);
  ~FileBytes();
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  std::span<const uint8_t> Bytes() const { return {data_, size_}; }

 private:
  FileBytes() = default;

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  bool mapped_ = false;
  std::unique_ptr<uint8_t[]> copy_;
};

}  // namespace pres
