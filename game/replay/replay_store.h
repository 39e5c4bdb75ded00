#pragma once
// The replays folder ($XDG_DATA_HOME/tolvane-echo/replays): every finished game is saved
// there through the same write-then-rename path as the settings, under a name made of its
// date; the newest kKeepNewest and the kKeepBest best by score are kept, older ones removed.
// Files that do not read as replays are never listed and never removed.
#include <string>
#include <variant>
#include <vector>

#include "game/replay/replay_record.h"

namespace tolvane {

inline constexpr size_t kKeepNewest = 20;
inline constexpr size_t kKeepBest = 10;
inline constexpr const char* kReplayExtension = ".tvr";

std::string DefaultReplayFolder();

// A replay read from a file, or the message that says why it cannot be played (naming the file).
std::variant<Replay, std::string> ReadReplayFile(const std::string& path);

struct KeptReplay {
  std::string path;
  ReplayDate date;
  int32_t finalScore = 0;
  int32_t stageReached = 0;
  uint32_t frames = 0;
};

class ReplayStore {
 public:
  explicit ReplayStore(std::string folder) : folder_(std::move(folder)) {}
  const std::string& Folder() const { return folder_; }

  // Saves the replay, then prunes the folder. The saved file's path; when it could not be
  // saved, *message says why (naming the file) and nothing is removed.
  std::string Save(const Replay& replay, std::string* message) const;
  // The replays kept, newest first.
  std::vector<KeptReplay> List() const;

 private:
  void Prune() const;

  std::string folder_;
};

}  // namespace tolvane
