// The content tools' text readers under libFuzzer. The first byte picks the reader (music
// text, stage text, image manifest, catalogue); the rest is its text. Every input must end
// in a result or a refusal, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/artbuild/catalogue.h"
#include "tools/artbuild/manifest.h"
#include "tools/mmlc/mml_compiler.h"
#include "tools/mmlc/smf_writer.h"
#include "tools/stagec/stage_checks.h"
#include "tools/stagec/stage_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (data[0] % 4) {
    case 0:
      try {
        mmlc::WriteSmf(mmlc::CompileMml(text));
      } catch (const mmlc::MmlError&) {
      }
      break;
    case 1: {
      const stagec::ParsedStage parsed = stagec::ParseStageText(text);
      stagec::CheckStage(parsed.records, parsed.lines, parsed.lastLine);
      break;
    }
    case 2:
      artbuild::ParseManifest(text);
      break;
    default:
      artbuild::ParseCatalogue(text);
      break;
  }
  return 0;
}
