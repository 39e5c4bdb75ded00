#pragma once
// Renders every manifest entry into an archive entry.
#include <cstdint>
#include <string>
#include <vector>

#include "presentation/image_archive.h"
#include "tools/artbuild/manifest.h"

namespace artbuild {

struct BuiltEntries {
  std::vector<pres::ImageEntry> entries;
  std::vector<ManifestProblem> problems;  // sources that could not be rendered
};

// The game's archive reader refuses archives whose pictures hold more pixels together.
inline constexpr int64_t kMaxArchivePixels = int64_t{1} << 26;

// Sources are found relative to baseDir (the manifest's folder). Entries stop at the one
// that takes the pictures past maxPixels.
BuiltEntries BuildEntries(const Manifest& manifest, const std::string& baseDir,
                          int64_t maxPixels = kMaxArchivePixels);

}  // namespace artbuild
