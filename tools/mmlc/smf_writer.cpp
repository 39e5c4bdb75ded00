#include "tools/mmlc/smf_writer.h"

#include <algorithm>
#include <stdexcept>

namespace mmlc {
namespace {

void AppendBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

bool IsChannelStatus(uint8_t status) {
  return status >= 0x80 && status < 0xF0;
}

std::vector<uint8_t> TrackData(const Track& track, int64_t endTick) {
  std::vector<const Event*> events;
  events.reserve(track.events.size());
  for (const Event& e : track.events) events.push_back(&e);
  std::stable_sort(events.begin(), events.end(), [](const Event* a, const Event* b) {
    if (a->tick != b->tick) return a->tick < b->tick;
    return a->order < b->order;
  });

  std::vector<uint8_t> data;
  int64_t now = 0;
  uint8_t runningStatus = 0;
  for (const Event* e : events) {
    if (e->bytes.empty()) continue;
    if (e->tick < now || e->tick > endTick) throw std::logic_error("event outside the song");
    AppendVarLen(data, static_cast<uint32_t>(e->tick - now));
    now = e->tick;
    const uint8_t status = e->bytes[0];
    if (IsChannelStatus(status) && status == runningStatus) {
      data.insert(data.end(), e->bytes.begin() + 1, e->bytes.end());
    } else {
      data.insert(data.end(), e->bytes.begin(), e->bytes.end());
    }
    runningStatus = IsChannelStatus(status) ? status : 0;
  }
  AppendVarLen(data, static_cast<uint32_t>(endTick - now));
  data.insert(data.end(), {0xFF, 0x2F, 0x00});
  return data;
}

}  // namespace

void AppendVarLen(std::vector<uint8_t>& out, uint32_t value) {
  uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1) out.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
  out.push_back(groups[0]);
}

std::vector<uint8_t> WriteSmf(const Song& song) {
  std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
  AppendBigEndian(out, 6, 4);
  AppendBigEndian(out, 1, 2);  // format 1: tracks play in parallel
  AppendBigEndian(out, static_cast<uint32_t>(song.tracks.size()), 2);
  AppendBigEndian(out, static_cast<uint32_t>(song.timebase), 2);
  for (const Track& track : song.tracks) {
    const std::vector<uint8_t> data = TrackData(track, song.endTick);
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    AppendBigEndian(out, static_cast<uint32_t>(data.size()), 4);
    out.insert(out.end(), data.begin(), data.end());
  }
  return out;
}

}  // namespace mmlc
