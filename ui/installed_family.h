#pragma once
// The windows ask for fonts by the names the settings file keeps ("Arial", "Courier New"). Where
// such a family is not installed, fontconfig stands another in for it, but Qt finds that one only
// after sorting every installed font for each size and script, a few milliseconds at start.
#include <QString>

namespace tallyman::ui {

// The family itself when it is installed; otherwise the first installed family fontconfig's
// rules put in its place (on Debian, "Liberation Sans" for "Arial"); the name unchanged when
// neither is known, for Qt to fall back from as before.
QString InstalledFamily(const QString& name);

}  // namespace tallyman::ui
