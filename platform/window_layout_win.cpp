#include "platform/window_layout_win.h"

#include <algorithm>

#include "res/resource.h"

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

bool RegisterFormClass(HINSTANCE instance, const wchar_t* name, WNDPROC windowProc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, name, &wc)) return true;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_REVEILO));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_REVEILO), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

void CreateControls(HWND parent, HINSTANCE instance, const Twips& twips, const WindowLayout& layout, HFONT font) {
  // One line of the font, which a control's height must hold with its chrome.
  int line = 0;
  if (HDC dc = font ? GetDC(parent) : nullptr) {
    TEXTMETRICW metrics{};
    HGDIOBJ old = SelectObject(dc, font);
    if (GetTextMetricsW(dc, &metrics)) line = metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(parent, dc);
  }
  for (std::size_t i = 0; i < layout.count; ++i) {
    const ControlLayout& c = layout.controls[i];
    int left = c.left, top = c.top;
    for (std::size_t f = 0; f < layout.frameCount; ++f) {
      if (layout.frames[f].id == c.frame) left += layout.frames[f].left, top += layout.frames[f].top;
    }
    // A combo box sizes its field from its font by itself; the height given is its list's.
    const int height = std::max(twips.ToPixels(c.height), line + c.chrome) + twips.ToPixels(c.list);
    HWND control = CreateWindowExW(c.exStyle, c.windowClass, c.text, WS_CHILD | WS_VISIBLE | c.style,
                                   twips.ToPixels(left), twips.ToPixels(top), twips.ToPixels(c.width), height,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

LRESULT StaticColors(WPARAM hdc) {
  SetTextColor(reinterpret_cast<HDC>(hdc), GetSysColor(COLOR_BTNTEXT));
  SetBkMode(reinterpret_cast<HDC>(hdc), TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
