// The system's user-interface font (the message font), for windows that set
// no font of their own.
#pragma once
#include <windows.h>

#include <cstddef>

inline HFONT CreateUiFont() {
  NONCLIENTMETRICSW metrics{};
  // The size without the field Vista added, so that XP fills it too.
  metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return nullptr;
  return CreateFontIndirectW(&metrics.lfMessageFont);
}
