#include "tools/artbuild/build_entries.h"

#include "tools/artbuild/colour_key.h"
#include "tools/artbuild/raster.h"

namespace artbuild {
namespace {

// The archive stores colours as 0x00BBGGRR.
uint32_t StoredColour(uint32_t rgb) {
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace

BuiltEntries BuildEntries(const Manifest& manifest, const std::string& baseDir, int64_t maxPixels) {
  BuiltEntries built;
  built.entries.reserve(manifest.entries.size());
  int64_t pixels = 0;
  for (const ManifestEntry& m : manifest.entries) {
    Rgba image;
    if (m.box) {
      image =
          RenderBox(*m.box, m.index, m.patternWidth, m.patternHeight, m.skipWidth, m.skipHeight);
    } else {
      std::string error;
      auto rendered = RenderSvg(baseDir + "/" + m.source, &error);
      if (!rendered) {
        built.problems.push_back(ManifestProblem{m.line, m.source + ": " + error});
        continue;
      }
      image = std::move(*rendered);
    }
    if (image.width == 0) {
      built.problems.push_back(ManifestProblem{m.line, "the picture could not be drawn"});
      continue;
    }
    pixels += static_cast<int64_t>(image.width) * image.height;
    if (pixels > maxPixels) {
      built.problems.push_back(ManifestProblem{m.line, "the pictures up to here hold more than " +
                                                           std::to_string(maxPixels) +
                                                           " pixels, more than the game reads"});
      break;
    }
    pres::ImageEntry entry;
    entry.name = m.name;
    entry.patternWidth = m.patternWidth;
    entry.patternHeight = m.patternHeight;
    entry.skipWidth = m.skipWidth;
    entry.skipHeight = m.skipHeight;
    entry.transparent = m.transparent;
    entry.transparentColor = StoredColour(m.keyColour);
    entry.picture = KeyPicture(image, m.transparent, m.keyColour, m.alphaThreshold);
    built.entries.push_back(std::move(entry));
  }
  return built;
}

}  // namespace artbuild
