#include "ui/readable_colour.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cmath>

namespace tallyman::ui {
namespace {

double Channel(double value) {
  return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return 0.2126 * Channel(rgb.redF()) + 0.7152 * Channel(rgb.greenF()) + 0.0722 * Channel(rgb.blueF());
}

constexpr const char* kWantedColour = "tallymanWantedColour";
constexpr const char* kTextRole = "tallymanTextRole";
constexpr const char* kBackgroundRole = "tallymanBackgroundRole";

void ApplyReadable(QWidget* widget) {
  const QPalette colours = QApplication::palette(widget);
  const QColor wanted = widget->property(kWantedColour).value<QColor>();
  const auto text = static_cast<QPalette::ColorRole>(widget->property(kTextRole).toInt());
  const auto background = static_cast<QPalette::ColorRole>(widget->property(kBackgroundRole).toInt());
  const QColor readable = ReadableColour(wanted, colours.color(background), colours);
  QPalette palette = widget->palette();
  if (palette.color(text) == readable) return;  // also ends the change it causes
  palette.setColor(text, readable);
  widget->setPalette(palette);
}

// Applies the readable colour again after every change of the palette (the application's palette
// reaches a widget as a change of its own).
class ReadableText : public QObject {
 public:
  explicit ReadableText(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::ApplicationPaletteChange || type == QEvent::PaletteChange) {
      ApplyReadable(static_cast<QWidget*>(watched));
    }
    return false;
  }
};

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableColour(const QColor& wanted, const QColor& background, const QPalette& palette) {
  if (ContrastRatio(wanted, background) >= kReadableContrast) return wanted;
  QColor best = palette.color(QPalette::WindowText);
  for (const QPalette::ColorRole role : {QPalette::Link, QPalette::Highlight, QPalette::WindowText}) {
    const QColor candidate = palette.color(role);
    if (ContrastRatio(candidate, background) >= kReadableContrast) return candidate;
    if (ContrastRatio(candidate, background) > ContrastRatio(best, background)) best = candidate;
  }
  return best;
}

void KeepReadableText(QWidget* widget, const QColor& wanted, QPalette::ColorRole text, QPalette::ColorRole background) {
  if (!widget->property(kWantedColour).isValid()) new ReadableText(widget);
  widget->setProperty(kWantedColour, wanted);
  widget->setProperty(kTextRole, static_cast<int>(text));
  widget->setProperty(kBackgroundRole, static_cast<int>(background));
  ApplyReadable(widget);
}

}  // namespace tallyman::ui
