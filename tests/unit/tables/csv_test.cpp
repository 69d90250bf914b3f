#include "commands/tables/csv.h"

#include <gtest/gtest.h>

#include "commands/tables/condition.h"
#include "commands/tables/tableops.h"
#include "core/errors.h"

namespace yura {
namespace {

using namespace std::string_literals;
using TRows = std::vector<std::vector<std::string>>;

TRows RowsOf(const TCsvTable& table) {
  TRows rows;
  for (const auto& row : table.Rows()) rows.push_back(row ? *row : TCsvCells{});
  return rows;
}

TEST(CsvReader, Fields) {
  struct TCase {
    const char* label;
    std::string text;
    TRows rows;
  } cases[] = {
      {"quoted comma", "a,\"b,c\",d", {{"a", "b,c", "d"}}},
      {"doubled quote inside quotes", "\"x\"\"y\"", {{"x\"y"}}},
      {"doubled quote outside quotes", "a\"\"b", {{"a\"b"}}},
      {"lone quote inside a field", "a\"b,c", {{"a\"b", "c"}}},
      {"trailing comma adds no cell", "a,b,", {{"a", "b"}}},
      {"blanks after a closing quote", "\"a\"  ,b", {{"a", "b"}}},
      {"cells are trimmed, quoted ones too", " a , \" b \" ", {{"a", "b"}}},
      {"line breaks inside quotes stay", "\"1\r\n2\",x\r\ny", {{"1\r\n2", "x"}, {"y"}}},
      {"CR LF, LF and CR end rows", "a\r\nb\nc\rd", {{"a"}, {"b"}, {"c"}, {"d"}}},
      {"an empty line is one empty cell", "a\r\n\r\nb\r\n", {{"a"}, {""}, {"b"}}},
      {"a final line end adds no row", "a,b\r\n", {{"a", "b"}}},
      {"double-byte trail bytes are no delimiters", "表,ソ", {{"表", "ソ"}}},
      {"a field still quoted after trimming loses the quotes", "\"\"\"q\"\"\"", {{"q"}}},
      {"empty text", "", {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(RowsOf(TCsvTable(c.text)), c.rows);
  }
}

TEST(CsvWriter, QuotingPaddingAndMissingRows) {
  TCsvTable table;
  table.SetCell(0, 0, "plain");
  table.SetCell(1, 0, "a,b");
  table.SetCell(2, 0, "say \"hi\"");
  table.SetCell(0, 1, "ID-7");
  table.SetCell(1, 1, "id");
  table.SetCell(0, 3, "line\r\nbreak");
  EXPECT_EQ(table.ToCsv(),
            "plain,\"a,b\",\"say \"\"hi\"\"\"\r\n"
            "\"ID-7\",id,\r\n"
            "\r\n"
            "\"line\r\nbreak\",,\r\n");
  EXPECT_EQ(TCsvTable("").ToCsv(), "");
  // What is written reads back.
  EXPECT_EQ(RowsOf(TCsvTable(table.ToCsv()))[0], (std::vector<std::string>{"plain", "a,b", "say \"hi\""}));
}

// Rows "key,order": the order column shows where each row came from.
TCsvTable Numbered(const std::vector<std::string>& keys, bool header = false) {
  TCsvTable table;
  std::size_t r = 0;
  if (header) table.SetRow(r++, {"key", "order"});
  for (std::size_t i = 0; i < keys.size(); ++i) table.SetRow(r++, {keys[i], std::to_string(i)});
  table.Header = header;
  return table;
}

std::vector<std::string> Column(const TCsvTable& table, std::size_t column) {
  std::vector<std::string> cells;
  for (std::size_t r = 0; r < table.RowCount(); ++r) cells.push_back(table.Cell(column, r));
  return cells;
}

TEST(TableSort, MergeKeepsTiesInOrderAndSelectionDoesNot) {
  // Fewer than 20 rows: selection sort exchanges, so equal keys may swap.
  TCsvTable small = Numbered({"b", "a", "b", "a"});
  SortRows(small, 0, TSortKey::Text);
  EXPECT_EQ(Column(small, 1), (std::vector<std::string>{"1", "3", "2", "0"}));
  // 24 rows: two halves of 12, each sorted by selection (which scrambles the
  // y rows), then merged taking the left one on ties.
  std::vector<std::string> keys;
  for (int i = 0; i < 24; ++i) keys.push_back(i % 2 == 0 ? "x" : "y");
  TCsvTable large = Numbered(keys);
  SortRows(large, 0, TSortKey::Text);
  EXPECT_EQ(Column(large, 1),
            (std::vector<std::string>{"0", "2", "4", "6", "8", "10", "12", "14", "16", "18", "20", "22", "3", "7",
                                      "1", "9", "5", "11", "15", "19", "13", "21", "17", "23"}));
}

TEST(TableSort, KeysAndHeader) {
  TCsvTable numbers = Numbered({"10", "9", "-1.5", "", "abc"}, true);
  SortRows(numbers, 0, TSortKey::Number);
  EXPECT_EQ(Column(numbers, 0), (std::vector<std::string>{"key", "-1.5", "", "abc", "9", "10"}));
  TCsvTable dates = Numbered({"2024/01/02", "2023/12/31 23:59:59", "not a date", "2023-12-31"});
  SortRows(dates, 0, TSortKey::Date);
  EXPECT_EQ(Column(dates, 1), (std::vector<std::string>{"2", "3", "1", "0"}));
  TCsvTable text = Numbered({"b", "B", "a", "あ", "A"});
  SortRows(text, 0, TSortKey::Text);
  EXPECT_EQ(Column(text, 0), (std::vector<std::string>{"A", "B", "a", "b", "あ"}));
}

TEST(TableOperations, ColumnsReverseTransposeDuplicatesJoin) {
  TCsvTable table("a,b,c\r\n1,2\r\n");
  InsertColumn(table, 3);
  EXPECT_EQ(table.ToCsv(), "a,b,c,\r\n1,2,,\r\n");
  DeleteColumn(table, 0);
  EXPECT_EQ(table.ToCsv(), "b,c,\r\n2,,\r\n");
  MoveColumn(table, 0, 2);
  EXPECT_EQ(table.ToCsv(), "c,,b\r\n,,2\r\n");
  TCsvTable shortRow("a,b\r\nc\r\n");
  EXPECT_THROW(MoveColumn(shortRow, 1, 0), EPlainError);

  TCsvTable reversed("h\r\n1\r\n2\r\n");
  reversed.Header = true;
  ReverseRows(reversed);
  EXPECT_EQ(reversed.ToCsv(), "h\r\n2\r\n1\r\n");

  TCsvTable transposed("a,b,\r\n1,2, \r\n\r\n");
  Transpose(transposed);
  EXPECT_EQ(transposed.ToCsv(), "a,1\r\nb,2\r\n");

  TCsvTable duplicates("1,a\r\n2,b\r\n1,c\r\n");
  RemoveDuplicates(duplicates, 0);
  EXPECT_EQ(duplicates.ToCsv(), "2,b\r\n1,c\r\n");

  TCsvTable people("id,name\r\n1,Ann\r\n2,Bob\r\n3,Cy\r\n");
  TCsvTable ages("id,age\r\n2,40\r\n1,30\r\n2,41\r\n");
  people.Header = ages.Header = true;
  KeyJoin(people, 0, ages, 0);
  EXPECT_EQ(people.ToCsv(), "id,name,age\r\n1,Ann,30\r\n2,Bob,40\r\n3,Cy,\r\n");
}

TEST(TableCondition, CombinesFromTheRight) {
  const TCsvTable table("name,age,town\r\nYamada,25,Tokyo\r\nTanaka,18,Osaka\r\nYamamoto,30,Kyoto\r\n");
  struct TCase {
    std::string condition;
    std::vector<bool> rows;
  } cases[] = {
      {"age>=20", {true, true, false, true}},
      {"age>=20 AND name=\"Yama*\"", {true, true, false, true}},
      {"age>20 かつ town=\"Kyoto\"", {true, false, false, true}},
      {"age<20 または town=`Tokyo`", {true, true, true, false}},
      {"age=18 AND town=\"Osaka\" OR town=\"Kyoto\"", {true, false, true, false}},
      {"(age=18 OR age=30) AND town<>\"Osaka\"", {true, false, false, true}},
      {"name>\"Tanaka\"", {true, true, false, true}},
      {"age=25,town=\"Tokyo\"", {true, true, false, false}},
  };
  for (const TCase& c : cases) EXPECT_EQ(SelectRows(table, c.condition), c.rows) << c.condition;
  struct TError {
    std::string condition, message;
  } errors[] = {
      {"height>1", "CSVデータベースの解析エラー。フィールド名\"height\"が見つかりません。"},
      {"age=<>1", "CSVデータベースの解析エラー。演算子の指定エラー。"},
      {"age", "CSVデータベースの解析エラー。演算子の指定エラー。"},
      {"(age=1", "CSVデータベースの解析エラー。\")\"が対応していません。\""},
  };
  for (const TError& e : errors) {
    try {
      SelectRows(table, e.condition);
      ADD_FAILURE() << e.condition;
    } catch (const EPlainError& error) {
      EXPECT_EQ(error.what(), e.message);
    }
  }
}

}  // namespace
}  // namespace yura
