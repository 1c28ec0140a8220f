// What differs between Linux and Windows: opening the firmware and output files by their UTF-8
// names, handing a block of report bytes to a stream, and (Windows) the command line as UTF-8
// and a console that shows it.
// One implementation file per system; the rest of the program never asks which one it runs on.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace platform {

// True when name opens for reading in binary mode and is no directory; the file is closed again
// at once and nothing is read. Never blocks, not even on a FIFO that has no writer.
bool firmware_file_openable(const char* name);

// fopen(name, "w"): a text stream, created or truncated; null with errno set when it fails.
FILE* open_output_file(const char* name);

// Writes size bytes to stream with one call, after whatever the stream still holds, and leaves
// nothing behind in the stream; on Windows the stream turns each line feed into CR LF. Returns
// 0, or the errno of the failure.
int write_block(FILE* stream, const char* data, size_t size);

// Windows build only (the process entry's): the command line as null-terminated UTF-8 texts,
// converted once from UTF-16 (an unpaired surrogate becomes U+FFFD) and kept for the whole run.
// Entry 0 is the program's name: argv[0]'s last path component without ".exe", whatever way the
// shell that started it spelt it.
char** utf8_arguments(int argc, wchar_t** argv);

// Windows build only: the UTF-16 name the system opens for a UTF-8 one. A name whose full path
// is too long for programs that do not opt in (MAX_PATH) becomes that full path as an
// extended-length "\\?\" name; any other name stays as given.
std::wstring system_path(const char* name);

// Windows build only (the process entry's): when standard output or standard error is a
// console, has it show UTF-8 and returns the code page it showed before, else 0; the program's
// bytes stay the same either way. console_restore(that value) puts the code page back at exit.
unsigned console_utf8();
void console_restore(unsigned code_page);

}  // namespace platform
