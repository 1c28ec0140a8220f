// The Windows command line as the program sees it: UTF-8 texts, an unpaired surrogate as U+FFFD,
// and the program's own name without folder and ".exe", however the shell spelt it.
#include <gtest/gtest.h>

#include "platform/platform.h"

TEST(Utf8Arguments, ConvertsTheCommandLineAndNamesTheProgram) {
  wchar_t name[] = L"C:\\Tools\\ZORVICXLSIM.Exe", text[] = {L'a', 0xD800, L'b', 0xE9, 0};
  wchar_t* argv[] = {name, text, nullptr};
  char** args = platform::utf8_arguments(2, argv);
  EXPECT_STREQ("ZORVICXLSIM", args[0]);
  EXPECT_STREQ(
      "a\xEF\xBF\xBD"
      "b\xC3\xA9",
      args[1]);
  EXPECT_EQ(nullptr, args[2]);
}
