// The system's user-interface font (the message font), for windows that set
// no font of their own.
#pragma once
#include <windows.h>

inline HFONT CreateUiFont() {
  // Declared for XP, so without the field Vista added: every system fills it.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return nullptr;
  return CreateFontIndirectW(&metrics.lfMessageFont);
}
