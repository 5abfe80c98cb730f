#include "main_window/clock_text.h"

std::wstring FormatClockText(const CivilDateTime& now, std::wstring_view weekday) {
  return Padded(now.year, 4) + L"-" + Padded(now.month, 2) + L"-" + Padded(now.day, 2) + L" (" +
         std::wstring(weekday) + L") " + Padded(now.hour, 2) + L":" + Padded(now.minute, 2) + L":" +
         Padded(now.second, 2);
}
