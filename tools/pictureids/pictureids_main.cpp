// pictureids MANIFEST HEADER: the header of picture identifiers, rewritten only when its text
// changes so that an edit of the manifest's options recompiles nothing.
#include <iostream>

#include "tools/common/file_io.h"
#include "tools/pictureids/picture_ids.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: pictureids MANIFEST HEADER\n";
    return 2;
  }
  const auto text = tools::ReadText(argv[1]);
  if (!text) {
    std::cerr << "pictureids: cannot read " << argv[1] << "\n";
    return 1;
  }
  const artbuild::Manifest manifest = artbuild::ParseManifest(*text);
  const pictureids::Header header = pictureids::PictureIdsHeader(manifest);
  for (const auto& p : manifest.problems)
    std::cerr << argv[1] << ":" << p.line << ": error: " << p.message << "\n";
  for (const std::string& p : header.problems) std::cerr << argv[1] << ": error: " << p << "\n";
  if (!manifest.problems.empty() || !header.problems.empty()) return 1;
  if (tools::ReadText(argv[2]) == header.text) return 0;
  if (!tools::WriteAtomically(argv[2], header.text.data(), header.text.size())) {
    std::cerr << "pictureids: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
