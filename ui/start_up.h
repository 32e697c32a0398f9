#pragma once
// What happens around the main window's life: the one-running-copy rule before the window exists,
// and the requests from outside the program (another copy, a termination signal, the end of the
// session) while it runs.
namespace tallyman {
struct ProgramPaths;
}
namespace tallyman::platform {
class SingleInstance;
class TerminationSignals;
}  // namespace tallyman::platform

namespace tallyman::ui {

class FormTallyman;

// With OnlyOne set in the settings file (a missing or unreadable file counts as not set), takes
// the single-instance lock. False when another copy holds it: the show request has gone to that
// copy (or it did not answer yet, still starting) and this copy is to end at once, before any
// window and without writing anything. A lock that nobody answers for and no copy holds is stale
// and taken over.
bool ClaimOnlyCopy(const ProgramPaths& paths, platform::SingleInstance& instance);

// A later copy's show request brings the window forward as the hot key does; a termination
// signal closes it as CloseAndEnd does; the session manager's request for the data writes the
// settings and the tape copy. Ticking "Only one instance" claims the lock and listens at once,
// unticking lets them go.
void ConnectOutsideRequests(FormTallyman& window, platform::SingleInstance& instance,
                            platform::TerminationSignals& termination);

// Ends every event loop with exit code 0, a modal dialog's included; answers the open questions
// Yes (and every later one, without a dialog), dismisses the open messages, closes the open
// dialogs and then the main window without the closing question, so the notebook's text, the
// settings and the automatic tape copy are written. Ends in a bounded number of steps whatever
// dialog is open, also when one is inside its own close.
void CloseAndEnd(FormTallyman& window);

}  // namespace tallyman::ui
