#pragma once
// Draws laid-out pages on a printer: measures with the printer's font, lets the engine lay the rows
// out, and paints the header, the date, the rows and the bold total line.
#include <QFont>
#include <QString>
#include <vector>

#include "engine/core/text.h"

class QPagedPaintDevice;

namespace tallyman::ui {

struct PrintContent {
  const std::vector<Text>* rows = nullptr;
  Text title;      // empty prints the page numbers alone
  Text date;       // empty prints no date
  Text totalLine;  // PrintTotalLine
};

// The font the printer gets: a screen font sized in pixels keeps its size on paper.
QFont PrinterFont(const QFont& screenFont);

// Prints every page on a printer or a PDF writer of `resolution` dots per inch; false when the
// device could not start, start a page or finish the document.
bool PaintRows(QPagedPaintDevice& device, int resolution, const QFont& font, const PrintContent& content);

}  // namespace tallyman::ui
