// The floor of writing a report: a bare loop that writes BYTES bytes to standard output from
// a filled 1 MiB buffer, one write call per MiB. bench/compare.sh sets the program beside it.
#include <unistd.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  static char block[1 << 20];
  std::memset(block, 'x', sizeof block);
  size_t left = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 0;
  while (left > 0) {
    const size_t size = left < sizeof block ? left : sizeof block;
    const ssize_t written = write(1, block, size);
    if (written <= 0) return 1;
    left -= static_cast<size_t>(written);
  }
  return 0;
}
