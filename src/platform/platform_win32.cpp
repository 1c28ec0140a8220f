// Windows: names and the command line are UTF-16 to the system and UTF-8 to the program, and
// streams are text streams that write each line feed as CR LF.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {
namespace {

// The UTF-16 form of a UTF-8 text, for the system's wide-character calls.
std::wstring wide(const char* text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), size);
  out.resize(wcslen(out.c_str()));
  return out;
}

std::string utf8(const wchar_t* text) {
  // Without WC_ERR_INVALID_CHARS an unpaired surrogate becomes U+FFFD.
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(std::strlen(out.c_str()));
  return out;
}

// cmd passes the name as typed, PowerShell and Explorer the full path with ".exe": messages and
// the version line name the program alike whichever of them started it.
std::string program_name(std::string path) {
  path.erase(0, path.find_last_of("\\/:") + 1);  // npos + 1 is 0: no folder
  const size_t dot = path.size() >= 4 ? path.size() - 4 : std::string::npos;
  if (dot != std::string::npos && _stricmp(path.c_str() + dot, ".exe") == 0) path.erase(dot);
  return path;
}

}  // namespace

std::wstring system_path(const char* name) {
  std::wstring path = wide(name);
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size < MAX_PATH) return path;  // short, or no path at all: as given
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  // "\\.\" and "\\?\" names are the system's own already; the rest is a drive or a share.
  if (full.rfind(L"\\\\", 0) == 0 && full.size() > 2 && (full[2] == L'.' || full[2] == L'?'))
    return full;
  return full.rfind(L"\\\\", 0) == 0 ? L"\\\\?\\UNC" + full.substr(1) : L"\\\\?\\" + full;
}

bool firmware_file_openable(const char* name) {
  // Windows refuses to open a directory as a file, so an open that succeeds is a file.
  FILE* file = _wfopen(system_path(name).c_str(), L"rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

FILE* open_output_file(const char* name) { return _wfopen(system_path(name).c_str(), L"w"); }

int write_block(FILE* stream, const char* data, size_t size) {
  // Past the stream's buffer, as the POSIX build writes it: a failure belongs to this block, not
  // to an fclose that does not always report it, and a console gets whole UTF-8 sequences.
  errno = 0;
  if (std::fflush(stream) != 0) return errno != 0 ? errno : EIO;
  const int fd = _fileno(stream);
  while (size > 0) {
    // In pieces the size of an int; a text-mode descriptor writes each line feed as CR LF.
    const unsigned piece = size < 0x40000000 ? static_cast<unsigned>(size) : 0x40000000;
    const int written = _write(fd, data, piece);
    if (written <= 0) return written < 0 ? errno : EIO;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return 0;
}

unsigned console_utf8() {
  unsigned code_page = 0;
  for (FILE* stream : {stdout, stderr}) {
    DWORD mode = 0;
    const int fd = _fileno(stream);
    // The C library hands the descriptor's handle out as a number.
    const auto handle =
        reinterpret_cast<HANDLE>(_get_osfhandle(fd));  // NOLINT(performance-no-int-to-ptr)
    if (GetConsoleMode(handle, &mode) == 0) continue;
    // The C library would write to a console byte by byte and translate each byte from its own
    // code page: the UTF-8 goes to the console unchanged instead, a buffer at a time, so that
    // no character is cut in two. A console starts a new line at a line feed without a CR.
    _setmode(fd, _O_BINARY);
    std::setvbuf(stream, nullptr, _IOFBF, 1 << 16);
    if (code_page == 0) code_page = GetConsoleOutputCP();
  }
  if (code_page == 0 || code_page == CP_UTF8) return 0;
  return SetConsoleOutputCP(CP_UTF8) != 0 ? code_page : 0;
}

void console_restore(unsigned code_page) {
  // The run's output is shown in UTF-8 still.
  std::fflush(stdout);
  std::fflush(stderr);
  if (code_page != 0) SetConsoleOutputCP(code_page);
}

char** utf8_arguments(int argc, wchar_t** argv) {
  static std::vector<std::string> texts;
  static std::vector<char*> pointers;
  texts.reserve(static_cast<size_t>(argc));
  pointers.reserve(static_cast<size_t>(argc) + 1);
  for (int i = 0; i < argc; ++i)
    texts.push_back(i == 0 ? program_name(utf8(argv[0])) : utf8(argv[i]));
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers.data();
}

}  // namespace platform
