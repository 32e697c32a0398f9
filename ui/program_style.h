#pragma once
// The desktop's own style with one change: the arrow on the menu bar's button for the menus that
// do not fit is drawn here, in the theme's text colour. The style reads that arrow from image
// files, and reading them loads every image-format plugin installed (and the SVG and JPEG
// libraries behind them) while the main window is built.
#include <QProxyStyle>

namespace tallyman::ui {

class ProgramStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};

// Wraps the style the application chose (the desktop's, or one named on the command line); keeps
// it as it is when it cannot be made again by name.
void InstallProgramStyle();

}  // namespace tallyman::ui
