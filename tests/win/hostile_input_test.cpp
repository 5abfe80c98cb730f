// Bad input, end to end: each row starts Reveilo.exe with a command line
// and a prepared folder, and states what the user must see and what may
// change. Nothing may crash, and setting.ini changes only when a Set succeeds.
#include <gtest/gtest.h>
#include <initguid.h>
#include <taskschd.h>

#include "job_store.h"
#include "platform/ansi_text.h"
#include "platform/local_time.h"
#include "res/resource.h"
#include "res/strings.h"
#include "settings/password.h"
#include "ui_driver.h"

namespace {
const std::wstring kSettings = ProgramPath(L"\\setting.ini");
const std::wstring kDate = std::to_wstring(LocalNow().year + 1) + L"/01/05";
const std::string kPlainSettings = "[UserInfo]\r\nUser=taro\r\nPass=\r\n[StartTime]\r\nHour=07\r\nMin=05\r\n";

enum class Ending { StaysOpen, ExitsZero };

struct Row {
  const char* name;
  std::wstring arguments;
  std::string settings;        // setting.ini before the run ("" for none)
  const wchar_t* message;      // the one message box expected, or nullptr
  Ending ending;
  bool batchWritten;           // "AddTask.bat" was written for jt.exe
  std::wstring expectUser;     // txtUser after start-up, when not empty
  bool blockBatch = false;     // "AddTask.bat" cannot be written
  bool readOnlySettings = false;
};

std::string Ansi(const std::wstring& text) { return ToAnsi(text); }

const Row kRows[] = {
    // Command lines that are not taken apart: restore mode, or the format warning.
    {"empty", L"", kPlainSettings, nullptr, Ending::StaysOpen, false, L"taro"},
    {"spaces only", L"      ", kPlainSettings, nullptr, Ending::StaysOpen, false, L"taro"},
    {"one token", kDate, kPlainSettings, kMsgBadCommandLine, Ending::StaysOpen, false, L"taro"},
    {"two tokens", kDate + L" 07:05", kPlainSettings, kMsgBadCommandLine, Ending::StaysOpen, false, L""},
    {"three tokens", kDate + L" 07:05 u", kPlainSettings, kMsgBadCommandLine, Ending::StaysOpen, false, L""},
    {"tabs for spaces", kDate + L"\t07:05\tu\tp", kPlainSettings, kMsgBadCommandLine, Ending::StaysOpen, false, L""},
    {"quoted date", L"\"" + kDate + L"\" 07:05 u p", kPlainSettings, kMsgBadCommandLine, Ending::StaysOpen, false, L""},
    {"30 February", L"2027/02/30 07:05 u p", kPlainSettings, kMsgBadCommandLine, Ending::StaysOpen, false, L""},
    {"month 13", L"2027/13/01 07:05 u p", kPlainSettings, kMsgBadCommandLine, Ending::StaysOpen, false, L""},
    {"time without colon", kDate + L" 0705 u p", kPlainSettings, kMsgBadCommandLine, Ending::StaysOpen, false, L""},
    {"10,000-character date", std::wstring(10000, L'9') + L" 07:05 u p", kPlainSettings, kMsgBadCommandLine,
     Ending::StaysOpen, false, L""},
    {"Japanese date", L"\u4ee4\u548c\u4e5d\u5e74 07:05 u p", kPlainSettings, kMsgBadCommandLine,
     Ending::StaysOpen, false, L""},
    // Taken apart, then refused by the Set command or by jt.exe.
    {"past time", L"2001/01/05 07:05 u p", kPlainSettings, kMsgPastTime, Ending::StaysOpen, false, L""},
    {"hour 24", kDate + L" 24:00 u p", kPlainSettings, kMsgScheduleFailed, Ending::StaysOpen, true, L""},
    {"minute 60", kDate + L" 07:60 u p", kPlainSettings, kMsgScheduleFailed, Ending::StaysOpen, true, L""},
    {"letters for the hour", kDate + L" ab:05 u p", kPlainSettings, kMsgScheduleFailed, Ending::StaysOpen, true,
     L""},
    {"Japanese hour", kDate + L" \u4e03:05 u p", kPlainSettings, kMsgScheduleFailed, Ending::StaysOpen, true, L""},
    {"Japanese password", kDate + L" 07:05 u \u30d1\u30b9", kPlainSettings, kMsgPasswordNotStorable,
     Ending::StaysOpen, false, L""},
    {"half-width katakana password", kDate + L" 07:05 u \uff8a\uff9f\uff7d", kPlainSettings,
     kMsgPasswordNotStorable, Ending::StaysOpen, false, L""},
    {"10,000-character user", kDate + L" 07:05 " + std::wstring(10000, L'u') + L" p", kPlainSettings,
     kMsgScheduleFailed, Ending::StaysOpen, false, L""},
    {"10,000-character password", kDate + L" 07:05 u " + std::wstring(10000, L'p'), kPlainSettings,
     kMsgScheduleFailed, Ending::StaysOpen, false, L""},
    {"folder not writable", kDate + L" 07:05 u p", kPlainSettings, kMsgScheduleFailed, Ending::StaysOpen, false,
     L"", true},
    // Hostile but valid: the Set goes through with the texts intact.
    {"Japanese user", kDate + L" 07:05 \u5c71\u7530 p", kPlainSettings, nullptr, Ending::ExitsZero, true, L""},
    {"cmd metacharacters in the user", kDate + L" 07:05 a&b|c>d p", kPlainSettings, nullptr, Ending::ExitsZero,
     true, L""},
    {"cmd metacharacters in the password", kDate + L" 07:05 u p&q>r^s%PATH%(t)", kPlainSettings, nullptr,
     Ending::ExitsZero, true, L""},
    {"quote before a metacharacter", kDate + L" 07:05 x\"y&z p|q", kPlainSettings, nullptr, Ending::ExitsZero,
     true, L""},
    // setting.ini as nobody wrote it.
    {"no sections", L"", "[Other]\r\nKey=1\r\n", nullptr, Ending::StaysOpen, false, L""},
    {"5,000-byte user", L"", "[UserInfo]\r\nUser=" + std::string(5000, 'a') + "\r\n", nullptr, Ending::StaysOpen,
     false, std::wstring(1023, L'a')},
    {"Pass not a multiple of four", L"", "[UserInfo]\r\nUser=taro\r\nPass=" +
     Ansi(ConvertPassword(L"SET", L"pw").value()) + "xy\r\n", nullptr, Ending::StaysOpen, false, L"taro"},
    {"Pass of no codes", L"", "[UserInfo]\r\nUser=taro\r\nPass=\"\"\"\"    ~~~~\r\n", nullptr, Ending::StaysOpen,
     false, L"taro"},
    {"bytes that are no Shift-JIS", L"", "[UserInfo]\r\nUser=\x81\x20\xff\xa0\x82\r\n[StartTime]\r\nHour=\x80\r\n",
     nullptr, Ending::StaysOpen, false, L""},
    // A settings file that cannot be written does not undo the wake job.
    {"read-only setting.ini", kDate + L" 07:05 u p", kPlainSettings, nullptr, Ending::ExitsZero, true, L"", false,
     true},
    {"binary garbage", L"", std::string("\0\x01\x02[\xff]\r\n=\r\n[[[\r\n", 14), nullptr, Ending::StaysOpen, false,
     L""},
};

class HostileInput : public ::testing::TestWithParam<Row> {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void SetUp() override {
    SetFileAttributesW(kSettings.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const wchar_t* name : {L"\\setting.ini", L"\\jt_calls.txt", L"\\AddTask.bat", L"\\Startup.bat",
                                L"\\d", L"\\r", L"\\q", L"\\z"})
      DeleteFileW(ProgramPath(name).c_str());
    RemoveDirectoryW(ProgramPath(L"\\AddTask.bat").c_str());
    UseJt(Jt::Real);
  }
};
}  // namespace

TEST_P(HostileInput, ClearOutcomeNothingLost) {
  const Row& row = GetParam();
  if (!row.settings.empty()) WriteFileBytes(kSettings, row.settings);
  if (row.blockBatch) {
    ASSERT_TRUE(CreateDirectoryW(ProgramPath(L"\\AddTask.bat").c_str(), nullptr));
  }
  if (row.readOnlySettings) {
    ASSERT_TRUE(SetFileAttributesW(kSettings.c_str(), FILE_ATTRIBUTE_READONLY));
  }
  const std::string before = FileBytes(kSettings);

  ReveiloProcess reveilo(row.arguments);
  ASSERT_TRUE(reveilo.Started());
  if (row.message) {
    HWND box = reveilo.MessageBoxWindow(30000);
    ASSERT_NE(box, nullptr) << "expected: " << ToAnsi(row.message);
    EXPECT_EQ(MessageBoxText(box), row.message);
    PressMessageBoxButton(box, IDOK);
  }
  DWORD code = 99;
  if (row.ending == Ending::ExitsZero) {
    ASSERT_TRUE(reveilo.Exited(30000, &code)) << "the Set should have ended the program";
    EXPECT_EQ(code, 0u);
    if (row.readOnlySettings) {
      SetFileAttributesW(kSettings.c_str(), FILE_ATTRIBUTE_NORMAL);
    } else {
      EXPECT_NE(FileBytes(kSettings), before) << "a successful Set stores the settings";
    }
    // Nothing the user typed ran as a command.
    for (const wchar_t* stray : {L"\\d", L"\\r", L"\\q", L"\\z"}) EXPECT_FALSE(FileExists(ProgramPath(stray)));
  } else {
    ASSERT_NE(reveilo.MainWindow(), nullptr);
    if (!row.message) {
      EXPECT_EQ(reveilo.MessageBoxWindow(300), nullptr);
    }
    EXPECT_FALSE(reveilo.Exited(300)) << "the window must stay open";
    if (!row.expectUser.empty()) {
      EXPECT_EQ(reveilo.ControlText(IDC_TXTUSER), row.expectUser);
    }
    PostMessageW(reveilo.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(reveilo.Exited(10000, &code));
    EXPECT_EQ(code, 1u);
    EXPECT_EQ(FileBytes(kSettings), before) << "setting.ini changed without a successful Set";
  }
  EXPECT_EQ(FileExists(TasksFolder() + L"\\Resume.job"), row.ending == Ending::ExitsZero);
  DeleteFileW((TasksFolder() + L"\\Resume.job").c_str());
  const DWORD batch = GetFileAttributesW(ProgramPath(L"\\AddTask.bat").c_str());
  EXPECT_EQ(batch != INVALID_FILE_ATTRIBUTES && !(batch & FILE_ATTRIBUTE_DIRECTORY), row.batchWritten);
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileInput, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                           std::string name;
                           for (const char* c = info.param.name; *c; ++c)
                             name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                           return name;
                         });
