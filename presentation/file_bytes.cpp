#include "presentation/file_bytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "presentation/image_archive.h"

namespace pres {
namespace {

[[noreturn]] void Fail(const char* what, const std::string& path, int error) {
  throw FileOpenError(std::string(what) + " file \"" + path + "\": " + std::strerror(error));
}

// Closes the descriptor however the function that opened it ends.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

std::shared_ptr<const FileBytes> FileBytes::Open(const std::string& path) {
  const Descriptor file{open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (file.fd < 0) Fail("cannot open", path, errno);
  struct stat status {};
  if (fstat(file.fd, &status) != 0) Fail("cannot read", path, errno);
  std::shared_ptr<FileBytes> bytes(new FileBytes);
  if (!S_ISREG(status.st_mode))
    Fail("cannot read", path, S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
  bytes->size_ = size_t(status.st_size);
  if (bytes->size_ == 0) return bytes;
  void* map = mmap(nullptr, bytes->size_, PROT_READ, MAP_PRIVATE, file.fd, 0);
  if (map != MAP_FAILED) {
    bytes->data_ = static_cast<const uint8_t*>(map);
    bytes->mapped_ = true;
    return bytes;
  }
  // Some file systems cannot map: read the whole file instead.
  bytes->copy_ = std::make_unique_for_overwrite<uint8_t[]>(bytes->size_);
  for (size_t done = 0; done < bytes->size_;) {
    const ssize_t got = read(file.fd, bytes->copy_.get() + done, bytes->size_ - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Fail("cannot read", path, errno);
    if (got == 0) {
      bytes->size_ = done;  // the file shrank meanwhile
      break;
    }
    done += size_t(got);
  }
  bytes->data_ = bytes->copy_.get();
  return bytes;
}

FileBytes::~FileBytes() {
  if (mapped_) munmap(const_cast<uint8_t*>(data_), size_);
}

}  // namespace pres
