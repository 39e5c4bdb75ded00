#pragma once
// The readable stage text: one record per line, "time code [x [y [extra]]]", the code by
// its symbolic name or number, missing numbers 0; "#" or ";" starts a comment.
#include <string>
#include <string_view>
#include <vector>

#include "game/play/stage_codes.h"
#include "tools/stagec/stage_problem.h"

namespace stagec {

struct ParsedStage {
  std::vector<tolvane::StageRecord> records;
  std::vector<int> lines;  // the line of each record
  int lastLine = 0;        // number of lines in the text
  Problems problems;       // syntax refusals; the stage rules are CheckStage's
};

ParsedStage ParseStageText(std::string_view text);

// Writes records so that ParseStageText gives them back unchanged: every field as a
// number, codes by name (by number when unknown), and a comment for what a picture shows.
std::string FormatStageText(const std::vector<tolvane::StageRecord>& records);

}  // namespace stagec
