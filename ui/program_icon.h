#pragma once
// The program's icon, the same picture as the installed desktop icon, in every size it is drawn at.
#include <QIcon>

namespace tallyman::ui {

// 16, 24, 32, 48, 64, 128 and 256 pixels square, from the program's resources.
QIcon ProgramIcon();

}  // namespace tallyman::ui
