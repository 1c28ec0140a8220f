// Differential fuzzing of the report writer: it must write the same bytes as the reference
// writer (tests/) for any IDs and texts, in both forms and kinds, and libxml2 must read every
// inventory back. Counts stay small but for the inputs whose hash picks them, one in 1,024, up to
// 1,100: those carry through the low digits and grow a digit in every number (index and mem
// 99/100 and 999/1000, bus 0xff/0x100), and are rare enough to keep fuzzing fast; the unit grid
// has a count past 100,000. The seed corpus holds one of each kind in each form, so that every
// run starts with them.
#include <libxml/xmlreader.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "report/device_report.h"
#include "tests/reference_report.h"

// A smaller quarantine and no filling of new blocks: much of the time went to touching memory
// that the quarantine kept new, and to filling libxml2's buffers.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=1:max_malloc_fill_size=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The program's report goes to standard output, made a file in memory that each input writes
  // from its start and that is read back through the same descriptor; the reference's to a
  // memory stream: few system calls per input, none to a disk. (libFuzzer writes to standard
  // error only.)
  static const int fd = dup2(memfd_create("report", 0), STDOUT_FILENO);
  require(fd == STDOUT_FILENO && lseek(fd, 0, SEEK_SET) == 0);
  // A hash of the whole input, which no mutation aims at.
  const size_t hash = std::hash<std::string_view>()({reinterpret_cast<const char*>(data), size});
  FuzzedDataProvider in(data, size);
  const int32_t count = in.ConsumeIntegralInRange(-1, hash % 1024 == 0 ? 1100 : 12);
  const bool pie = in.ConsumeBool(), update = in.ConsumeBool(), found = in.ConsumeBool();
  uint32_t id[4];
  for (uint32_t& value : id) value = in.ConsumeIntegral<uint32_t>();
  ExactTexts text;  // each ends at its first NUL, as an argument does
  const char* version = in.ConsumeBool() ? text(in.ConsumeRandomLengthString(64)) : nullptr;
  const char* display = text(in.ConsumeRandomLengthString(64));
  const char* fw = found ? "/dev/null" : nullptr;
  const report::SimSettings s{pie,   count,   id[0], id[1],   id[2],
                              id[3], version, fw,    nullptr, display};
  const report::ReportResult result = (update ? report::report_fwupdate : report::report_list)(
      s, count, pie, id[0], id[1], id[2], id[3]);
  char* expected = nullptr;
  size_t length = 0;
  FILE* out = open_memstream(&expected, &length);
  reference::write_report(out, s, update, found);
  require(std::fclose(out) == 0 && result.file_error == 0 && result.stdout_error == 0);
  std::string got(length, '\0');  // what the program wrote, which must be no more
  require(lseek(fd, 0, SEEK_CUR) == static_cast<off_t>(length) &&
          pread(fd, got.data(), length, 0) == static_cast<ssize_t>(length) &&
          std::memcmp(got.data(), expected, length) == 0);
  free(expected);
  // What both writers could misread alike: an inventory parses, and its display attributes give
  // the text back unless part of it became U+FFFD. (An execution document's "< / Message>" is
  // no XML.)
  if (pie && !update) {
    static xmlTextReader* const reader = xmlReaderForMemory("<a/>", 4, nullptr, nullptr, 0);
    const auto bytes = static_cast<int>(length);  // one reader, set to each inventory in turn
    require(xmlReaderNewMemory(reader, got.data(), bytes, nullptr, nullptr, 0) == 0);
    int32_t step = 0;
    while ((step = xmlTextReaderRead(reader)) == 1) {
      xmlChar* value = xmlTextReaderGetAttribute(reader, BAD_CAST "display");
      const std::string_view read = value != nullptr ? reinterpret_cast<char*>(value) : display;
      require(read == display || read.find("\xef\xbf\xbd") != std::string_view::npos);
      xmlFree(value);
    }
    require(step == 0);
  }
  return 0;
}
