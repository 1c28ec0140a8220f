// Program entry on Windows: the command line arrives as UTF-16 and goes on as UTF-8 texts, so
// that names and texts reach the program as the user typed them, whatever the code page; a
// console shows the program's UTF-8 as such for the run.
#include "app/driver.h"
#include "platform/platform.h"

int wmain(int argc, wchar_t** argv) {
  const unsigned code_page = platform::console_utf8();
  const int status = app::run_command_line(argc, platform::utf8_arguments(argc, argv));
  platform::console_restore(code_page);
  return status;
}
