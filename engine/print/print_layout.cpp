#include "engine/print/print_layout.h"

#include <algorithm>
#include <cmath>

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"

namespace tallyman {
namespace {

constexpr TextView kEquals = L" = ";

Text TabsAsSpaces(TextView row) {
  Text out;
  out.reserve(row.size() + 4);
  for (const wchar_t c : row) {
    if (c == L'\t') {
      out += L"  ";
    } else {
      out += c;
    }
  }
  return out;
}

// Splits every row at its first "=" and finds the widest parts; rows without "=" take no room.
void SplitRows(const std::vector<Text>& rows, const TextWidth& width, PrintLayout& layout) {
  layout.left.resize(rows.size());
  layout.right.resize(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const Text row = TabsAsSpaces(rows[i]);
    const size_t split = row.find(L'=');
    if (split == Text::npos) continue;
    layout.left[i] = row.substr(0, split);
    const TextView rightPart = TextView(row).substr(split + 1);
    layout.leftW = std::max(layout.leftW, width(layout.left[i]));
    layout.rightW = std::max(layout.rightW, width(rightPart));
    layout.right[i].reserve(kEquals.size() + rightPart.size());
    layout.right[i].append(kEquals).append(rightPart);
  }
}

Text PageHeader(TextView title, size_t page, size_t pages) {
  Text header;
  if (!title.empty()) header.append(title).append(L"  ");
  return header + std::to_wstring(page + 1) + L"/" + std::to_wstring(pages);
}

}  // namespace

Text PrintTotalLine(size_t count, TextView total, bool english) {
  Text line = LangText(pairs::kPrintTotal, english);
  const size_t mark = line.find(L"%d");
  if (mark != Text::npos) line.replace(mark, 2, std::to_wstring(count));
  return line.append(kEquals).append(total);
}

PrintLayout LayOutPrint(const PrintRequest& request, const TextWidth& width) {
  PrintLayout layout;
  if (request.rows == nullptr || request.rows->empty()) return layout;
  const std::vector<Text>& rows = *request.rows;

  layout.gap = width(L"WWWWW");
  // A font without height would make every line share one place and divide by zero below.
  layout.line = std::max(1, static_cast<int>(std::lround(request.letterHeight * 1.5)));
  SplitRows(rows, width, layout);
  layout.columnWidth = std::max(1, layout.leftW + layout.rightW + width(kEquals) + layout.gap);
  // A column wider than the page, or a font too tall for any line, still prints one per page.
  layout.columnsPerPage = std::max(1, (request.pageWidth - PrintLayout::kMargin) / layout.columnWidth);
  layout.linesPerColumn = std::max(1, request.pageHeight / layout.line - 5);
  layout.rowsPerPage = static_cast<size_t>(layout.columnsPerPage) * static_cast<size_t>(layout.linesPerColumn);
  layout.pageCount = (rows.size() + layout.rowsPerPage - 1) / layout.rowsPerPage;
  layout.date = request.date;
  layout.totalLine = request.totalLine;

  layout.pages.resize(layout.pageCount);
  const size_t lines = static_cast<size_t>(layout.linesPerColumn);
  int y = 0;
  for (size_t p = 0; p < layout.pageCount; ++p) {
    PrintPage& page = layout.pages[p];
    page.header = PageHeader(request.title, p, layout.pageCount);
    page.headerX = std::max(0, (request.pageWidth - width(page.header)) / 2);
    const size_t first = p * layout.rowsPerPage;
    const size_t onPage = std::min(layout.rowsPerPage, rows.size() - first);
    // The lowest line in use: a full first column, or the rows of a single short one.
    const size_t usedLines = std::min(lines, onPage);
    page.cells.reserve(onPage);
    y = 3 * layout.line;
    for (size_t l = 0; l < usedLines; ++l, y += layout.line) {
      for (size_t c = 0; c < static_cast<size_t>(layout.columnsPerPage); ++c) {
        const size_t row = first + c * lines + l;
        if (row >= first + onPage) break;
        if (layout.right[row].empty()) continue;  // a row without "=" keeps its place, blank
        page.cells.push_back({row, PrintLayout::kMargin + static_cast<int>(c) * layout.columnWidth, y});
      }
    }
  }
  // One blank line between the last printed line and the total.
  layout.totalY = y + layout.line;
  return layout;
}

}  // namespace tallyman
