// Device report writer. All entries of a report are alike but for the device's index, memory
// device number and bus, so the constant pieces are rendered once per report and each device
// adds only its numbers, into a block buffer that reaches the system with one call per block.
#include "report/device_report.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "report/status_messages.h"

namespace report {
namespace {

// Large blocks make fewer, larger copies into the page cache; 512 KiB writes a report into a
// file as fast as cat copies it, and keeps peak memory flat (the block is the only part that
// grows with the report, and only up to its size).
constexpr size_t BLOCK_SIZE = size_t{512} * 1024;

// The block every report fills. Static storage: the stack is no place for it (Windows gives a
// thread 1 MiB in all), and the heap would make each report allocate it anew, with a path for
// when that fails. Its pages cost nothing until a report writes them. The program has one
// thread, which is why the writer need not be re-entrant.
char block[BLOCK_SIZE];

// Collects report bytes into the block and hands them to the stream a block at a time. After
// the first failed write nothing more is written: the report is lost either way, and there is
// no point in formatting millions of entries for a full disk.
struct Sink {
  FILE* stream;
  size_t used = 0;
  int32_t error = 0;  // errno of the first failed write
};

void write_through(Sink& sink, const char* data, size_t size) {
  if (sink.error == 0) sink.error = platform::write_block(sink.stream, data, size);
}

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

void put(Sink& sink, const std::string& text) { put(sink, text.data(), text.size()); }

constexpr char DIGITS[] = "0123456789abcdef";

// Appends value in base 10 or 16 with at least min_digits digits, zero-filled, as "%0Nd" and
// "%0Nx" do.
void append_number(std::string& out, uint32_t value, uint32_t base, size_t min_digits) {
  char digits[32];
  size_t count = 0;
  do {
    digits[count++] = DIGITS[value % base];
    value /= base;
  } while (value != 0);
  while (count < min_digits) digits[count++] = '0';
  while (count > 0) out += digits[--count];
}

// The low digits each device writes into its copy of the entry: pair v of PAIRS_10 is v's two
// decimal digits (v < 100), of PAIRS_16 its two hexadecimal ones (v < 256).
template <size_t Base>
constexpr std::array<char, 2 * Base * Base> make_pairs() {
  std::array<char, 2 * Base * Base> pairs{};
  for (size_t v = 0; v < Base * Base; ++v) {
    pairs[2 * v] = DIGITS[v / Base];
    pairs[2 * v + 1] = DIGITS[v % Base];
  }
  return pairs;
}
constexpr std::array<char, 200> PAIRS_10 = make_pairs<10>();
constexpr std::array<char, 512> PAIRS_16 = make_pairs<16>();

// A number inside an entry's text that goes up by one from each device to the next. Its low
// digits are written into each copy of the entry, so the entry itself changes only when they
// carry.
struct Counter {
  size_t begin;  // its digits are text[begin, end); the low ones in text are not kept current
  size_t end;
  uint32_t base;   // 10 or 16
  uint32_t value;  // the number of the device the entry was rendered for
};

// One device's entry with its N changing numbers at known places. A device costs one copy of
// the entry and its numbers' low digits; the entry is rendered anew only when a number grows a
// digit.
template <size_t N>
struct Entry {
  std::string text;
  Counter counters[N];
  size_t counter_count = 0;
};

template <size_t N>
void add_counter(Entry<N>& entry, uint32_t value, uint32_t base, size_t min_digits) {
  const size_t begin = entry.text.size();
  append_number(entry.text, value, base, min_digits);
  entry.counters[entry.counter_count++] = Counter{begin, entry.text.size(), base, value};
}

// Carries into the digits before a counter's low ones; false when the number needs a further
// digit.
bool carry(std::string& text, const Counter& counter, size_t low_digits) {
  const char top = DIGITS[counter.base - 1];
  size_t at = counter.end - low_digits;
  while (at > counter.begin && text[at - 1] == top) text[--at] = '0';
  if (at == counter.begin) return false;
  char& digit = text[at - 1];
  digit = digit == '9' ? 'a' : static_cast<char>(digit + 1);
  return true;
}

// Writes run copies of text from copy on, each with its numbers' W low digits: number k's stand
// at[k] bytes into the copy, and copy j takes them from first[k] + W * j. Everything the loop
// reads is in locals that no byte store can reach, so it stays in registers.
template <size_t N, size_t W>
char* write_run(char* copy, const std::string& text, const size_t (&at)[N],
                const char* const (&first)[N], uint32_t run) {
  const char* const from = text.data();
  const size_t size = text.size();
  size_t place[N];
  const char* digits[N];
  for (size_t k = 0; k < N; ++k) {
    place[k] = at[k];
    digits[k] = first[k];
  }
  const auto digits_into = [&](char* entry, uint32_t j) {
    for (size_t k = 0; k < N; ++k) std::memcpy(entry + place[k], digits[k] + W * j, W);
  };
  if (size >= 32 && size <= 64) {  // a text line: two fixed, overlapping copies, no call
    for (uint32_t j = 0; j < run; ++j, copy += size) {
      std::memcpy(copy, from, 32);
      std::memcpy(copy + size - 32, from + size - 32, 32);
      digits_into(copy, j);
    }
    return copy;
  }
  for (uint32_t j = 0; j < run; ++j, copy += size) {
    std::memcpy(copy, from, size);  // NOLINT(bugprone-not-null-terminated-result)
    digits_into(copy, j);
  }
  return copy;
}

// Writes the entries of devices 0 .. count-1; render(entry, i) makes device i's entry in the
// emptied entry, whose text keeps its storage, so a report allocates the same few bytes
// whatever its device count. Devices go in runs that end where the low digits of a number wrap:
// two digits each (one while some number has only one), so a run is tens of devices long and a
// device costs a copy of the entry and a store per number.
template <size_t N, typename Render>
void write_entries(Sink& sink, int32_t count, Render render) {
  if (count <= 0) return;
  Entry<N> entry;
  size_t width = 1;  // low digits written per number
  size_t at[N];      // where each number's low digits stand
  uint32_t low[N];   // the value of those digits for the next device
  uint32_t wrap[N];  // where that value wraps: base ** width
  const char* table[N];
  // Renders device i's entry and takes its numbers' state into the locals.
  const auto start = [&](uint32_t i) {
    entry.text.clear();
    entry.counter_count = 0;
    render(entry, i);
    width = 2;
    for (const Counter& counter : entry.counters) {
      if (counter.end - counter.begin < 2) width = 1;
    }
    for (size_t k = 0; k < N; ++k) {
      const Counter& counter = entry.counters[k];
      at[k] = counter.end - width;
      wrap[k] = width == 1 ? counter.base : counter.base * counter.base;
      low[k] = counter.value % wrap[k];
      table[k] = width == 1 ? DIGITS : counter.base == 10 ? PAIRS_10.data() : PAIRS_16.data();
    }
  };
  start(0);
  const auto total = static_cast<uint32_t>(count);
  for (uint32_t done = 0;;) {
    uint32_t run = total - done;
    const char* digits[N];
    for (size_t k = 0; k < N; ++k) {
      run = std::min(run, wrap[k] - low[k]);
      digits[k] = table[k] + width * low[k];
    }
    const size_t size = entry.text.size();
    if (size > BLOCK_SIZE) {  // an entry larger than the block is written from itself
      run = 1;
      for (size_t k = 0; k < N; ++k) entry.text.replace(at[k], width, digits[k], width);
      put(sink, entry.text);
    } else {
      if (size > BLOCK_SIZE - sink.used) drain(sink);
      run = std::min(run, static_cast<uint32_t>((BLOCK_SIZE - sink.used) / size));
      char* copy = block + sink.used;
      copy = width == 1 ? write_run<N, 1>(copy, entry.text, at, digits, run)
                        : write_run<N, 2>(copy, entry.text, at, digits, run);
      sink.used = static_cast<size_t>(copy - block);
    }
    done += run;
    if (done == total || sink.error != 0) break;
    bool grown = false;
    for (size_t k = 0; k < N; ++k) {
      low[k] += run;
      if (low[k] < wrap[k]) continue;
      low[k] = 0;
      grown = !carry(entry.text, entry.counters[k], width) || grown;
    }
    if (grown) start(done);
  }
}

// printf into a string: for the pieces that are rendered once per report. A C variadic
// function, so that the compiler checks every format against its arguments.
[[gnu::format(printf, 1, 2)]] std::string format(const char* form, ...) {  // NOLINT(cert-dcl50-cpp)
  char small[256];
  va_list args;
  va_start(args, form);
  // The analyzer of clang 14 misses va_start in C++ and flags the next line.
  const int length = std::vsnprintf(small, sizeof small, form, args);  // NOLINT
  va_end(args);
  const auto size = static_cast<size_t>(length > 0 ? length : 0);
  if (size < sizeof small) return std::string(small, size);
  std::string text(size, '\0');
  va_start(args, form);
  std::vsnprintf(text.data(), size + 1, form, args);
  va_end(args);
  return text;
}

// One step through a text as UTF-8: a whole well-formed sequence and its code point, or the
// maximal subpart of an ill-formed one (valid false), which stands for one U+FFFD.
struct Utf8Step {
  size_t length;
  uint32_t code_point;
  bool valid;
};

Utf8Step next_utf8(const unsigned char* at) {
  const uint32_t lead = at[0];
  if (lead < 0x80) return {1, lead, true};
  size_t trailing = 0;
  uint32_t low = 0x80;   // the range of the first trailing byte rules out overlongs, surrogates
  uint32_t high = 0xBF;  // and code points above U+10FFFF
  uint32_t code_point = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    trailing = 1;
    code_point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    trailing = 2;
    code_point = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    trailing = 3;
    code_point = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {1, 0, false};
  }
  for (size_t length = 1; length <= trailing; ++length) {
    const uint32_t next = at[length];  // the terminating NUL is out of every range
    if (next < low || next > high) return {length, 0, false};
    code_point = code_point << 6 | (next & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return {trailing + 1, code_point, true};
}

// The entity that stands for code_point in an attribute value, or nullptr when it stands for
// itself. Tab, line feed and carriage return are written as references because a parser turns
// them into blanks inside an attribute.
const char* xml_entity(uint32_t code_point) {
  switch (code_point) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\'': return "&apos;";
    case '\t': return "&#9;";
    case '\n': return "&#10;";
    case '\r': return "&#13;";
    default: return nullptr;
  }
}

// Inventory tools read the PIE document with real XML parsers, so a text from the command line
// must neither end an attribute nor start markup, and must parse whatever its bytes are: what
// XML 1.0 cannot carry (ill-formed UTF-8, control characters, U+FFFE and U+FFFF) becomes U+FFFD.
std::string xml_attribute_text(const char* text) {
  std::string out;
  for (const auto* at = reinterpret_cast<const unsigned char*>(text); *at != 0;) {
    const Utf8Step step = next_utf8(at);
    const uint32_t code_point = step.code_point;
    const char* entity = xml_entity(code_point);
    if (entity != nullptr) {
      out += entity;
    } else if (!step.valid || code_point < 0x20 || code_point == 0xFFFE || code_point == 0xFFFF) {
      out += "\xEF\xBF\xBD";  // U+FFFD REPLACEMENT CHARACTER
    } else {
      out.append(reinterpret_cast<const char*>(at), step.length);
    }
    at += step.length;
  }
  return out;
}

struct Identity {
  uint32_t vendor;
  uint32_t device;
  uint32_t sub_vendor;
  uint32_t sub_device;
};

void write_text(Sink& sink, const char* word, int32_t count, const Identity& id,
                const char* message) {
  put(sink, format("%s begin\nid VndrId DevcId SubVID SubDID memdev\thost\n", word));
  const std::string ids = format(" 0x%04x 0x%04x 0x%04x 0x%04x mem", id.vendor, id.device,
                                 id.sub_vendor, id.sub_device);
  const std::string tail = message != nullptr ? format(":00.0 %s\n", message) : ":00.0\n";
  write_entries<3>(sink, count, [&ids, &tail](Entry<3>& entry, uint32_t index) {
    add_counter(entry, index, 10, 2);
    entry.text += ids;
    add_counter(entry, index + 1, 10, 1);
    entry.text += "\t0000:";
    add_counter(entry, index + 2, 16, 2);
    entry.text += tail;
  });
  put(sink, format("%s end\n", word));
}

void write_pie(Sink& sink, const char* root, int32_t count, const Identity& id,
               const SimSettings& settings, const char* message, bool success) {
  put(sink, format("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<%s lang=\"en\">\n", root));
  const std::string display = xml_attribute_text(settings.display_name);
  const std::string version =
      settings.fw_version != nullptr ? xml_attribute_text(settings.fw_version) : "(null)";
  const std::string before_bus = format(
      " <Device vendorID = \"%04x\" deviceID = \"%04x\" subVendorID = \"%04x\" "
      "subDeviceID = \"%04x\" bus = \"",
      id.vendor, id.device, id.sub_vendor, id.sub_device);
  std::string after_bus = format(
      "\" device = \"00\" function = \"00\" display = \"%s\">\n"
      "  <Application componentType = \"FRMW\" version = \"%s\" display = \"%s\">\n",
      display.c_str(), version.c_str(), display.c_str());
  if (message != nullptr) {
    after_bus += format("   <SPStatus result = \"%s\" >\n    %s\n   </SPStatus>\n",
                        success ? "true" : "false", message);
  }
  after_bus += "  </Application>\n </Device>\n";
  write_entries<1>(sink, count, [&before_bus, &after_bus](Entry<1>& entry, uint32_t index) {
    entry.text += before_bus;
    add_counter(entry, index + 2, 16, 2);
    entry.text += after_bus;
  });
  put(sink, format("</%s>\n", root));
}

}  // namespace

ReportResult write_device_report(const SimSettings& settings, int32_t device_count, int32_t pie,
                                 uint32_t pci_vendor_id, uint32_t pci_device_id,
                                 uint32_t pci_sub_vendor_id, uint32_t pci_sub_device_id,
                                 ReportKind kind) {
  ReportResult result{0, 0};
  // The firmware test comes first: the output file may be the firmware file itself.
  const bool success =
      settings.fw_file != nullptr && platform::firmware_file_openable(settings.fw_file);
  const char* message = status_messages[success ? STATUS_SUCCESS : STATUS_FILE_NOT_FOUND];

  FILE* stream = stdout;
  if (settings.output_file != nullptr) {
    // What the run wrote before stays ahead of a report sent to the same place.
    if (std::fflush(stdout) != 0) result.stdout_error = errno;
    // Truncated anew by every report: the file holds the last report of the run.
    stream = platform::open_output_file(settings.output_file);
    if (stream == nullptr) {
      result.file_error = errno;
      stream = stdout;
    }
  }

  const Identity id{pci_vendor_id, pci_device_id, pci_sub_vendor_id, pci_sub_device_id};
  Sink sink{stream};
  const bool update = kind == REPORT_FWUPDATE;
  if (pie != 0) {
    write_pie(sink, update ? "SVMExecution" : "SVMInventory", device_count, id, settings,
              update ? message : nullptr, success);
  } else {
    write_text(sink, update ? "fwupdate" : "list", device_count, id, update ? message : nullptr);
  }
  drain(sink);

  if (stream == stdout) {
    if (sink.error != 0) result.stdout_error = sink.error;
  } else {
    result.file_error = sink.error;
    if (std::fclose(stream) != 0 && result.file_error == 0) result.file_error = errno;
  }
  return result;
}

ReportResult report_list(const SimSettings& settings, int32_t device_count, int32_t pie,
                         uint32_t pci_vendor_id, uint32_t pci_device_id, uint32_t pci_sub_vendor_id,
                         uint32_t pci_sub_device_id) {
  return write_device_report(settings, device_count, pie, pci_vendor_id, pci_device_id,
                             pci_sub_vendor_id, pci_sub_device_id, REPORT_LIST);
}

ReportResult report_fwupdate(const SimSettings& settings, int32_t device_count, int32_t pie,
                             uint32_t pci_vendor_id, uint32_t pci_device_id,
                             uint32_t pci_sub_vendor_id, uint32_t pci_sub_device_id) {
  return write_device_report(settings, device_count, pie, pci_vendor_id, pci_device_id,
                             pci_sub_vendor_id, pci_sub_device_id, REPORT_FWUPDATE);
}

}  // namespace report
