#pragma once
// The image manifest: one line per archive entry, in index order, every index present.
//   INDEX SOURCE [name=N] [pattern=WxH] [gap=WxH] [key=RRGGBB|none] [alpha=A]
//   SOURCE is an SVG path relative to the manifest's folder, or box:WxH for a generated
//   placeholder, which also takes [label="text"] [color=RRGGBB] [fill=none].
// content/images/README.md describes it for artists.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace artbuild {

// No picture of a 480 x 320 game comes near this; it keeps a mistyped size from
// exhausting memory.
inline constexpr int kMaxPictureSide = 4096;

struct BoxSpec {
  int width = 0;
  int height = 0;
  std::string label;
  std::optional<uint32_t> colour;  // 0xRRGGBB; a colour picked from the index when absent
  bool filled = true;              // false: outline and numbers only, the inside transparent
};

struct ManifestEntry {
  int line = 0;
  int index = 0;
  std::string name;
  std::string source;  // SVG path; empty for a box
  std::optional<BoxSpec> box;
  int patternWidth = 0;  // 0: the whole picture
  int patternHeight = 0;
  int skipWidth = 0;
  int skipHeight = 0;
  bool transparent = true;
  uint32_t keyColour = 0;    // 0xRRGGBB
  int alphaThreshold = 128;  // rendered pixels less opaque than this become the key
};

struct ManifestProblem {
  int line = 0;
  std::string message;
};

struct Manifest {
  std::vector<ManifestEntry> entries;
  std::vector<ManifestProblem> problems;
};

Manifest ParseManifest(std::string_view text);

}  // namespace artbuild
