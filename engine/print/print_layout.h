#pragma once
// The printed page of a tape or a results list: rows in columns, filled top to bottom and then left
// to right, a header with the title and the page number, an optional date and a bold total line.
// Everything is in the printer's device units, measured by the caller with the printer's font, so
// the layout is computed (and tested) without a printer; the window side only draws it.
#include <functional>
#include <vector>

#include "engine/core/text.h"

namespace tallyman {

// Width of a text in device units with the printing font.
using TextWidth = std::function<int(TextView)>;

struct PrintRequest {
  const std::vector<Text>* rows = nullptr;  // tape rows or results rows
  Text title;                               // the print title; empty prints the page numbers alone
  Text date;                                // today's date when it is to be printed, else empty
  Text totalLine;                           // see PrintTotalLine
  int pageWidth = 0;                        // printable page in device units
  int pageHeight = 0;
  int letterHeight = 0;  // height of "WWW" with the printing font
};

// One row on a page: its left part drawn at (x, y), " = " and its right part at (x + leftW, y).
struct PrintCell {
  size_t row = 0;
  int x = 0;
  int y = 0;
};

struct PrintPage {
  Text header;  // "TITLE  1/2", or "1/2" without a title
  int headerX = 0;
  std::vector<PrintCell> cells;
};

struct PrintLayout {
  static constexpr int kMargin = 200;  // left margin, and what the columns leave of the page width

  int gap = 0;   // width of "WWWWW" between columns
  int line = 0;  // line pitch
  int leftW = 0;
  int rightW = 0;
  int columnWidth = 0;
  int columnsPerPage = 0;
  int linesPerColumn = 0;
  size_t rowsPerPage = 0;
  size_t pageCount = 0;

  std::vector<Text> left;   // per row: the text before its first "=" (tabs as two spaces)
  std::vector<Text> right;  // per row: " = " and the text after it; both empty for a row without "="

  std::vector<PrintPage> pages;
  Text date;       // drawn at (kMargin, line) on every page when not empty
  Text totalLine;  // drawn bold at (kMargin, totalY) on the last page
  int totalY = 0;
};

// The total line: the language side of the count template with the count put in, " = " and the
// total (the entry line's text for a tape, the results window's total for the results list).
Text PrintTotalLine(size_t count, TextView total, bool english);

// Lays out every page; an empty list gives no pages. A column wider than the page still gets one
// column per page and a font taller than the page one line per page (the texts are clipped at the
// page edge), so the layout always ends.
PrintLayout LayOutPrint(const PrintRequest& request, const TextWidth& width);

}  // namespace tallyman
