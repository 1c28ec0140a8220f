// Linux and other POSIX systems: names are bytes, and a block goes straight to the descriptor.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/platform.h"

namespace platform {

bool firmware_file_openable(const char* name) {
  // Non-blocking, because opening a FIFO that has no writer would otherwise wait forever.
  const int fd = open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  // Linux opens directories for reading, but a directory is no firmware file.
  struct stat info {};
  const bool openable = fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
  close(fd);
  return openable;
}

FILE* open_output_file(const char* name) { return std::fopen(name, "w"); }

int write_block(FILE* stream, const char* data, size_t size) {
  // Past the stream's own small buffer, which would split a block into two system calls.
  if (std::fflush(stream) != 0) return errno;
  const int fd = fileno(stream);
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written < 0 ? errno : EIO;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return 0;
}

}  // namespace platform
