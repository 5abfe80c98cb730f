// The status-bar clock's text: "yyyy-mm-dd (aaa) hh:mm:ss".
#pragma once
#include <string>
#include <string_view>

#include "wake_job/wake_time.h"

// `weekday` is the locale's abbreviated weekday name (one kanji in Japanese).
std::wstring FormatClockText(const CivilDateTime& now, std::wstring_view weekday);
