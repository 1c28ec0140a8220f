# Cross build for 64-bit Arm Linux with Debian's cross compiler (g++-aarch64-linux-gnu). The
# program it makes is as static as the native one and runs here under qemu's user-mode emulator
# (qemu-user-static), through which ctest runs the tests.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/lib/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The headers and libraries of Debian's own arm64 packages (libc6-dev:arm64, libstdc++-12-dev:arm64,
# with dpkg --add-architecture arm64), which its security updates reach, in place of the cross
# toolchain's copies under /usr/aarch64-linux-gnu, which Debian 12 has never updated: the static
# program carries the C library and C++ runtime that it links. The compiler searches the arm64
# ones alone, as a native arm64 compiler does.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=include OUTPUT_VARIABLE compiler_include
                OUTPUT_STRIP_TRAILING_WHITESPACE)
string(JOIN " -isystem " CMAKE_CXX_FLAGS_INIT "-nostdinc" /usr/include/c++/12
       /usr/include/aarch64-linux-gnu/c++/12 /usr/include/c++/12/backward ${compiler_include}
       /usr/include/aarch64-linux-gnu /usr/include)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-B/usr/lib/aarch64-linux-gnu -B/usr/lib/gcc/aarch64-linux-gnu/12")
find_program(QEMU_AARCH64 NAMES qemu-aarch64-static)
# The unit tests link the shared C library of those packages, which qemu finds under / as on arm64.
set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU_AARCH64} -L /)
