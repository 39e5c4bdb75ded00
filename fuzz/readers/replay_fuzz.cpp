// libFuzzer target: the replay file reader. Each input is read as it is and again with its CRC
// made to match, so changes reach the sections instead of stopping at the CRC. A replay that
// reads, written again, reads back and writes the same bytes once more.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <variant>
#include <vector>

#include "game/replay/replay_file.h"

namespace {

using tolvane::DecodeReplay;
using tolvane::EncodeReplay;
using tolvane::Replay;

constexpr size_t kCrcAt = 12;
constexpr size_t kSectionSizesAt = 48;

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc) {
  crc = ~crc;
  for (uint8_t b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc & 1) != 0 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
  }
  return ~crc;
}

uint32_t Le32(const std::vector<uint8_t>& file, size_t at) {
  return uint32_t{file[at]} | uint32_t{file[at + 1]} << 8 | uint32_t{file[at + 2]} << 16 |
         uint32_t{file[at + 3]} << 24;
}

// Writes the CRC the reader expects when the section sizes add up to the file's size.
bool MatchCrc(std::vector<uint8_t>& file) {
  if (file.size() < tolvane::kReplayHeaderSize) return false;
  const uint64_t start = Le32(file, kSectionSizesAt), inputs = Le32(file, kSectionSizesAt + 4);
  const uint64_t rates = Le32(file, kSectionSizesAt + 8),
                 digests = Le32(file, kSectionSizesAt + 12);
  if (tolvane::kReplayHeaderSize + start + inputs + rates + digests * 8 != file.size())
    return false;
  const std::span<const uint8_t> all(file);
  const size_t inputsAt = tolvane::kReplayHeaderSize + start;
  uint32_t crc = Crc32(all.subspan(0, kCrcAt), 0);
  crc = Crc32(all.subspan(kCrcAt + 4, inputsAt - kCrcAt - 4), crc);
  crc = Crc32(all.subspan(inputsAt + inputs), crc);
  for (size_t i = 0; i < 4; ++i) file[kCrcAt + i] = static_cast<uint8_t>(crc >> (8 * i));
  return true;
}

void Check(std::span<const uint8_t> bytes) {
  const auto read = DecodeReplay(bytes);
  const Replay* replay = std::get_if<Replay>(&read);
  if (replay == nullptr) return;
  const std::vector<uint8_t> written = EncodeReplay(*replay);
  const auto again = DecodeReplay(written);
  const Replay* second = std::get_if<Replay>(&again);
  if (second == nullptr || EncodeReplay(*second) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Check(std::span<const uint8_t>(data, size));
  std::vector<uint8_t> matched(data, data + size);
  if (MatchCrc(matched)) Check(matched);
  return 0;
}
