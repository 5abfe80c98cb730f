// Hibernating the machine now, after a countdown the user can cancel.
#pragma once
#include <windows.h>

// Shows the countdown dialog and runs the countdown; true when it ran to its
// end, false when Cancel was clicked or *closeRequested became true (the main
// window was closed meanwhile). The dialog opens on `anchor`'s monitor. Windows only.
bool RunSuspendCountdown(HWND anchor, const bool* closeRequested);

// Enables the shutdown privilege and asks the system to hibernate, forced.
// True once the machine has hibernated and resumed; false when it did not:
// the privilege could not be enabled (nothing was requested) or the system
// refused the request.
bool EnterHibernation();
