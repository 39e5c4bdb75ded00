#include "tools/artbuild/manifest.h"

#include <charconv>
#include <map>

namespace artbuild {
namespace {

// Splits a line into blank-separated words, keeping "quoted text" together (quotes
// removed) and dropping a "#" comment outside quotes. False when a quote is left open.
bool Words(std::string_view line, std::vector<std::string>& out) {
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (char c : line) {
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else {
        word += c;
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
      inWord = true;
    } else if (c == '#') {
      break;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      if (inWord) out.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) out.push_back(word);
  return !quoted;
}

bool Int(std::string_view s, int& out) {
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), out);
  return error == std::errc() && end == s.data() + s.size() && !s.empty();
}

// "WxH" with both parts at least `least`.
bool Size(std::string_view s, int least, int& w, int& h) {
  const size_t x = s.find('x');
  return x != std::string_view::npos && Int(s.substr(0, x), w) && Int(s.substr(x + 1), h) &&
         w >= least && h >= least;
}

bool Colour(std::string_view s, uint32_t& out) {
  if (s.size() != 6) return false;
  const auto [end, error] = std::from_chars(s.data(), s.data() + 6, out, 16);
  return error == std::errc() && end == s.data() + 6;
}

}  // namespace

Manifest ParseManifest(std::string_view text) {
  Manifest manifest;
  std::map<std::string, int> nameLines;
  int nextIndex = 0;
  int lineNumber = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    auto problem = [&manifest, lineNumber](std::string message) {
      manifest.problems.push_back(ManifestProblem{lineNumber, std::move(message)});
    };

    std::vector<std::string> words;
    if (!Words(line, words)) {
      problem("a quoted text is never closed");
      continue;
    }
    if (words.empty()) continue;
    if (words.size() < 2) {
      problem("an entry needs an index and a source");
      continue;
    }
    ManifestEntry entry;
    entry.line = lineNumber;
    if (!Int(words[0], entry.index) || entry.index < 0) {
      problem("index '" + words[0] + "' is not a whole number of 0 or more");
      continue;
    }
    // Entries are found by position: the list must run 0, 1, 2, ... without a hole.
    if (entry.index != nextIndex) {
      if (entry.index < nextIndex) {
        problem("index " + std::to_string(entry.index) +
                " is out of order or given twice (expected " + std::to_string(nextIndex) + ")");
        continue;
      }
      problem(nextIndex + 1 == entry.index ? "index " + std::to_string(nextIndex) + " is missing"
                                           : "indices " + std::to_string(nextIndex) + "-" +
                                                 std::to_string(entry.index - 1) + " are missing");
    }
    nextIndex = entry.index + 1;
    if (words[1].rfind("box:", 0) == 0) {
      BoxSpec box;
      if (!Size(std::string_view(words[1]).substr(4), 1, box.width, box.height) ||
          box.width > kMaxPictureSide || box.height > kMaxPictureSide) {
        problem("box size '" + words[1].substr(4) + "' is not WIDTHxHEIGHT of 1-" +
                std::to_string(kMaxPictureSide));
        continue;
      }
      entry.box = box;
    } else {
      entry.source = words[1];
    }

    bool ok = true;
    for (size_t i = 2; i < words.size() && ok; ++i) {
      const std::string& word = words[i];
      const size_t eq = word.find('=');
      const std::string key = word.substr(0, eq);
      const std::string value = (eq == std::string::npos) ? std::string() : word.substr(eq + 1);
      auto bad = [&](const std::string& why) {
        problem(why);
        ok = false;
      };
      if (eq == std::string::npos) {
        bad("'" + word + "' is not an option of the form key=value");
      } else if (key == "name") {
        entry.name = value;
      } else if (key == "pattern") {
        if (!Size(value, 1, entry.patternWidth, entry.patternHeight))
          bad("pattern '" + value + "' is not WIDTHxHEIGHT");
      } else if (key == "gap") {
        if (!Size(value, 0, entry.skipWidth, entry.skipHeight))
          bad("gap '" + value + "' is not WIDTHxHEIGHT");
      } else if (key == "key") {
        if (value == "none") {
          entry.transparent = false;
        } else if (!Colour(value, entry.keyColour)) {
          bad("key '" + value + "' is not RRGGBB or none");
        }
      } else if (key == "alpha") {
        if (!Int(value, entry.alphaThreshold) || entry.alphaThreshold < 1 ||
            entry.alphaThreshold > 255) {
          bad("alpha '" + value + "' is not 1-255");
        }
      } else if (key == "label" || key == "color" || key == "fill") {
        if (!entry.box) {
          bad("'" + key + "' belongs to box sources only");
        } else if (key == "label") {
          entry.box->label = value;
        } else if (key == "color") {
          uint32_t colour = 0;
          if (Colour(value, colour)) {
            entry.box->colour = colour;
          } else {
            bad("color '" + value + "' is not RRGGBB");
          }
        } else if (value == "none") {
          entry.box->filled = false;
        } else if (value != "solid") {
          bad("fill '" + value + "' is not solid or none");
        }
      } else {
        bad("unknown option '" + key + "'");
      }
    }
    if (!ok) continue;

    if (!entry.name.empty()) {
      const auto [it, fresh] = nameLines.emplace(entry.name, lineNumber);
      if (!fresh) {
        problem("name '" + entry.name + "' is already given on line " + std::to_string(it->second));
        continue;
      }
    }
    manifest.entries.push_back(std::move(entry));
  }
  return manifest;
}

}  // namespace artbuild
