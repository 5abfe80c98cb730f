// Hibernating the machine now, after a countdown the user can cancel.
#pragma once

// Shows the countdown dialog and runs the countdown; true when it ran to its
// end, false when Cancel was clicked or *closeRequested became true (the main
// window was closed meanwhile). Windows only.
bool RunSuspendCountdown(const bool* closeRequested);

// Enables the shutdown privilege and asks the system to hibernate, forced.
// False when the privilege could not be enabled (nothing was requested); true
// once the request has returned, that is after the machine has resumed.
bool EnterHibernation();
