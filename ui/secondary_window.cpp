#include "ui/secondary_window.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <algorithm>

namespace tallyman::ui {
namespace {

SecondaryWindow::CloseRank RankOf(const QWidget* window) {
  const auto* secondary = dynamic_cast<const SecondaryWindow*>(window);
  return secondary ? secondary->ClosingRank() : SecondaryWindow::CloseRank::Others;
}

}  // namespace

void CloseSecondaryWindows() {
  QList<QWidget*> open;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && qobject_cast<QDialog*>(window)) open.append(window);
  }
  std::stable_sort(open.begin(), open.end(), [](const QWidget* a, const QWidget* b) { return RankOf(a) < RankOf(b); });
  for (const QPointer<QWidget>& window : QList<QPointer<QWidget>>(open.begin(), open.end())) {
    if (window) window->close();  // closing one may have closed another
  }
}

bool HoldsLockKeys(const QWidget* window) {
  const auto* secondary = dynamic_cast<const SecondaryWindow*>(window);
  return secondary && secondary->HoldsLockKeys();
}

}  // namespace tallyman::ui
