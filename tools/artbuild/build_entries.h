#pragma once
// Renders every manifest entry into an archive entry.
#include <string>
#include <vector>

#include "presentation/image_archive.h"
#include "tools/artbuild/manifest.h"

namespace artbuild {

struct BuiltEntries {
  std::vector<pres::ImageEntry> entries;
  std::vector<ManifestProblem> problems;  // sources that could not be rendered
};

// Sources are found relative to baseDir (the manifest's folder).
BuiltEntries BuildEntries(const Manifest& manifest, const std::string& baseDir);

}  // namespace artbuild
