// The output block and its sink (see output_block.h). After the first failed write nothing more
// is written: the report is lost either way, and there is no point in formatting millions of
// entries for a full disk.
#include "report/output_block.h"

#include <cstring>

#include "platform/platform.h"

namespace report {

// Static storage: the stack is no place for it (Windows gives a thread 1 MiB in all), and the
// heap would make each report allocate it anew, with a path for when that fails. Its pages cost
// nothing until a report writes them. The program has one thread.
char block[BLOCK_SIZE];

namespace {

void write_through(Sink& sink, const char* data, size_t size) {
  if (sink.error == 0) sink.error = platform::write_block(sink.stream, data, size);
}

}  // namespace

void drain(Sink& sink) {
  if (sink.used != 0) write_through(sink, block, sink.used);
  sink.used = 0;
}

void put(Sink& sink, const char* data, size_t size) {
  if (size > BLOCK_SIZE - sink.used) {
    drain(sink);
    if (size > BLOCK_SIZE) {
      write_through(sink, data, size);
      return;
    }
  }
  std::memcpy(block + sink.used, data, size);
  sink.used += size;
}

}  // namespace report
