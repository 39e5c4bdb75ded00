#include "sequencer/src/library.h"

namespace vondra {

Library::Library() : player(SystemPlatform(), messages, analysisEntries) {}

Library& TheLibrary() {
  static Library library;
  return library;
}

}  // namespace vondra
