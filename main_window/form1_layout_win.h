// Form1's window as the layout fixes it: class, frame, menu, controls, fonts
// and lists. The program builds its window with these, and so does the
// benchmark's floor, which shows the same window with no program behind it.
#pragma once
#include <windows.h>

#include "platform/twips.h"
#include "platform/window_layout_win.h"

// Registers the class and creates the frame with its menu, hidden; `param`
// reaches WM_NCCREATE. nullptr when either fails.
HWND CreateForm1Frame(HINSTANCE instance, WNDPROC windowProc, void* param, const Twips& twips);
// Creates every control in tab order with the user-interface font, which it
// returns for the caller to delete (nullptr when the system has none).
HFONT CreateForm1Controls(HWND form, HINSTANCE instance, const Twips& twips);
