#pragma once
// TUrllabel: a label that behaves like a web link. Its caption is the address (a web address or a
// "mailto:" address); blue, red while the pointer is over it, underlined, with a hand cursor. A
// click, or Enter or Space while it has the focus, hands the address to the desktop's default
// handler. It takes the focus with Tab and shows it with a focus frame; screen readers hear a link.
#include <QLabel>
#include <QUrl>
#include <functional>

namespace tallyman::ui {

// Hands an address to the desktop's default application; true when one took it.
using UrlOpener = std::function<bool(const QUrl&)>;

class TUrllabel : public QLabel {
  Q_OBJECT

 public:
  static const QColor kNormal;
  static const QColor kHover;

  TUrllabel(const QString& address, UrlOpener openUrl, QWidget* parent);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Open();
  void SetColour(const QColor& colour);

  UrlOpener m_openUrl;
};

}  // namespace tallyman::ui
