#include "game/replay/replay_store.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <tuple>

#include "game/replay/replay_file.h"
#include "game/replay/replay_texts.h"
#include "presentation/file_replace.h"
#include "presentation/settings_file.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

constexpr const char* kReplayFolderName = "replays";
// Larger than any replay of ours; a bigger file is not read into memory.
constexpr std::uintmax_t kMostReplayBytes = 16u << 20;

std::string Message(const char* what, const std::string& path, const std::string& detail = "") {
  std::string text = std::string(what) + "\n" + kReplayFileLine + path;
  if (!detail.empty()) text += "\n" + detail;
  return text;
}

std::string FaultMessage(const ReplayFileError& e, const std::string& path) {
  switch (e.fault) {
    case ReplayFault::NotAReplay:
      return Message(kNotAReplay, path);
    case ReplayFault::Truncated:
      return Message(kTruncatedReplay, path);
    case ReplayFault::OtherVersion:
      return Message((kOtherVersionReplay + std::to_string(e.version)).c_str(), path);
    case ReplayFault::Corrupted:
      break;
  }
  return Message(kCorruptedReplay, path);
}

std::string DateName(const ReplayDate& d) {
  char name[32];
  std::snprintf(name, sizeof name, "%04d%02d%02d-%02d%02d%02d", d.year, d.month, d.day, d.hour,
                d.minute, d.second);
  return name;
}

bool Newer(const KeptReplay& a, const KeptReplay& b) {
  const auto key = [](const KeptReplay& r) {
    const ReplayDate& d = r.date;
    // Within one second the later file has the longer name ("-2", "-3" ... "-10").
    return std::make_tuple(d.year, d.month, d.day, d.hour, d.minute, d.second, r.path.size(),
                           std::cref(r.path));
  };
  return key(a) > key(b);
}

}  // namespace

std::string DefaultReplayFolder() {
  return pres::SettingsPath(kReplayFolderName);
}

std::variant<Replay, std::string> ReadReplayFile(const std::string& path) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return Message(kCannotReadReplay, path, ec.message());
  if (size > kMostReplayBytes) return Message(kCorruptedReplay, path);
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (in.bad() || !in.is_open()) return Message(kCannotReadReplay, path);
  auto decoded = DecodeReplay(bytes);
  if (auto* error = std::get_if<ReplayFileError>(&decoded)) return FaultMessage(*error, path);
  return std::get<Replay>(std::move(decoded));
}

std::string ReplayStore::Save(const Replay& replay, std::string* message) const {
  const std::vector<uint8_t> bytes = EncodeReplay(replay);
  const std::string stem = (fs::path(folder_) / DateName(replay.date)).string();
  std::string path = stem + kReplayExtension;
  std::error_code ec;
  for (int n = 2; fs::exists(path, ec); ++n)
    path = stem + "-" + std::to_string(n) + kReplayExtension;
  std::string why;
  const std::string_view contents(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!pres::ReplaceFile(path, contents, &why)) {
    *message = Message(kCannotSaveReplay, path, why);
    return {};
  }
  Prune();
  return path;
}

std::vector<KeptReplay> ReplayStore::List() const {
  std::vector<KeptReplay> kept;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().extension() != kReplayExtension || !it->is_regular_file(ec)) continue;
    auto read = ReadReplayFile(it->path().string());
    if (const Replay* r = std::get_if<Replay>(&read)) {
      kept.push_back({it->path().string(), r->date, r->finalScore, r->stageReached, r->frames});
    }
  }
  std::sort(kept.begin(), kept.end(), Newer);
  return kept;
}

void ReplayStore::Prune() const {
  std::vector<KeptReplay> kept = List();
  if (kept.size() <= kKeepNewest) return;
  std::vector<KeptReplay> byScore = kept;
  std::stable_sort(byScore.begin(), byScore.end(), [](const KeptReplay& a, const KeptReplay& b) {
    return a.finalScore > b.finalScore;
  });
  byScore.resize(std::min(byScore.size(), kKeepBest));
  for (size_t n = kKeepNewest; n < kept.size(); ++n) {
    const bool best = std::any_of(byScore.begin(), byScore.end(),
                                  [&](const KeptReplay& b) { return b.path == kept[n].path; });
    std::error_code ec;
    if (!best) fs::remove(kept[n].path, ec);
  }
}

}  // namespace tolvane
