// Windows: names and the command line are UTF-16 to the system and UTF-8 to the program, and
// streams are text streams that write each line feed as CR LF.
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {
namespace {

// The UTF-16 form of a UTF-8 name, for the system's wide-character calls.
std::wstring wide(const char* text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), size);
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

bool firmware_file_openable(const char* name) {
  // Windows refuses to open a directory as a file, so an open that succeeds is a file.
  FILE* file = _wfopen(wide(name).c_str(), L"rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

FILE* open_output_file(const char* name) { return _wfopen(wide(name).c_str(), L"w"); }

int write_block(FILE* stream, const char* data, size_t size) {
  errno = 0;
  if (std::fwrite(data, 1, size, stream) == size) return 0;
  return errno != 0 ? errno : EIO;
}

char** utf8_arguments(int argc, wchar_t** argv) {
  static std::vector<std::string> texts;
  static std::vector<char*> pointers;
  for (int i = 0; i < argc; ++i)
    texts.push_back(i == 0 ? program_name(utf8(argv[0])) : utf8(argv[i]));
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers.data();
}

}  // namespace platform
