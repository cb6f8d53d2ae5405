#pragma once

namespace quorlin::platform {

// Makes the GUI toolkit (wxWidgets on GTK) ready for the library's windows. A host that
// runs wxWidgets itself keeps its own application object, log target and assert handler,
// and the library shows its windows through that. Otherwise the toolkit is started once, on
// the first call in the process, and stays up until the process ends: wxWidgets cannot be
// started again after a clean-up, so it is never cleaned up. Returns false when no display
// can be opened (none named in DISPLAY or WAYLAND_DISPLAY, or the named one refuses); the
// host is never aborted and its C locale is left as it was. Call it from the thread that
// calls the library; every later toolkit call must come from the same thread.
bool EnsureToolkitStarted();

// Sends the requests the toolkit has queued for the display server now. Needed after a
// request whose effect must show at once (a bell) while no toolkit loop runs.
void FlushToolkitOutput();

}  // namespace quorlin::platform
