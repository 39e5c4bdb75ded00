#include "game/flow/high_scores.h"

#include <charconv>

#include "game/flow/flow_texts.h"

namespace tolvane {

std::array<std::string, kRankCount> RankName;
std::array<int32_t, kRankCount> RankScore{};
std::array<int32_t, kRankCount> RankYear{};
std::array<int32_t, kRankCount> RankMonth{};
std::array<int32_t, kRankCount> RankDay{};

namespace {

// Field positions of a stored entry.
constexpr int32_t kNameField = 0;
constexpr int32_t kScoreField = 1;
constexpr int32_t kYearField = 2;
constexpr int32_t kMonthField = 3;
constexpr int32_t kDayField = 4;

constexpr unsigned char kLastSeparator = 32;

bool InTable(int32_t n) {
  return n >= 0 && n < kRankCount;
}

// The whole field as a decimal int32 (an optional minus sign, then digits only).
bool ParseNumber(const std::string& field, int32_t& number) {
  const char* end = field.data() + field.size();
  const auto [stop, error] = std::from_chars(field.data(), end, number);
  return error == std::errc() && stop == end && !field.empty();
}

class StoredEntry {
 public:
  explicit StoredEntry(std::string_view value) : count_(SplitFields(value, fields_)) {}

  bool Has(int32_t field) const { return field < count_; }
  const std::string& Text(int32_t field) const { return fields_[static_cast<size_t>(field)]; }
  bool Number(int32_t field, int32_t& number) const {
    return Has(field) && ParseNumber(Text(field), number);
  }

 private:
  FieldList fields_;
  int32_t count_;
};

const StoredEntry& DefaultEntry() {
  static const StoredEntry entry(kDefaultRankEntry);
  return entry;
}

int32_t NumberOrDefault(const StoredEntry& entry, int32_t field) {
  int32_t number = 0;
  if (entry.Number(field, number)) return number;
  DefaultEntry().Number(field, number);
  return number;
}

void CopyEntry(int32_t to, int32_t from) {
  const auto t = static_cast<size_t>(to);
  const auto f = static_cast<size_t>(from);
  RankName[t] = RankName[f];
  RankScore[t] = RankScore[f];
  RankYear[t] = RankYear[f];
  RankMonth[t] = RankMonth[f];
  RankDay[t] = RankDay[f];
}

}  // namespace

int32_t SplitFields(std::string_view value, FieldList& fields) {
  int32_t count = 0;
  std::string current;
  for (const char c : value) {
    if (count == kMaxFields) break;
    if (static_cast<unsigned char>(c) <= kLastSeparator) {
      if (!current.empty()) fields[static_cast<size_t>(count++)] = std::move(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty() && count < kMaxFields)
    fields[static_cast<size_t>(count++)] = std::move(current);
  return count;
}

void SetRankFromText(int32_t n, std::string_view value) {
  if (!InTable(n)) return;
  const StoredEntry entry(value);
  const auto i = static_cast<size_t>(n);
  RankName[i] = entry.Has(kNameField) ? entry.Text(kNameField) : DefaultEntry().Text(kNameField);
  RankScore[i] = NumberOrDefault(entry, kScoreField);
  RankYear[i] = NumberOrDefault(entry, kYearField);
  RankMonth[i] = NumberOrDefault(entry, kMonthField);
  RankDay[i] = NumberOrDefault(entry, kDayField);
}

std::string RankAsText(int32_t n) {
  if (!InTable(n)) return kDefaultRankEntry;
  const auto i = static_cast<size_t>(n);
  const std::string name = RankName[i].empty() ? std::string(kEmptyNameStored) : RankName[i];
  return name + ' ' + std::to_string(RankScore[i]) + ' ' + std::to_string(RankYear[i]) + ' ' +
         std::to_string(RankMonth[i]) + ' ' + std::to_string(RankDay[i]);
}

int32_t PlaceOf(int32_t score) {
  int32_t n = kRankCount;
  while (n > 0 && RankScore[static_cast<size_t>(n - 1)] < score) n -= 1;
  return n;
}

void InsertRank(int32_t n, int32_t score, CalendarDate date) {
  if (!InTable(n)) return;
  for (int32_t i = kRankCount - 1; i > n; --i) CopyEntry(i, i - 1);
  const auto at = static_cast<size_t>(n);
  RankName[at].clear();
  RankScore[at] = score;
  RankYear[at] = date.year;
  RankMonth[at] = date.month;
  RankDay[at] = date.day;
}

void ResetHighScores() {
  for (int32_t n = 0; n < kRankCount; ++n) SetRankFromText(n, kDefaultRankEntry);
}

}  // namespace tolvane
