#pragma once
// Turns a music text into a song: parses it, performs every track (repeats expanded,
// lengths resolved) and lines the tracks up so they loop together.
#include <string_view>

#include "tools/mmlc/mml_syntax.h"
#include "tools/mmlc/song.h"

namespace mmlc {

// Throws MmlError with the line and column of the offending command.
Song CompileMml(std::string_view text);

}  // namespace mmlc
