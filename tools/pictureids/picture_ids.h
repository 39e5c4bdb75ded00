#pragma once
// The picture identifiers of the image manifest, as a C++ header: one constant per entry drawn
// from a source, holding its archive index, so the game and the tests name pictures and the
// manifest alone numbers them.
#include <string>
#include <vector>

#include "tools/artbuild/manifest.h"

namespace pictureids {

// The entry's identifier without the "k": its name= option, or else its SVG file's name in
// camel case ("gunship-attack.svg": GunshipAttack); empty for a box, which has none.
std::string Identifier(const artbuild::ManifestEntry& entry);

struct Header {
  std::string text;
  std::vector<std::string> problems;  // identifiers that are not C++ names or repeat
};

Header PictureIdsHeader(const artbuild::Manifest& manifest);

}  // namespace pictureids
