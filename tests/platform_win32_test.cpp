// The Windows command line as the program sees it: UTF-8 texts, an unpaired surrogate as U+FFFD,
// and the program's own name without folder and ".exe", however the shell spelt it. Names too
// long for MAX_PATH: opened by their extended-length full path, on a drive or a share.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/platform.h"

TEST(Win32Platform, ArgumentsInUtf8AndLongNamesAsExtendedLengthFullPaths) {
  wchar_t exe[] = L"C:\\Tools\\ZORVICXLSIM.Exe", text[] = {L'a', 0xD800, L'b', 0xE9, 0};
  wchar_t* argv[] = {exe, text, nullptr};
  char** args = platform::utf8_arguments(2, argv);
  EXPECT_STREQ("ZORVICXLSIM", args[0]);
  EXPECT_STREQ("a\uFFFDb\u00E9", args[1]);
  EXPECT_EQ(nullptr, args[2]);
  const std::string folder(250, 'd');
  const std::wstring wide_folder(folder.begin(), folder.end());
  EXPECT_EQ(L"x/\u00e9.txt", platform::system_path("x/\xc3\xa9.txt"));
  EXPECT_EQ(L"\\\\?\\UNC\\host\\share\\" + wide_folder + L"\\f",
            platform::system_path(("//host/share/" + folder + "/sub/../f").c_str()));
  const std::wstring cwd = std::filesystem::current_path().wstring();
  const std::string name = folder + "/" + folder + ".txt";
  const std::wstring full = platform::system_path(name.c_str());
  EXPECT_EQ(L"\\\\?\\" + cwd + L"\\" + wide_folder + L"\\" + wide_folder + L".txt", full);
  // The program opens such a file for the firmware test and as its output file.
  CreateDirectoryW(platform::system_path(folder.c_str()).c_str(), nullptr);
  FILE* file = platform::open_output_file(name.c_str());
  ASSERT_NE(nullptr, file);
  std::fclose(file);
  EXPECT_TRUE(platform::firmware_file_openable(name.c_str()));
  DeleteFileW(full.c_str());
  RemoveDirectoryW(platform::system_path(folder.c_str()).c_str());
}
