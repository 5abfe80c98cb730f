#include <gtest/gtest.h>

#include "wake_job/task_xml.h"
#include "wake_job/wake_time.h"

TEST(ComponentStart, FromTheDateAndTimeTexts) {
  struct Case {
    const wchar_t* date;
    const wchar_t* time;
    std::optional<std::wstring> expected;
  };
  const Case cases[] = {
      {L"1/5/2027", L"07:05", L"2027/01/05 07:05:00"},
      {L"12/25/2026", L"23:59", L"2026/12/25 23:59:00"},
      {L"01/05/2027", L"7:5", L"2027/01/05 07:05:00"},
      {L"2/29/2028", L"00:00", L"2028/02/29 00:00:00"},  // leap year
      {L"2/29/2027", L"00:00", std::nullopt},
      {L"2/30/2027", L"07:05", std::nullopt},
      {L"13/1/2027", L"07:05", std::nullopt},
      {L"1/5/27", L"07:05", std::nullopt},
      {L"1/5/2027", L"24:00", std::nullopt},
      {L"1/5/2027", L"07:60", std::nullopt},
      {L"1/5/2027", L"ab:05", std::nullopt},
      {L"1/5/2027", L"0705", std::nullopt},
      {L"1/5/2027", L"07:05:30", std::nullopt},
      {L"", L"", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildComponentStart(c.date, c.time), c.expected) << c.date << " " << c.time;
  }
}

TEST(TaskXml, ByteForByteForAWakeJob) {
  const auto xml = BuildTaskXml(L"2027/01/05 07:05:00", L"C:\\A&B\\Startup.bat", L"Reveilo");
  ASSERT_TRUE(xml);
  EXPECT_EQ(*xml,
            L"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
            L"  <RegistrationInfo>\r\n"
            L"    <Author>Reveilo</Author>\r\n"
            L"  </RegistrationInfo>\r\n"
            L"  <Triggers>\r\n"
            L"    <TimeTrigger>\r\n"
            L"      <StartBoundary>2027-01-05T07:05:00</StartBoundary>\r\n"
            L"      <Enabled>true</Enabled>\r\n"
            L"    </TimeTrigger>\r\n"
            L"  </Triggers>\r\n"
            L"  <Principals>\r\n"
            L"    <Principal id=\"Author\">\r\n"
            L"      <LogonType>InteractiveToken</LogonType>\r\n"
            L"      <RunLevel>LeastPrivilege</RunLevel>\r\n"
            L"    </Principal>\r\n"
            L"  </Principals>\r\n"
            L"  <Settings>\r\n"
            L"    <WakeToRun>true</WakeToRun>\r\n"
            L"    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\r\n"
            L"    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\r\n"
            L"    <StartWhenAvailable>true</StartWhenAvailable>\r\n"
            L"    <Enabled>true</Enabled>\r\n"
            L"  </Settings>\r\n"
            L"  <Actions Context=\"Author\">\r\n"
            L"    <Exec>\r\n"
            L"      <Command>C:\\A&amp;B\\Startup.bat</Command>\r\n"
            L"    </Exec>\r\n"
            L"  </Actions>\r\n"
            L"</Task>\r\n");
  for (const wchar_t* bad : {L"2027/1/5 07:05:00", L"2027/02/30 07:05:00", L"2027/01/05 07:05",
                             L"2027/01/05 24:00:00", L""}) {
    EXPECT_FALSE(BuildTaskXml(bad, L"C:\\W\\Startup.bat", L"Reveilo")) << bad;
  }
  EXPECT_NE(BuildTaskXml(L"2027/01/05 07:05:00", L"x", L"<a&b>")->find(L"<Author>&lt;a&amp;b&gt;</Author>"),
            std::wstring::npos);
}

TEST(Padded, DigitsAndLeadingZeros) {
  EXPECT_EQ(Padded(0, 2), L"00");
  EXPECT_EQ(Padded(7, 2), L"07");
  EXPECT_EQ(Padded(12, 0), L"12");
  EXPECT_EQ(Padded(2027, 4), L"2027");
  EXPECT_EQ(Padded(5, 4), L"0005");
  EXPECT_EQ(Padded(-3, 0), L"-3");
  EXPECT_EQ(Padded(2147483647, 0), L"2147483647");
  EXPECT_EQ(Padded(-2147483647 - 1, 0), L"-2147483648");
}
