// Windows described as data: each control a row in twips, in tab order,
// created by one loop with the system's user-interface font; the screen's DPI
// read one way for every window, and one answer to WM_CTLCOLORSTATIC.
#pragma once
#include <windows.h>

#include <cstddef>

#include "platform/twips.h"

struct ControlLayout {
  int id;
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
  const wchar_t* text;
  int frame;  // the frame the position is relative to, or 0 for the window
  int left, top, width, height;
  // Pixels the control needs around one line of text (borders, margins): the
  // height grows to that when the system's font is taller than the line the
  // twips were drawn for (about 12 pixels at 96 DPI; Vista and later Japanese
  // UI fonts take 16 to 18).
  int chrome = 0;
  int list = 0;  // an editable combo box's drop-down list, beyond its field
};

struct FrameOrigin {
  int id, left, top;
};

struct WindowLayout {
  const ControlLayout* controls;
  std::size_t count;
  const FrameOrigin* frames = nullptr;
  std::size_t frameCount = 0;
};

// The screen's DPI (LOGPIXELSX), 96 when the screen does not say.
int ScreenDpi();

// Registers a top-level window class of the program (its icon, the button
// face behind it); true when it stands, also when it already did.
bool RegisterFormClass(HINSTANCE instance, const wchar_t* name, WNDPROC windowProc);

// Creates every control of `layout` in `parent`, in order, with `font`.
void CreateControls(HWND parent, HINSTANCE instance, const Twips& twips, const WindowLayout& layout, HFONT font);

// WM_CTLCOLORSTATIC: the scheme's own text colour on the button face, so that
// a High Contrast scheme (light text on a dark face) stays readable.
LRESULT StaticColors(WPARAM hdc);
