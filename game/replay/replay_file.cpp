#include "game/replay/replay_file.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "game/flow/boot_scene.h"
#include "game/replay/start_state.h"
#include "presentation/byte_reader.h"
#include "presentation/byte_writer.h"

namespace tolvane {
namespace {

constexpr std::string_view kMagic = "TOLVRPLY";
// Header fields (README.md has the table).
constexpr size_t kVersionAt = 8;
constexpr size_t kCrcAt = 12;
constexpr size_t kSectionSizesAt = 48;
constexpr size_t kDigestBytes = 8;
constexpr int32_t kMostRate = 1000;
constexpr int32_t kMostLevel = 50;
constexpr size_t kMostNameLength = 63;
// A change byte: the sample bit that changes, and whether another change of the same run follows.
constexpr uint8_t kMoreChanges = 0x80;

// Thrown inside a section whose contents do not hold together.
struct Corrupt {};

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc = 0) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

// Unsigned numbers in 7-bit groups, lowest first; signed ones zigzagged first.
void PutVar(pres::ByteWriter& out, uint64_t v) {
  while (v >= 0x80) {
    out.U8(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  out.U8(static_cast<uint8_t>(v));
}
void PutSigned(pres::ByteWriter& out, int64_t v) {
  PutVar(out, (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63));
}

class SectionReader {
 public:
  explicit SectionReader(std::span<const uint8_t> bytes) : in_(bytes, "") {}

  uint64_t Var() {
    uint64_t v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      const uint8_t b = Byte();
      v |= uint64_t{b & 0x7Fu} << shift;
      if ((b & 0x80) == 0) return v;
    }
    throw Corrupt{};
  }
  int64_t Signed() {
    const uint64_t v = Var();
    return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1);
  }
  // A number that must lie in [least, most].
  int32_t Int(int64_t least, int64_t most) {
    const int64_t v = Signed();
    if (v < least || v > most) throw Corrupt{};
    return static_cast<int32_t>(v);
  }
  uint32_t Count(uint64_t most) {
    const uint64_t v = Var();
    if (v > most) throw Corrupt{};
    return static_cast<uint32_t>(v);
  }
  uint8_t Byte() {
    if (in_.AtEnd()) throw Corrupt{};
    return in_.U8();
  }
  uint32_t U32() {
    if (in_.Remaining() < 4) throw Corrupt{};
    return in_.U32();
  }
  std::span<const uint8_t> Bytes(size_t n) {
    if (in_.Remaining() < n) throw Corrupt{};
    return in_.Bytes(n);
  }
  bool AtEnd() const { return in_.AtEnd(); }

 private:
  pres::ByteReader in_;
};

// --- the start state ---

void PutWork(pres::ByteWriter& out, const std::vector<Leftover>& leftovers) {
  // Zero words are the rule: each stretch is (zeros skipped, words that follow, the words).
  std::vector<int32_t> words;
  for (const Leftover& l : leftovers) words.insert(words.end(), l.work.begin(), l.work.end());
  size_t at = 0;
  while (at < words.size()) {
    size_t zeros = 0;
    while (at + zeros < words.size() && words[at + zeros] == 0) ++zeros;
    size_t set = 0;
    while (at + zeros + set < words.size() && words[at + zeros + set] != 0) ++set;
    PutVar(out, zeros);
    PutVar(out, set);
    for (size_t k = 0; k < set; ++k) PutSigned(out, words[at + zeros + k]);
    at += zeros + set;
  }
}

void GetWork(SectionReader& in, std::vector<Leftover>& leftovers) {
  const size_t total = leftovers.size() * kWorkWords;
  size_t at = 0;
  while (at < total) {
    at += in.Count(total - at);
    const uint32_t set = in.Count(total - at);
    for (uint32_t k = 0; k < set; ++k, ++at) {
      leftovers[at / kWorkWords].work[at % kWorkWords] = in.Int(INT32_MIN, INT32_MAX);
    }
  }
}

void PutStart(pres::ByteWriter& out, const StartState& s) {
  for (int32_t v : {s.frameCount, s.newGameSlot, s.keySequenceIndex}) PutSigned(out, v);
  out.U8(s.options);
  PutSigned(out, s.startStage);
  for (int32_t level : s.startWeaponLevel) PutSigned(out, level);
  for (int32_t v : {s.maxSkip, s.frameRate}) PutSigned(out, v);
  for (uint32_t seed : s.random.seed) out.U32(seed);
  for (uint32_t counter : s.random.counter) PutVar(out, counter);
  for (const RankRecord& r : s.ranks) {
    PutVar(out, r.name.size());
    out.Text(r.name);
    PutSigned(out, r.score);
    for (int32_t v : {r.year, r.month, r.day}) PutSigned(out, v);
  }
  for (const Leftover& l : s.leftovers) out.U8(l.animTable);
  PutWork(out, s.leftovers);
}

StartState GetStart(SectionReader& in) {
  StartState s;
  s.frameCount = in.Int(1, INT32_MAX);
  s.newGameSlot = in.Int(0, kPoolSize - 1);
  s.keySequenceIndex = in.Int(0, kKeysArmed);
  s.options = in.Byte();
  s.startStage = in.Int(1, 5);
  for (int32_t& level : s.startWeaponLevel) level = in.Int(0, kMostLevel);
  s.maxSkip = in.Int(0, 9);
  s.frameRate = in.Int(0, kMostRate);
  for (uint32_t& seed : s.random.seed) seed = in.U32();
  for (uint32_t& counter : s.random.counter) counter = static_cast<uint32_t>(in.Count(UINT32_MAX));
  for (RankRecord& r : s.ranks) {
    const auto name = in.Bytes(in.Count(kMostNameLength));
    r.name.assign(name.begin(), name.end());
    r.score = in.Int(INT32_MIN, INT32_MAX);
    r.year = in.Int(INT32_MIN, INT32_MAX);
    r.month = in.Int(INT32_MIN, INT32_MAX);
    r.day = in.Int(INT32_MIN, INT32_MAX);
  }
  for (Leftover& l : s.leftovers) {
    l.animTable = in.Byte();
    if (l.animTable >= KnownAnimTables().size()) throw Corrupt{};
  }
  GetWork(in, s.leftovers);
  return s;
}

// --- the inputs: the first sample whole, then for each run the bits that change ---

void PutInputs(pres::ByteWriter& out, const std::vector<SampleRun>& runs) {
  FrameSample last = 0;
  for (size_t n = 0; n < runs.size(); ++n) {
    if (n == 0) {
      PutVar(out, runs[0].sample);
    } else {
      const FrameSample changed = runs[n].sample ^ last;
      for (int bit = 0; bit < kSampleBits; ++bit) {
        if ((changed >> bit & 1) == 0) continue;
        const bool more = (changed >> (bit + 1)) != 0;
        out.U8(static_cast<uint8_t>(bit | (more ? kMoreChanges : 0)));
      }
    }
    PutVar(out, runs[n].frames - 1);
    last = runs[n].sample;
  }
}

std::vector<SampleRun> GetInputs(SectionReader& in, uint32_t frames) {
  std::vector<SampleRun> runs;
  FrameSample sample = 0;
  uint64_t total = 0;
  while (!in.AtEnd()) {
    if (runs.empty()) {
      sample = in.Var();
      if (sample >> kSampleBits != 0) throw Corrupt{};
    } else {
      FrameSample changed = 0;
      uint8_t b = 0;
      do {
        b = in.Byte();
        const int bit = b & ~kMoreChanges;
        if (bit >= kSampleBits) throw Corrupt{};
        changed |= FrameSample{1} << bit;
      } while ((b & kMoreChanges) != 0);
      sample ^= changed;
    }
    const uint32_t length = in.Count(frames) + 1;
    total += length;
    if (total > frames) throw Corrupt{};
    runs.push_back({sample, length});
  }
  if (total != frames) throw Corrupt{};
  return runs;
}

void PutRates(pres::ByteWriter& out, const std::vector<RateChange>& rates) {
  uint32_t last = 0;
  for (const RateChange& r : rates) {
    PutVar(out, r.frame - last);
    PutSigned(out, r.rate);
    last = r.frame;
  }
}

std::vector<RateChange> GetRates(SectionReader& in, uint32_t frames) {
  std::vector<RateChange> rates;
  uint64_t frame = 0;
  while (!in.AtEnd()) {
    frame += in.Count(frames);
    if (frame >= frames || (!rates.empty() && frame == rates.back().frame)) throw Corrupt{};
    rates.push_back({static_cast<uint32_t>(frame), in.Int(0, kMostRate)});
  }
  return rates;
}

std::vector<uint8_t> Section(void (*put)(pres::ByteWriter&, const Replay&), const Replay& r) {
  pres::ByteWriter out;
  put(out, r);
  return out.Take();
}

void PutU64(pres::ByteWriter& out, uint64_t v) {
  out.U32(static_cast<uint32_t>(v));
  out.U32(static_cast<uint32_t>(v >> 32));
}

// The CRC covers everything but itself and the inputs: a changed input shows as a desync at
// the next state digest instead, which also says where.
uint32_t FileCrc(std::span<const uint8_t> file, size_t inputsAt, size_t inputsSize) {
  uint32_t crc = Crc32(file.subspan(0, kCrcAt));
  crc = Crc32(file.subspan(kCrcAt + 4, inputsAt - kCrcAt - 4), crc);
  return Crc32(file.subspan(inputsAt + inputsSize), crc);
}

}  // namespace

std::vector<uint8_t> EncodeReplay(const Replay& r) {
  const auto start = Section([](pres::ByteWriter& o, const Replay& x) { PutStart(o, x.start); }, r);
  const auto inputs =
      Section([](pres::ByteWriter& o, const Replay& x) { PutInputs(o, x.runs); }, r);
  const auto rates = Section([](pres::ByteWriter& o, const Replay& x) { PutRates(o, x.rates); }, r);

  pres::ByteWriter out;
  out.Text(kMagic);
  out.U16(kReplayVersion);
  out.U16(0);
  out.U32(0);  // the CRC, filled in below
  PutU64(out, r.dataDigest);
  out.U16(static_cast<uint16_t>(r.date.year));
  for (int32_t v : {r.date.month, r.date.day, r.date.hour, r.date.minute, r.date.second})
    out.U8(static_cast<uint8_t>(v));
  out.U8(static_cast<uint8_t>(r.stageReached));
  out.I32(r.finalScore);
  out.U32(r.frames);
  PutU64(out, r.finalDigest);
  for (size_t size : {start.size(), inputs.size(), rates.size(), r.digests.size()})
    out.U32(static_cast<uint32_t>(size));
  out.Bytes(start);
  const size_t inputsAt = out.Size();
  out.Bytes(inputs);
  out.Bytes(rates);
  for (uint64_t d : r.digests) PutU64(out, d);
  std::vector<uint8_t> file = out.Take();
  const uint32_t crc = FileCrc(file, inputsAt, inputs.size());
  for (int i = 0; i < 4; ++i) file[kCrcAt + size_t(i)] = static_cast<uint8_t>(crc >> (8 * i));
  return file;
}

std::variant<Replay, ReplayFileError> DecodeReplay(std::span<const uint8_t> file) {
  const auto magic = reinterpret_cast<const char*>(file.data());
  if (file.size() < kMagic.size() || std::string_view(magic, kMagic.size()) != kMagic)
    return ReplayFileError{ReplayFault::NotAReplay};
  if (file.size() < kVersionAt + 2) return ReplayFileError{ReplayFault::Truncated};
  pres::ByteReader header(file, "");
  header.Seek(kVersionAt);
  const uint16_t version = header.U16();
  if (version != kReplayVersion) return ReplayFileError{ReplayFault::OtherVersion, version};
  if (file.size() < kReplayHeaderSize) return ReplayFileError{ReplayFault::Truncated};

  header.Seek(kSectionSizesAt);
  const uint64_t startSize = header.U32(), inputsSize = header.U32(), ratesSize = header.U32();
  const uint64_t digestCount = header.U32();
  const uint64_t total =
      kReplayHeaderSize + startSize + inputsSize + ratesSize + digestCount * kDigestBytes;
  if (total > file.size()) return ReplayFileError{ReplayFault::Truncated};
  if (total < file.size()) return ReplayFileError{ReplayFault::Corrupted};
  const size_t inputsAt = kReplayHeaderSize + startSize;
  header.Seek(kCrcAt);
  if (header.U32() != FileCrc(file, inputsAt, inputsSize))
    return ReplayFileError{ReplayFault::Corrupted};

  Replay r;
  r.dataDigest = header.U64();
  r.date.year = header.U16();
  for (int32_t* v : {&r.date.month, &r.date.day, &r.date.hour, &r.date.minute, &r.date.second})
    *v = header.U8();
  r.stageReached = header.U8();
  r.finalScore = header.I32();
  r.frames = header.U32();
  r.finalDigest = header.U64();
  if (r.stageReached < 1 || r.stageReached > kEndingReached || r.frames == 0 ||
      r.frames > kMostReplayFrames || digestCount != r.frames / kDigestEvery)
    return ReplayFileError{ReplayFault::Corrupted};
  try {
    SectionReader start(file.subspan(kReplayHeaderSize, startSize));
    r.start = GetStart(start);
    if (!start.AtEnd()) throw Corrupt{};
    SectionReader inputs(file.subspan(inputsAt, inputsSize));
    r.runs = GetInputs(inputs, r.frames);
    SectionReader rates(file.subspan(inputsAt + inputsSize, ratesSize));
    r.rates = GetRates(rates, r.frames);
    SectionReader digests(file.subspan(inputsAt + inputsSize + ratesSize));
    for (uint64_t n = 0; n < digestCount; ++n) {
      const uint64_t low = digests.U32();
      r.digests.push_back(low | uint64_t{digests.U32()} << 32);
    }
  } catch (const Corrupt&) {
    return ReplayFileError{ReplayFault::Corrupted};
  }
  return r;
}

}  // namespace tolvane
