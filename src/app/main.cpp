// Program entry: everything else lives in the library.
#include "app/driver.h"

int main(int argc, char** argv) { return app::run_command_line(argc, argv); }
