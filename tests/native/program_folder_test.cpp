#include <gtest/gtest.h>

#include "platform/program_folder.h"

TEST(ProgramFolder, FolderOfTheModuleAndJoinedNames) {
  const struct {
    const wchar_t *modulePath, *folder, *settingsPath;
  } cases[] = {
      {L"C:\\Tools\\Wake\\Reveilo.exe", L"C:\\Tools\\Wake", L"C:\\Tools\\Wake\\setting.ini"},
      {L"C:\\Reveilo.exe", L"C:\\", L"C:\\\\setting.ini"},  // a drive root keeps its separator
      {L"C:\\Program Files\\復帰\\Reveilo.exe", L"C:\\Program Files\\復帰", L"C:\\Program Files\\復帰\\setting.ini"},
      {L"\\\\server\\share\\Reveilo.exe", L"\\\\server\\share", L"\\\\server\\share\\setting.ini"},
  };
  for (const auto& c : cases) {
    const std::wstring folder = ProgramFolderFromModulePath(c.modulePath);
    EXPECT_EQ(folder, c.folder);
    EXPECT_EQ(ProgramFile(folder, kSettingsFileName), c.settingsPath);
  }
}

// Windows refuses to rewrite a hidden or system file with plain attributes.
TEST(ProgramFolder, ARewriteKeepsHiddenAndSystem) {
  for (const auto& [existing, asked] : {std::pair{kNoFileAttributes, 0x80ul}, {0x20ul, 0x80ul}, {0x2ul, 0x2ul},
                                        {0x4ul, 0x4ul}, {0x27ul, 0x6ul}, {0x1ul, 0x80ul}})
    EXPECT_EQ(AttributesForRewrite(existing), asked) << existing;
}
