#pragma once
// A contact sheet for artists: every archive entry as a numbered thumbnail, transparent
// pixels shown as a checkerboard and pattern cells outlined.
#include <string>
#include <vector>

#include "presentation/image_archive.h"
#include "tools/artbuild/catalogue.h"

namespace artbuild {

// Writes a PNG; roles come from the catalogue when it has a row for the entry.
bool WriteContactSheet(const std::vector<pres::ImageEntry>& entries, const Catalogue& catalogue,
                       const std::string& path);

}  // namespace artbuild
