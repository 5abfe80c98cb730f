// Letting the window's events run while the program waits on its own thread.
#pragma once

// Dispatches every message pending for this thread, then returns. A WM_QUIT
// met on the way is posted again so that the main loop still sees it.
void PumpPendingMessages();
