#ifndef QUORVANE_TESTS_CHART_CHART_LINES_H_
#define QUORVANE_TESTS_CHART_CHART_LINES_H_

// Reading a chart text back for the layout tests.

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "chart/char_table.h"

namespace quorvane::chart::test_support {

// A chart text cut at its CR LF line ends; whatever follows the last line
// end comes back in `rest`.
struct ChartLines {
  std::vector<std::u16string> lines;
  std::u16string rest;
};

inline ChartLines SplitLines(std::u16string_view text) {
  ChartLines result;
  for (std::size_t end = text.find(u"\r\n"); end != std::u16string_view::npos;
       end = text.find(u"\r\n")) {
    result.lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  result.rest = text;
  return result;
}

// Where the fields of one code group stand, as 1-based columns counted from
// the first column of the group. The gap runs from after SYM to gapLast.
struct GroupColumns {
  int decFirst, decLast;
  int hexFirst, hexLast;
  int binaryFirst, binaryLast;
  int symFirst, symLast;
  int gapLast;
};

// Checks that `content` stands right-aligned in columns first to last of
// `line`, with only spaces before it.
inline void ExpectField(std::u16string_view line, int first, int last, std::u16string_view content,
                        std::string_view field) {
  SCOPED_TRACE(std::string(field));
  ASSERT_GE(line.size(), static_cast<std::size_t>(last));
  const std::u16string_view cell =
      line.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
  ASSERT_LE(content.size(), cell.size());
  const std::size_t pad = cell.size() - content.size();
  EXPECT_EQ(cell.substr(pad), content);
  EXPECT_EQ(cell.substr(0, pad), std::u16string(pad, u' '));
}

// Checks the group of `row` starting in column `start` of `line`.
inline void ExpectGroup(std::u16string_view line, int start, const ChartRow& row,
                        const GroupColumns& columns) {
  const int offset = start - 1;
  ExpectField(line, offset + columns.decFirst, offset + columns.decLast, row.Dec, "DEC");
  ExpectField(line, offset + columns.hexFirst, offset + columns.hexLast, row.Hex, "HEX");
  ExpectField(line, offset + columns.binaryFirst, offset + columns.binaryLast, row.Binary,
              "BINARY");
  ExpectField(line, offset + columns.symFirst, offset + columns.symLast, row.Sym, "SYM");
  if (columns.gapLast > columns.symLast) {
    ExpectField(line, offset + columns.symLast + 1, offset + columns.gapLast, u"", "gap");
  }
}

}  // namespace quorvane::chart::test_support

#endif  // QUORVANE_TESTS_CHART_CHART_LINES_H_
