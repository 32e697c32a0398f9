#include "engine/print/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tallyman {
namespace {

// Every character is kCharWidth device units wide; rows "+d<tab>=d" measure 4 + 1 characters, so
// a column is (4 + 1 + 3 for " = " + 5 for the gap) * 10 = 130 units wide.
constexpr int kCharWidth = 10;
constexpr int kColumn = 130;
int Width(TextView text) {
  return static_cast<int>(text.size()) * kCharWidth;
}

std::vector<Text> Rows(size_t count) {
  std::vector<Text> rows;
  for (size_t i = 0; i < count; ++i) {
    const Text digit = std::to_wstring(i % 10);
    rows.push_back(L"+" + digit + L"\t=" + digit);
  }
  return rows;
}

PrintLayout LayOut(const std::vector<Text>& rows, int pageWidth, int pageHeight, int letterHeight,
                   const Text& title = L"") {
  PrintRequest request;
  request.rows = &rows;
  request.title = title;
  request.pageWidth = pageWidth;
  request.pageHeight = pageHeight;
  request.letterHeight = letterHeight;
  return LayOutPrint(request, Width);
}

struct LayoutCase {
  const char* name;
  size_t rows;
  int pageWidth;
  int pageHeight;
  int letterHeight;
  int line;
  int columns;
  int lines;
  size_t pages;
};

// Letter height 20 gives a line of 30; a page 270 high holds 270 / 30 - 5 = 4 lines per column.
const LayoutCase kLayoutCases[] = {
    {"one row", 1, 590, 270, 20, 30, 3, 4, 1},
    {"three full columns", 12, 590, 270, 20, 30, 3, 4, 1},
    {"one row more starts page 2", 13, 590, 270, 20, 30, 3, 4, 2},
    {"width just short of three columns", 12, 589, 270, 20, 30, 2, 4, 2},
    {"height just short of four lines", 12, 590, 269, 20, 30, 3, 3, 2},
    {"odd letter height rounds the line", 5, 590, 230, 15, 23, 3, 5, 1},  // 22.5 -> 23; 230/23-5
    {"column exactly the printable width", 3, 330, 270, 20, 30, 1, 4, 1},
    {"column wider than the page", 3, 329, 270, 20, 30, 1, 4, 1},
    {"page narrower than the margin", 3, 100, 270, 20, 30, 1, 4, 1},
    {"font too large for any line", 3, 590, 270, 1000, 1500, 3, 1, 1},
    {"six lines still leave one", 7, 590, 180, 20, 30, 3, 1, 3},  // 180/30-5 = 1
    {"five lines leave none", 7, 590, 150, 20, 30, 3, 1, 3},      // 150/30-5 = 0 -> 1
    {"font without height", 2, 590, 270, 0, 1, 3, 265, 1},
};

TEST(PrintLayout, PagesColumnsAndCellPlaces) {
  for (const LayoutCase& c : kLayoutCases) {
    SCOPED_TRACE(c.name);
    const std::vector<Text> rows = Rows(c.rows);
    const PrintLayout layout = LayOut(rows, c.pageWidth, c.pageHeight, c.letterHeight);
    EXPECT_EQ(layout.gap, 50);
    EXPECT_EQ(layout.leftW, 40);
    EXPECT_EQ(layout.rightW, 10);
    EXPECT_EQ(layout.columnWidth, kColumn);
    EXPECT_EQ(layout.line, c.line);
    EXPECT_EQ(layout.columnsPerPage, c.columns);
    EXPECT_EQ(layout.linesPerColumn, c.lines);
    EXPECT_EQ(layout.pageCount, c.pages);
    ASSERT_EQ(layout.pages.size(), c.pages);
    // Every row once, in order, top to bottom and then left to right.
    size_t next = 0;
    for (size_t p = 0; p < layout.pages.size(); ++p) {
      std::vector<PrintCell> cells = layout.pages[p].cells;
      std::sort(cells.begin(), cells.end(), [](const PrintCell& a, const PrintCell& b) { return a.row < b.row; });
      for (const PrintCell& cell : cells) {
        ASSERT_EQ(cell.row, next++);
        const size_t within = cell.row - p * layout.rowsPerPage;
        EXPECT_EQ(cell.x, 200 + static_cast<int>(within / c.lines) * kColumn);
        EXPECT_EQ(cell.y, (3 + static_cast<int>(within % c.lines)) * c.line);
      }
    }
    EXPECT_EQ(next, c.rows);
  }
}

TEST(PrintLayout, OneRowPrintsOneLineAndTheTotalBelowIt) {
  const std::vector<Text> rows{L"\t=12"};
  const PrintLayout layout = LayOut(rows, 590, 270, 20);
  ASSERT_EQ(layout.pages.size(), 1u);
  ASSERT_EQ(layout.pages[0].cells.size(), 1u);
  EXPECT_EQ(layout.pages[0].cells[0].y, 90);
  EXPECT_EQ(layout.left[0], L"  ");
  EXPECT_EQ(layout.right[0], L" = 12");
  EXPECT_EQ(layout.totalY, 150);  // one blank line under the row
}

TEST(PrintLayout, RowsContinueInTheNextColumnThenOnTheNextPage) {
  const std::vector<Text> rows = Rows(13);
  const PrintLayout layout = LayOut(rows, 590, 270, 20, L"TITLE");
  ASSERT_EQ(layout.pages.size(), 2u);
  ASSERT_EQ(layout.pages[0].cells.size(), 12u);
  const PrintCell fifth = layout.pages[0].cells[1];  // line 0 of column 1
  EXPECT_EQ(fifth.row, 4u);
  EXPECT_EQ(fifth.x, 330);
  EXPECT_EQ(fifth.y, 90);
  ASSERT_EQ(layout.pages[1].cells.size(), 1u);
  EXPECT_EQ(layout.pages[1].cells[0].row, 12u);
  EXPECT_EQ(layout.pages[1].cells[0].x, 200);
  EXPECT_EQ(layout.totalY, 150);
  EXPECT_EQ(layout.pages[0].header, L"TITLE  1/2");
  EXPECT_EQ(layout.pages[1].header, L"TITLE  2/2");
  EXPECT_EQ(layout.pages[0].headerX, (590 - 100) / 2);
}

TEST(PrintLayout, HeaderWithoutTitleIsThePageNumberAlone) {
  const std::vector<Text> rows = Rows(13);
  const PrintLayout layout = LayOut(rows, 590, 270, 20);
  ASSERT_EQ(layout.pages.size(), 2u);
  EXPECT_EQ(layout.pages[0].header, L"1/2");
  EXPECT_EQ(layout.pages[1].header, L"2/2");
  EXPECT_EQ(layout.pages[1].headerX, (590 - 30) / 2);
}

TEST(PrintLayout, TotalSitsUnderTheLongestColumnOfTheLastPage) {
  const std::vector<Text> rows = Rows(6);  // column 0 full (4 lines), column 1 two lines
  EXPECT_EQ(LayOut(rows, 590, 270, 20).totalY, (3 + 4 + 1) * 30);
}

TEST(PrintLayout, RowWithoutEqualsKeepsItsPlaceBlankAndIsNotMeasured) {
  const std::vector<Text> rows{L"\t=12", L"+5\t=17", L"+WWWWWWWWWWWW"};
  const PrintLayout layout = LayOut(rows, 590, 270, 20);
  ASSERT_EQ(layout.pages[0].cells.size(), 2u);
  EXPECT_EQ(layout.pages[0].cells[1].row, 1u);
  EXPECT_EQ(layout.leftW, 40);  // "+5  "
  EXPECT_EQ(layout.rightW, 20);
  EXPECT_EQ(layout.totalY, (3 + 3 + 1) * 30);
}

TEST(PrintLayout, SplitsAtTheFirstEquals) {
  const std::vector<Text> rows{L"a=b\t=c"};
  const PrintLayout layout = LayOut(rows, 590, 270, 20);
  EXPECT_EQ(layout.left[0], L"a");
  EXPECT_EQ(layout.right[0], L" = b  =c");
}

TEST(PrintLayout, EmptyListHasNoPages) {
  const std::vector<Text> rows;
  EXPECT_TRUE(LayOut(rows, 590, 270, 20).pages.empty());
  EXPECT_TRUE(LayOutPrint(PrintRequest{}, Width).pages.empty());
}

TEST(PrintLayout, TotalLineInBothLanguages) {
  EXPECT_EQ(PrintTotalLine(1, L"17", false), L"В расчёте 1 значений ____________________    ИТОГО = 17");
  EXPECT_EQ(PrintTotalLine(500, L"1 250,5", true), L"In 500 calculations ____________________    RESULT = 1 250,5");
}

}  // namespace
}  // namespace tallyman
