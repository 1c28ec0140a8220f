// The driver: applies the command line's options strictly from left to right.
#pragma once

#include <cstdint>

namespace app {

// Runs the whole program over argv (argc entries, then a null one) and returns the exit status:
// 0, or 1 after a command-line error (which stops the run at once), an output file that could
// not be opened, written or closed, or a failed write to standard output. Each failure is
// reported on standard error, after the program name.
int32_t run_command_line(int32_t argc, char** argv);

}  // namespace app
