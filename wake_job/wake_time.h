// Reading the wake date and time texts as calendar values.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/civil_time.h"

// "m/d/yyyy": month and day with or without a leading zero, a four-digit year.
std::optional<CivilDateTime> ParseMonthDayYear(std::wstring_view dateText);
struct ClockTime {
  int hour = 0, minute = 0;
};
// "h:mm" on the 24-hour clock, one or two digits each (ASCII or full-width),
// blanks (ASCII or full-width) around either field ignored. The one reader of
// a wake time: the past-time test, the batch line, jt.exe and the component's
// start all go through it.
std::optional<ClockTime> ParseHourMinute(std::wstring_view timeText);

// The minute a date text and a time text name together; nullopt when either
// cannot be read.
std::optional<CivilDateTime> ParseWakeMinute(std::wstring_view dateText, std::wstring_view timeText);

// The time text as the tool line carries it: the text without its blanks and
// with ASCII digits, which jt.exe reads as one word; nullopt when it cannot be read as a time.
std::optional<std::wstring> ToolTimeText(std::wstring_view timeText);

// The task component's first argument, "yyyy/mm/dd hh:mm:ss"; nullopt when
// either text cannot be read as a date or a time.
std::optional<std::wstring> BuildComponentStart(std::wstring_view dateText,
                                                std::wstring_view timeText);

// Reads "yyyy/mm/dd hh:mm:ss" back; the component's side of the same contract.
std::optional<CivilDateTime> ParseComponentStart(std::wstring_view start);

// A number's decimal text, and the same with leading zeros up to `width`
// digits (two for months, days and times, four for years). Only for what is
// never negative: dates, times, counts and statuses.
std::wstring Decimal(int value);
std::wstring Padded(int value, int width);
