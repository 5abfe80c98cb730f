#include <gtest/gtest.h>

#include <map>

#include "res/strings.h"
#include "wake_job/schedule.h"
#include "wake_job/wake_record.h"

// How the machine came back after a hibernate-now, from the times around the call and whether the system calls
// the resume automatic; an early wake names what was due then.
TEST(WakeRecord, AVerdictAfterEachResume) {
  const CivilDateTime asked{2027, 1, 5, 7, 5, 0}, slept{2027, 1, 4, 23, 0, 0};
  const WakeScan scan{{{L"Backup", {2027, 1, 5, 3, 0, 0}}, {L"\\Update", {2027, 1, 5, 6, 0, 0}}}, 0};
  const std::wstring early = kLogEarly;
  const struct {
    CivilDateTime requested, returned;
    bool automatic;
    std::wstring causes, says;
  } rows[] = {
      {slept, {2027, 1, 4, 23, 0, 29}, true, L"", kLogDidNotHibernate},  // the call came back at once
      {slept, {2027, 1, 4, 23, 0, 30}, true, L"", early + kLogEarlyUnknown},
      {slept, {2027, 1, 5, 7, 5, 20}, true, L"", kLogOnTime}, {slept, {2027, 1, 5, 7, 7, 59}, true, L"", kLogOnTime},
      {slept, {2027, 1, 5, 7, 8, 0}, true, L"", kLogLate},
      {slept, {2027, 1, 5, 3, 0, 40}, true, L"", early + kLogEarlyWaker + L"Backup 2027/01/05 03:00"},
      {slept, {2027, 1, 5, 6, 0, 0}, true, L"", early + kLogEarlyWaker + L"\\Update 2027/01/05 06:00"},
      {{2027, 1, 5, 3, 0, 0}, {2027, 1, 5, 3, 0, 40}, true, L"", early + kLogEarlyWaker + L"Backup 2027/01/05 03:00"},
      {slept, {2027, 1, 5, 2, 59, 0}, true, L"", early + kLogEarlyUnknown},  // nothing was due yet
      {{2027, 1, 5, 3, 30, 0}, {2027, 1, 5, 4, 0, 0}, true, L"", early + kLogEarlyUnknown},  // Backup had run
      {slept, {2027, 1, 5, 7, 4, 0}, false, L"", kLogByPersonBefore},
      {slept, {2027, 1, 5, 9, 0, 0}, false, L"", kLogNotByItself + std::wstring(kLogUsualCauses)},
      {slept, {2027, 1, 5, 9, 0, 0}, false, L"known", kLogNotByItself + std::wstring(L"known")},
      {slept, {2027, 1, 4, 22, 0, 0}, true, L"", kLogClockChanged},  // the clock went back
  };
  for (const auto& r : rows) {
    EXPECT_EQ(ResumeRecordLine({r.requested, r.returned, r.automatic}, asked, scan, r.causes),
              LogTime(r.returned) + kLogResumed + r.says)
        << LogTime(r.returned);
  }
  // On Vista and later the System event log's wake source (Power-Troubleshooter event 1) follows.
  const std::wstring source = kLogWakeSource + std::wstring(L"Timer - Backup");
  for (const auto& [returned, says] : {std::pair{CivilDateTime{2027, 1, 5, 3, 0, 40}, early + kLogEarlyWaker +
                                                     L"Backup 2027/01/05 03:00 " + source},
                                       {CivilDateTime{2027, 1, 5, 2, 0, 0}, early + source}})
    EXPECT_EQ(ResumeRecordLine({slept, returned, true}, asked, scan, L"", L"Timer - Backup"),
              LogTime(returned) + kLogResumed + says);
  for (const auto& [xml, text] : {std::pair{L"<Data Name='WakeSourceType'>5</Data><Data Name='WakeSourceText'>Timer - "
                                            L"Backup</Data>", L"Timer - Backup"},
                                  {L"<Data Name=\"WakeSourceText\">USB</Data>", L"USB"},
                                  {L"<Data Name='WakeSourceText'>cut", L""}, {L"<Event/>", L""}})
    EXPECT_EQ(EventWakeSource(xml), text);
}

// The newest line last, CR LF after each, the last 200 kept; a line left without its CR LF is ended first.
TEST(WakeRecord, TheLogKeepsItsLastLines) {
  std::wstring log;
  for (int i = 1; i <= 201; ++i) log = AppendLogLine(log, L"line " + std::to_wstring(i));
  EXPECT_EQ(log.substr(0, 11), L"line 2\r\nlin");
  EXPECT_EQ(log.substr(log.size() - 10), L"line 201\r\n");
  EXPECT_EQ(std::count(log.begin(), log.end(), L'\n'), 200);
  for (const auto& [before, after] : {std::pair{L"", L"new\r\n"}, {L"old", L"old\r\nnew\r\n"}, {L"old\r", L"old\r\r\nnew\r\n"},
                                      {L"old\r\n", L"old\r\nnew\r\n"}, {L"o", L"o\r\nnew\r\n"}, {L"\r\n", L"\r\nnew\r\n"}})
    EXPECT_EQ(AppendLogLine(before, L"new"), after);
}
