#include <gtest/gtest.h>

#include <algorithm>

#include "res/strings.h"
#include "wake_job/wake_record.h"

// How the machine came back after a hibernate-now, from the UTC times around the call and whether the system calls
// the resume automatic; an early wake names what was due then, a wake with someone present says it cannot tell.
TEST(WakeRecord, AVerdictAfterEachResume) {
  const CivilDateTime asked{2027, 1, 5, 7, 5, 0}, slept{2027, 1, 4, 23, 0, 0};
  const WakeScan scan{true, {{L"Backup", {2027, 1, 5, 3, 0, 0}}, {L"\\Update", {2027, 1, 5, 6, 0, 0}}}, 0, 0};
  const std::wstring early = kLogEarly, source = kLogWakeSource + std::wstring(L"Timer - A & B。");
  const struct {
    CivilDateTime requested, returned;
    bool automatic;
    std::wstring causes, says;
  } rows[] = {
      {slept, {2027, 1, 4, 23, 0, 29}, true, L"", kLogCameBackSoonBefore + std::wstring(L"29") + kLogCameBackSoonAfter},
      {slept, {2027, 1, 4, 23, 0, 30}, true, L"", early + kLogEarlyUnknown},
      {slept, {2027, 1, 5, 7, 5, 0}, true, L"", kLogOnTime}, {slept, {2027, 1, 5, 7, 7, 59}, true, L"", kLogOnTime},
      {slept, {2027, 1, 5, 7, 8, 0}, true, L"", kLogLate}, {slept, {2027, 1, 5, 7, 4, 59}, false, L"", kLogByPersonBefore},
      {slept, {2027, 1, 5, 3, 0, 40}, true, L"", early + kLogEarlyWaker + L"Backup 2027/01/05 03:00。"},
      {slept, {2027, 1, 5, 6, 0, 0}, true, L"", early + kLogEarlyWaker + L"\\Update 2027/01/05 06:00。"},
      {{2027, 1, 5, 3, 0, 0}, {2027, 1, 5, 3, 0, 40}, true, L"", early + kLogEarlyWaker + L"Backup 2027/01/05 03:00。"},
      {slept, {2027, 1, 5, 2, 59, 0}, true, L"", early + kLogEarlyUnknown},  // nothing was due yet
      {{2027, 1, 5, 3, 30, 0}, {2027, 1, 5, 4, 0, 0}, true, L"", early + kLogEarlyUnknown},  // Backup had run
      // Someone touched the machine as it came back on time: no cause is blamed. IsSystemResumeAutomatic is FALSE
      // once a person has used the machine since the resume (its documentation), whatever woke it.
      {slept, {2027, 1, 5, 7, 5, 0}, false, L"", kLogPersonAtTime}, {slept, {2027, 1, 5, 7, 8, 59}, false, L"x", kLogPersonAtTime},
      {slept, {2027, 1, 5, 7, 9, 0}, false, L"", kLogNotByItself + std::wstring(kLogUsualCauses)},
      {slept, {2027, 1, 5, 9, 0, 0}, false, L"known", kLogNotByItself + std::wstring(L"known。")},
      {slept, {2027, 1, 4, 22, 59, 59}, true, L"", kLogClockChanged},  // the clock went back
  };
  for (const auto& r : rows)
    EXPECT_EQ(ResumeRecordLine({r.requested, r.returned, r.returned, r.automatic}, asked, scan, r.causes),
              LogTime(r.returned) + kLogResumed + r.says) << LogTime(r.returned);
  // The event log's wake source (Power-Troubleshooter event 1) follows where the timer's part is in question.
  for (const auto& [returned, automatic, says] :
       {std::tuple{CivilDateTime{2027, 1, 5, 3, 0, 40}, true, early + kLogEarlyWaker + L"Backup 2027/01/05 03:00。" + source},
        {CivilDateTime{2027, 1, 5, 2, 0, 0}, true, early + source},
        {CivilDateTime{2027, 1, 5, 7, 6, 0}, false, kLogPersonAtTime + source}})
    EXPECT_EQ(ResumeRecordLine({slept, returned, returned, automatic}, asked, scan, L"", L"Timer - A &amp; B"),
              LogTime(returned) + kLogResumed + says);
  // Only an event written at or after the hibernation was asked is this resume's.
  const std::wstring timed = L"<TimeCreated SystemTime='2027-01-04T23:09:59.5Z'/>";
  for (const auto& [xml, text] :
       {std::pair{timed + L"<Data Name='WakeSourceType'>5</Data><Data Name='WakeSourceText'>Timer</Data>",
                  std::optional<std::wstring>(L"Timer")},
        {L"<TimeCreated SystemTime=\"2027-01-04T23:00:00Z\"/><Data Name=\"WakeSourceText\">USB</Data>", L"USB"},
        {timed + L"<Data Name='WakeSourceText'>cut", L""},
        {L"<TimeCreated SystemTime='2027-01-04T22:59:59.9Z'/><Data Name='WakeSourceText'>Old</Data>", std::nullopt},
        {L"<TimeCreated SystemTime='2027-13-04T23:00:00Z'/>", std::nullopt}, {L"<Event/>", std::nullopt},
        {L"<TimeCreated SystemTime='2027-01-04 23:00:00Z'/>", std::nullopt}})
    EXPECT_EQ(EventWakeSource(xml, slept), text) << xml.substr(0, 50).c_str();
}

// A text from outside is one field: references decoded, and nothing in it can end the line.
TEST(WakeRecord, OutsideTextStaysOneField) {
  for (const auto& [text, field] : {std::pair{std::wstring(L"A &amp; B &lt;&gt;&quot;&apos;"), std::wstring(L"A & B <>\"'")},
                                    {L"a\r\nb\tc\u0085d\u2028e\u2029f", L"a  b c d e f"},
                                    {L"&#10;&#x0D;&#x41;&#65;&#X41;&#x6a;&#x6f;&#xA9;&#xFFFF;", L"  AA&#X41;jo\u00A9\uFFFF"}, {L"&#x1F600;&#x10FFFF;", L"??"},
                                    {L"&#0;&#xD800;&#x110000;&#;&#x;&#1A;&bogus;&amp", L"&#0;&#xD800;&#x110000;&#;&#x;&#1A;&bogus;&amp"},
                                    {L"&#12345678901;&#18446744073709551681;", L"&#12345678901;&#18446744073709551681;"},
                                    {L"&#00000065;&#9;", L"A "}})
    EXPECT_EQ(LogField(text), field);
}

// At most 200 lines, each ended CR LF, the newest last; the first line of a log read from inside it is dropped.
TEST(WakeRecord, TheLogKeepsItsLastLines) {
  std::string log;
  for (int i = 1; i <= 201; ++i) log = AppendLogBytes(log, false, "line " + std::to_string(i));
  EXPECT_EQ(log.substr(0, 11), "line 2\r\nlin");
  EXPECT_EQ(log.substr(log.size() - 10), "line 201\r\n");
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 200);
  EXPECT_EQ(AppendLogBytes("\n" + log.substr(8), false, "new"), log.substr(8) + "new\r\n");
  for (const auto& [before, cut, after] :
       {std::tuple{"", false, "new\r\n"}, {"old", false, "old\r\nnew\r\n"}, {"old\r", false, "old \r\nnew\r\n"},
        {"old\r\n", false, "old\r\nnew\r\n"}, {"\r\n", false, "\r\nnew\r\n"}, {"\n", false, "\r\nnew\r\n"}, {"a\nb\r\r\n", false, "a\r\nb \r\nnew\r\n"},
        {"\xEF\xBB\xBFold", false, "old\r\nnew\r\n"}, {"\xEF\xBB\xBFold", true, "new\r\n"},
        {"art\r\nold\r\n", true, "old\r\nnew\r\n"}, {"\n", true, "new\r\n"}})
    EXPECT_EQ(AppendLogBytes(before, cut, "new"), after) << before;
  EXPECT_EQ(AppendLogBytes("", false, "a\r\nb\n"), "a  b \r\n");
}
