#include <gtest/gtest.h>

#include "wake_job/task_xml.h"
#include "wake_job/wake_time.h"

// The minute read once from the window's date and time texts, as the component's start names it.
TEST(ComponentStart, FromTheDateAndTimeTexts) {
  const struct {
    const wchar_t *date, *time;
    std::optional<std::wstring> start;
  } rows[] = {
      {L"1/5/2027", L"07:05", L"2027/01/05 07:05:00"}, {L"12/25/2026", L"23:59", L"2026/12/25 23:59:00"},
      {L"01/05/2027", L"7:5", L"2027/01/05 07:05:00"}, {L"2/29/2028", L"00:00", L"2028/02/29 00:00:00"},
      {L"4/30/2027", L"0:0", L"2027/04/30 00:00:00"},  {L"8/31/2027", L"1:1", L"2027/08/31 01:01:00"},
      {L"12/31/9999", L"23:59", L"9999/12/31 23:59:00"},  {L"2/30/2027", L"07:05", {}},  // the calendar's own table below
      {L"1/5/27", L"07:05", {}},     {L"1/5/2027", L"24:00", {}},   {L"1/5/2027", L"07:60", {}},
      {L"1/5/2027", L"ab:05", {}},   {L"1/5/2027", L"0705", {}},    {L"1/5/2027", L"07:05:30", {}},
      {L"1//2027", L"07:05", {}},    {L"1/123/2027", L"07:05", {}}, {L"1/5/2027x", L"07:05", {}},
      {L"1/5/2027", L"07:005", {}},  {L"1/5/20270", L"07:05", {}},  {L"1/5/2027", L"07:", {}},
      {L"1/5/02027", L"07:05", {}},  {L"1/5/2027", L":05", {}},     {L"1/5/2027", L"07:0 5", {}},
      {L"1/5/2027", L"\t7 : 05 ", L"2027/01/05 07:05:00"},          {L"1/5/2027", L"07:05 x", {}},
      {L"1/5/2027", L"\u3000\uff12\uff13:\uff15\uff19\u3000", L"2027/01/05 23:59:00"},  // typed with the IME on
      {L"1/5/2027", L"\uff12\uff14:00", {}},                        {L"1/5/2027", L"\uff0f7:05", {}},
      {L"", L"", {}},  {L"1/5/2027", L"007:05", {}},
  };
  for (const auto& r : rows)  // unreadable: the zero minute, which no row reads as
    EXPECT_EQ(ComponentStartText(ParseWakeMinute(r.date, r.time).value_or(CivilDateTime{})),
              r.start.value_or(L"0000/00/00 00:00:00")) << r.date << " " << r.time;
}

// The component reads back only that exact pattern; nothing else becomes a task.
// Its run limit, 1 to 1440 minutes, is the last argument; none means the scheduler's own.
TEST(ComponentStart, ReadsOnlyTheExactPattern) {
  EXPECT_TRUE(ParseComponentStart(L"2027/12/31 23:59:59")) << "the last second of a year";
  for (const wchar_t* text :
       {L"2027/01/05 07:05:00 ", L"20270/01/05 07:05:00", L"2027/1/5 07:05:00",   L"2027/02/30 07:05:00",
        L"2027/01/05 07:05",     L"2027/01/05 24:00:00",  L"2027/01/05 07:60:00", L"2027/01/05 07:05:60",
        L"2027-01-05 07:05:00",  L"2027/01/05T07:05:00",  L"2027/01/05 07:05:",   L"\uff12027/01/05 07:05:00", L"",
        L"02027/01/05 07:05:00", L"2027/001/05 07:05:00", L"2027/01/005 07:05:00", L"2027/01/05 007:05:00",
        L"2027/01/05 07:005:00", L"2027/01/05 07:05:000", L"2027/01/05 07::00", L"0", L"1441", L"14400"}) {
    EXPECT_FALSE(ParseComponentStart(text)) << std::wstring(text);
    EXPECT_EQ(ReadRunLimit(text), *text ? std::nullopt : std::optional(0)) << "nor a run limit; none is none";
    EXPECT_FALSE(BuildTaskXml(text, {L"C:\\W\\Startup.bat"}, L"Reveilo")) << std::wstring(text);
  }
}
