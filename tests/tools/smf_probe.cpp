#include "tests/tools/smf_probe.h"

namespace probe {
namespace {

struct Cursor {
  const std::vector<uint8_t>& b;
  size_t at;
  size_t end;
  bool Has(size_t n) const { return at + n <= end; }
  uint8_t Byte() { return b[at++]; }
  uint32_t VarLen() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      if (!Has(1)) throw std::string("truncated variable-length number");
      const uint8_t c = Byte();
      v = (v << 7) | (c & 0x7F);
      if ((c & 0x80) == 0) return v;
    }
    throw std::string("variable-length number longer than 4 bytes");
  }
};

uint32_t BigEndian(const std::vector<uint8_t>& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}

ProbeTrack ReadTrack(const std::vector<uint8_t>& b, size_t start, size_t length, ProbeSong& song) {
  ProbeTrack track;
  Cursor c{b, start, start + length};
  int64_t tick = 0;
  uint8_t running = 0;
  while (c.Has(1)) {
    tick += c.VarLen();
    if (!c.Has(1)) throw std::string("event missing after delta time");
    uint8_t status = c.Byte();
    ProbeEvent e;
    e.tick = tick;
    if (status < 0x80) {
      if (running == 0) throw std::string("data byte without status");
      --c.at;
      status = running;
    }
    e.bytes.push_back(status);
    const uint8_t high = status & 0xF0;
    if (high == 0x80 || high == 0x90 || high == 0xA0 || high == 0xB0 || high == 0xE0) {
      if (!c.Has(2)) throw std::string("truncated channel message");
      e.bytes.push_back(c.Byte());
      e.bytes.push_back(c.Byte());
      if (high == 0x90 && e.bytes[2] > 0) {
        const int ch = status & 0x0F;
        song.noteCount[ch] += 1;
        song.noteSum[ch] += e.bytes[1];
      }
    } else if (high == 0xC0 || high == 0xD0) {
      if (!c.Has(1)) throw std::string("truncated channel message");
      e.bytes.push_back(c.Byte());
    } else if (status == 0xF0) {
      const uint32_t n = c.VarLen();
      if (!c.Has(n)) throw std::string("truncated System Exclusive");
      e.bytes.insert(e.bytes.end(), b.begin() + static_cast<long>(c.at),
                     b.begin() + static_cast<long>(c.at + n));
      c.at += n;
    } else if (status == 0xFF) {
      if (!c.Has(1)) throw std::string("truncated meta event");
      const uint8_t type = c.Byte();
      const uint32_t n = c.VarLen();
      if (!c.Has(n)) throw std::string("truncated meta event");
      e.bytes.push_back(type);
      e.bytes.insert(e.bytes.end(), b.begin() + static_cast<long>(c.at),
                     b.begin() + static_cast<long>(c.at + n));
      c.at += n;
      track.metaTypes.push_back(type);
      if (type == 0x07 && n >= 6 &&
          std::string(e.bytes.begin() + 2, e.bytes.begin() + 8) == "repeat") {
        track.repeatTick = tick;
      }
      if (type == 0x2F) {
        track.endTick = tick;
        track.events.push_back(e);
        if (c.at != c.end) throw std::string("bytes after End of Track");
        return track;
      }
    } else {
      throw std::string("unsupported status byte");
    }
    running = status;
    track.events.push_back(e);
  }
  throw std::string("track without End of Track");
}

}  // namespace

ProbeSong ReadSmf(const std::vector<uint8_t>& b) {
  ProbeSong song;
  try {
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd")
      throw std::string("no MThd");
    song.headerLength = static_cast<int>(BigEndian(b, 4, 4));
    song.format = static_cast<int>(BigEndian(b, 8, 2));
    const uint32_t count = BigEndian(b, 10, 2);
    song.division = static_cast<int>(BigEndian(b, 12, 2));
    size_t at = 14;
    for (uint32_t i = 0; i < count; ++i) {
      if (at + 8 > b.size() || std::string(b.begin() + static_cast<long>(at),
                                           b.begin() + static_cast<long>(at + 4)) != "MTrk") {
        throw std::string("missing MTrk");
      }
      const uint32_t length = BigEndian(b, at + 4, 4);
      if (at + 8 + length > b.size()) throw std::string("track runs past the end");
      song.tracks.push_back(ReadTrack(b, at + 8, length, song));
      at += 8 + length;
    }
    if (at != b.size()) throw std::string("bytes after the last track");
    song.ok = true;
  } catch (const std::string& why) {
    song.error = why;
  }
  return song;
}

}  // namespace probe
