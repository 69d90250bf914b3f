#include "commands/registry/vocabulary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/hash.h"
#include "platform/codepage.h"

namespace yura {
namespace {

// One data line of vocabulary.tsv, fields converted to Shift_JIS.
struct TTsvRow {
  int Line;
  std::vector<std::string> Fields;
};

std::vector<TTsvRow> ReadTsv() {
  std::vector<TTsvRow> rows;
  std::ifstream in(YURA_VOCABULARY_TSV, std::ios::binary);
  EXPECT_TRUE(in.is_open()) << YURA_VOCABULARY_TSV;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    TTsvRow row{number, {}};
    for (std::size_t start = 0;;) {
      const std::size_t tab = line.find('\t', start);
      row.Fields.push_back(Utf8ToSjis(line.substr(start, tab - start)));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

const char* KindName(TRegistrationKind kind) {
  switch (kind) {
    case TRegistrationKind::Command: return "command";
    case TRegistrationKind::Variable: return "variable";
    case TRegistrationKind::Constant: return "constant";
  }
  return "?";
}

bool IsCommand(const TRegistration& r) { return r.Kind == TRegistrationKind::Command; }

TEST(Vocabulary, TableMatchesTheTsvRowByRow) {
  const std::vector<TTsvRow> rows = ReadTsv();
  ASSERT_EQ(rows.size(), kVocabularySize);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TTsvRow& row = rows[i];
    const TRegistration& r = kVocabulary[i];
    SCOPED_TRACE("vocabulary.tsv line " + std::to_string(row.Line));
    ASSERT_EQ(row.Fields.size(), 4u);
    EXPECT_EQ(row.Fields[0], KindName(r.Kind));
    EXPECT_EQ(row.Fields[1], r.Name);
    EXPECT_EQ(row.Fields[2], r.Text);
    if (IsCommand(r)) {
      EXPECT_EQ(row.Fields[3], std::to_string(r.Number));
      EXPECT_STREQ(r.Tag, "");
    } else {
      EXPECT_EQ(r.Number, -1);
      EXPECT_EQ(row.Fields[3], r.Tag);
    }
  }
}

TEST(Vocabulary, CountsAndCommandNumbers) {
  std::map<TRegistrationKind, int> counts;
  std::set<int> numbers;
  for (std::size_t i = 0; i < kVocabularySize; ++i) {
    const TRegistration& r = kVocabulary[i];
    ++counts[r.Kind];
    if (!IsCommand(r)) continue;
    EXPECT_GE(r.Number, 0) << r.Name;
    EXPECT_LE(r.Number, 500) << r.Name;
    numbers.insert(r.Number);
  }
  EXPECT_EQ(counts[TRegistrationKind::Command], 515);
  EXPECT_EQ(counts[TRegistrationKind::Variable], 92);
  EXPECT_EQ(counts[TRegistrationKind::Constant], 32);
  EXPECT_EQ(numbers.size(), 486u);
  std::vector<int> unused;
  for (int n = 0; n <= 500; ++n)
    if (numbers.count(n) == 0) unused.push_back(n);
  const std::vector<int> expected = {43, 177, 199, 201, 202, 203, 204, 205, 289, 316, 386, 387, 388, 447, 480};
  EXPECT_EQ(unused, expected);
}

TEST(Vocabulary, AliasesShareTheirNumber) {
  // Each group is every name that carries the number.
  const std::pair<int, std::set<std::string>> groups[] = {
      {92, {"文字数", "LEN"}},
      {187, {"RE", "正規表現マッチ"}},
      {343, {"MOD", "余り"}},
      {2, {"終わり", "おわり", "おわる"}},
      {20, {"違えば", "でなければ"}},
  };
  for (const auto& [number, names] : groups) {
    std::set<std::string> found;
    for (std::size_t i = 0; i < kVocabularySize; ++i)
      if (IsCommand(kVocabulary[i]) && kVocabulary[i].Number == number) found.insert(kVocabulary[i].Name);
    EXPECT_EQ(found, names) << "command number " << number;
  }
}

TEST(Vocabulary, NamesStayDistinctAfterStripping) {
  std::map<std::string, std::string> stripped;  // stripped command name -> name as written
  for (std::size_t i = 0; i < kVocabularySize; ++i) {
    const TRegistration& r = kVocabulary[i];
    if (!IsCommand(r)) continue;
    const auto [it, added] = stripped.emplace(StripOkurigana(r.Name), r.Name);
    EXPECT_TRUE(added) << r.Name << " and " << it->second << " both register as " << it->first;
  }
  for (std::size_t i = 0; i < kVocabularySize; ++i) {
    const TRegistration& r = kVocabulary[i];
    if (IsCommand(r)) continue;
    if (const auto it = stripped.find(r.Name); it != stripped.end())
      ADD_FAILURE() << r.Name << " collides with the command " << it->second;
  }
}

}  // namespace
}  // namespace yura
