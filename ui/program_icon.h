#pragma once
// The program's icon, the same picture as the installed desktop icon, in every size it is drawn at.
#include <QIcon>

namespace tallyman::ui {

// 16, 24, 32, 48, 64, 128 and 256 pixels square, from the program's resources.
QIcon ProgramIcon();

// The windows' and the tray's icon: 16 to 64 pixels, the sizes title bars, task bars and trays
// draw. The X11 window icon property carries every size an icon holds, each decoded at start-up,
// and the two large ones alone cost more than all the others together. Made from pixels built
// into the program: reading a PNG would load every image format plugin installed.
QIcon WindowIcon();

}  // namespace tallyman::ui
