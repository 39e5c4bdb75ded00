#pragma once
// Settings held only while SDL starts its video system: two parts of that start serve text
// input and the desktop bus, which the game (keys only, no text fields) does not use, yet cost
// a large share of the time before the first window can be shown.
#include <optional>
#include <string>
#include <vector>

namespace tolvane {

class VideoStartSettings {
 public:
  // Sets them in the environment, each only where the player has not set it.
  VideoStartSettings();
  // Puts the environment back as it was.
  ~VideoStartSettings();
  VideoStartSettings(const VideoStartSettings&) = delete;
  VideoStartSettings& operator=(const VideoStartSettings&) = delete;

 private:
  void Set(const char* name, const char* value);

  std::vector<std::string> setNames_;
};

// True when a session bus could be found or started for this process: its address is given,
// the per-user bus socket exists, or the program that starts one on demand is installed.
bool SessionBusPossible();

}  // namespace tolvane
