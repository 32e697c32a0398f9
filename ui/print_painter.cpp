#include "ui/print_painter.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScreen>

#include "engine/print/print_layout.h"
#include "ui/qt_text.h"

namespace tallyman::ui {

QFont PrinterFont(const QFont& screenFont) {
  QFont font = screenFont;
  if (screenFont.pixelSize() > 0) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    font.setPointSizeF(screenFont.pixelSize() * 72.0 / dpi);
  }
  return font;
}

bool PaintRows(QPagedPaintDevice& device, int resolution, const QFont& font, const PrintContent& content) {
  if (content.rows == nullptr || content.rows->empty()) return true;
  const QFontMetrics metrics(font, &device);
  const QRect page = device.pageLayout().paintRectPixels(resolution);
  PrintRequest request;
  request.rows = content.rows;
  request.title = content.title;
  request.date = content.date;
  request.totalLine = content.totalLine;
  request.pageWidth = page.width();
  request.pageHeight = page.height();
  request.letterHeight = metrics.height();
  const PrintLayout layout =
      LayOutPrint(request, [&metrics](TextView text) { return metrics.horizontalAdvance(ToQString(text)); });

  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setFont(font);
  // The layout's y is the top of a line; the painter writes on the base line.
  const int ascent = metrics.ascent();
  const auto draw = [&painter, ascent](int x, int y, const Text& text) {
    painter.drawText(x, y + ascent, ToQString(text));
  };
  for (size_t p = 0; p < layout.pages.size(); ++p) {
    if (p > 0 && !device.newPage()) return false;
    const PrintPage& printed = layout.pages[p];
    if (!layout.date.empty()) draw(PrintLayout::kMargin, layout.line, layout.date);
    draw(printed.headerX, layout.line, printed.header);
    for (const PrintCell& cell : printed.cells) {
      draw(cell.x, cell.y, layout.left[cell.row]);
      draw(cell.x + layout.leftW, cell.y, layout.right[cell.row]);
    }
  }
  QFont bold = font;
  bold.setBold(true);
  painter.setFont(bold);
  painter.drawText(PrintLayout::kMargin, layout.totalY + QFontMetrics(bold, &device).ascent(),
                   ToQString(layout.totalLine));
  return painter.end();
}

}  // namespace tallyman::ui
