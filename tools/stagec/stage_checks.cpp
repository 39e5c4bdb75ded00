#include "tools/stagec/stage_checks.h"

#include <string>

namespace stagec {
namespace {

std::string Named(const tolvane::StageCode& c) {
  return std::string(c.name) + " (code " + std::to_string(c.code) + ")";
}

}  // namespace

Problems CheckStage(const std::vector<tolvane::StageRecord>& records,
                    const std::vector<int>& places, int endPlace) {
  using namespace tolvane;
  Problems found;
  auto add = [&found](int where, bool fatal, std::string message) {
    found.push_back(Problem{where, fatal, std::move(message)});
  };

  if (records.size() > static_cast<size_t>(kMaxStageRecords)) {
    add(places[kMaxStageRecords], true,
        "more than " + std::to_string(kMaxStageRecords) + " records: a stage holds at most " +
            std::to_string(kMaxStageRecords));
  }

  bool clearSeen = false;
  bool warnedAfterClear = false;
  for (size_t i = 0; i < records.size(); ++i) {
    const StageRecord& r = records[i];
    const int at = places[i];
    if (clearSeen && !warnedAfterClear) {
      add(at, false, "records after the StageClear record never fire");
      warnedAfterClear = true;
    }
    // The script waits for its clock to equal Time: an earlier time is never reached again.
    if (r.Time < 0) {
      add(at, true, "time " + std::to_string(r.Time) + " is negative: the record would never fire");
    } else if (i > 0 && r.Time < records[i - 1].Time) {
      add(at, true,
          "time " + std::to_string(r.Time) + " is earlier than the time " +
              std::to_string(records[i - 1].Time) + " of the record before it");
    }
    const StageCode* code = FindStageCode(r.Code);
    if (code == nullptr) {
      add(at, true, "unknown code " + std::to_string(r.Code));
      continue;
    }
    if (code->code == kCodeStageClear) clearSeen = true;
    // A boss kill always moves the script on by one record, halted or not.
    if (code->action == CodeAction::Spawn && IsBoss(*code)) {
      if (i + 1 >= records.size() || records[i + 1].Code != kCodeHalt) {
        add(at, true, "boss record " + Named(*code) + " is not followed by a Halt record (code 0)");
      }
    }
    if (code->code == kCodeHalt) {
      const StageCode* before = (i > 0) ? FindStageCode(records[i - 1].Code) : nullptr;
      if (before == nullptr || before->action != CodeAction::Spawn || !IsBoss(*before)) {
        add(at, false, "a Halt record that does not follow a boss stops the script for good");
      }
    }
    if (code->code == kCodePicture) {
      if (r.ArgX < 1 || r.ArgX > static_cast<int32_t>(kPictureList.size())) {
        add(at, true,
            "picture number " + std::to_string(r.ArgX) + " is outside 1-" +
                std::to_string(kPictureList.size()));
      } else if (r.ArgY <= 0) {
        add(at, false,
            "a Picture with hold time " + std::to_string(r.ArgY) +
                (r.ArgY == 0 ? " gets a random hold of 0-319 frames" : " stays for ever"));
      }
    }
  }
  if (!clearSeen) add(endPlace, true, "the stage has no StageClear record (code 999)");
  return found;
}

}  // namespace stagec
