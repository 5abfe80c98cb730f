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
// a wake time: the minute the Set command judges and schedules comes from it,
// and jt.exe reads a time by the same rules.
std::optional<ClockTime> ParseHourMinute(std::wstring_view timeText);

// The minute a date text and a time text name together; nullopt when either
// cannot be read.
std::optional<CivilDateTime> ParseWakeMinute(std::wstring_view dateText, std::wstring_view timeText);

// A readable time text as the tool line carries it: without its blanks and
// with ASCII digits, which jt.exe reads as one word; "7:5" stays "7:5".
std::wstring ToolTimeText(std::wstring_view timeText);

// The task component's first argument, "yyyy/mm/dd hh:mm:ss".
std::wstring ComponentStartText(const CivilDateTime& at);

// Reads "yyyy/mm/dd hh:mm:ss" back; the component's side of the same contract.
std::optional<CivilDateTime> ParseComponentStart(std::wstring_view start);

// A whole text of one to `maxDigits` ASCII digits naming a count from
// `least` to `most` (a switch's minutes, a run limit); nullopt otherwise.
std::optional<int> ReadCount(std::wstring_view text, std::size_t maxDigits, int least, int most);

// A number's decimal text, and the same with leading zeros up to `width`
// digits (two for months, days and times, four for years). Only for what is
// never negative: dates, times, counts and statuses.
std::wstring Decimal(int value);
std::wstring Padded(int value, int width);
