// The Vista route's call as a component registered the ordinary way sees it:
// this program has no manifest, so the ProgID is found in the registry, where
// a recording build of the component was registered.
#include <gtest/gtest.h>

#include "driver.h"
#include "wake_job/schedule.h"

TEST(ComponentCall, ReceivesExactlyTheFourStrings) {
  HMODULE recorder = LoadLibraryW(ProgramPath(L"\\ReveiloTaskRecorder.dll").c_str());
  ASSERT_NE(recorder, nullptr);
  using RegisterFn = HRESULT(WINAPI*)();
  auto registerServer = reinterpret_cast<RegisterFn>(
      reinterpret_cast<void*>(GetProcAddress(recorder, "DllRegisterServer")));
  ASSERT_NE(registerServer, nullptr);
  ASSERT_HRESULT_SUCCEEDED(registerServer());

  WriteFileBytes(ProgramPath(kStartupBatchName), "echo old\r\n");
  ASSERT_TRUE(ScheduleWakeJob(Win32WakeJobSystem(), {L"12/25/2026", L"23:59", L"taro", L"pw"}));
  EXPECT_EQ(FileText16(ProgramPath(L"\\component_args.txt")),
            L"2026/12/25 23:59:00\n" + ProgramFolder() + L"\\Startup.bat\nResumeRV\nReveilo\n");
  EXPECT_EQ(FileBytes(ProgramPath(kStartupBatchName)), "");
}
