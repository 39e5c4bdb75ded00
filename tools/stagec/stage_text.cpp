#include "tools/stagec/stage_text.h"

#include <charconv>
#include <cstdio>

namespace stagec {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() &&
           (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == ','))
      ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
           line[i] != ',')
      ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

bool ParseInt(std::string_view field, int32_t& out) {
  const char* first = field.data();
  const char* last = field.data() + field.size();
  if (first != last && *first == '+') ++first;
  const auto [end, error] = std::from_chars(first, last, out);
  return error == std::errc() && end == last && first != last;
}

}  // namespace

ParsedStage ParseStageText(std::string_view text) {
  static constexpr const char* kFieldNames[] = {"time", "code", "x", "y", "extra"};
  ParsedStage parsed;
  int lineNumber = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    const size_t comment = line.find_first_of("#;");
    if (comment != std::string_view::npos) line = line.substr(0, comment);
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.empty()) continue;

    auto refuse = [&parsed, lineNumber](std::string message) {
      parsed.problems.push_back(Problem{lineNumber, true, std::move(message)});
    };
    if (fields.size() < 2) {
      refuse("a record needs at least a time and a code");
      continue;
    }
    if (fields.size() > 5) {
      refuse("too many fields: a record is time, code, x, y, extra");
      continue;
    }
    int32_t values[5] = {0, 0, 0, 0, 0};
    bool ok = true;
    for (size_t f = 0; f < fields.size() && ok; ++f) {
      if (f == 1) {
        if (const tolvane::StageCode* code = tolvane::FindStageCodeByName(fields[1])) {
          values[1] = code->code;
          continue;
        }
        if (!ParseInt(fields[1], values[1])) {
          refuse("unknown code '" + std::string(fields[1]) + "'");
          ok = false;
        }
        continue;
      }
      if (!ParseInt(fields[f], values[f])) {
        refuse(std::string(kFieldNames[f]) + " '" + std::string(fields[f]) +
               "' is not a whole number");
        ok = false;
      }
    }
    if (!ok) continue;
    parsed.records.push_back(
        tolvane::StageRecord{values[0], values[1], values[2], values[3], values[4]});
    parsed.lines.push_back(lineNumber);
  }
  parsed.lastLine = lineNumber;
  return parsed;
}

std::string FormatStageText(const std::vector<tolvane::StageRecord>& records) {
  std::string out = "#  time  code                   x      y  extra\n";
  char line[160];
  for (const tolvane::StageRecord& r : records) {
    const tolvane::StageCode* code = tolvane::FindStageCode(r.Code);
    const std::string name = code ? code->name : std::to_string(r.Code);
    std::snprintf(line, sizeof line, "%7d  %-16s %6d %6d %6d", r.Time, name.c_str(), r.ArgX, r.ArgY,
                  r.Extra);
    out += line;
    if (code == nullptr) {
      out += "  # unknown code";
    } else if (r.Code == tolvane::kCodePicture && r.ArgX >= 1 &&
               r.ArgX <= static_cast<int32_t>(tolvane::kPictureList.size())) {
      out += "  # archive entry " +
             std::to_string(tolvane::kPictureList[static_cast<size_t>(r.ArgX - 1)]);
    }
    out += '\n';
  }
  return out;
}

}  // namespace stagec
