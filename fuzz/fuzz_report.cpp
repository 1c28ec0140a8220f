// Fuzzes the report writer and parse_id_value: any small count, IDs and texts. Every PIE
// document must parse with libxml2 (an update once its fixed "< / Message>" texts are mended)
// and give back each display name and version that was valid XML text; every report has its
// line count; parse_id_value agrees with the C library's strtoull.
#include <fuzzer/FuzzedDataProvider.h>
#include <iconv.h>
#include <libxml/chvalid.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/id_value.h"
#include "report/device_report.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

bool is_one_of(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

uint32_t reference_id_value(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && is_one_of(text[at], " \t\n\v\f\r")) ++at;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const std::string rest = text.substr(at);
  // strtoull would take a second sign or more white space; parse_id_value takes neither.
  if (rest.empty() || is_one_of(rest[0], " \t\n\v\f\r+-")) return 0;
  errno = 0;
  const unsigned long long value = std::strtoull(rest.c_str(), nullptr, 0);
  if (errno == ERANGE || value > 0xFFFFFFFFull) return 0xFFFFFFFFu;
  const auto result = static_cast<uint32_t>(value);
  return negative ? 0u - result : result;
}

// Whether an XML parser takes text as it stands: well-formed UTF-8 (by glibc's decoder, which
// refuses overlongs, surrogates and stray bytes) of XML 1.0 characters only.
bool valid_xml_text(std::string text) {
  static const iconv_t to_utf32 = iconv_open("UTF-32LE", "UTF-8");
  std::u32string decoded(text.size(), U'\0');
  char* from = text.data();
  auto* to = reinterpret_cast<char*>(decoded.data());
  size_t from_left = text.size();
  size_t to_left = decoded.size() * sizeof(char32_t);
  iconv(to_utf32, nullptr, nullptr, nullptr, nullptr);
  if (iconv(to_utf32, &from, &from_left, &to, &to_left) == static_cast<size_t>(-1)) return false;
  decoded.resize(decoded.size() - to_left / sizeof(char32_t));
  return std::all_of(decoded.begin(), decoded.end(), [](char32_t c) { return xmlIsCharQ(c); });
}

// What the document's elements hold; display and version are null where the text may come back
// replaced.
struct Expected {
  const std::string* display;
  const std::string* version;
  size_t devices = 0;
};

void require_attribute(const xmlChar** attributes, int count, const char* name,
                       const std::string* expected) {
  for (int i = 0; i < count; ++i, attributes += 5) {  // name, prefix, URI, value, value end
    if (std::strcmp(reinterpret_cast<const char*>(attributes[0]), name) != 0) continue;
    const auto* value = reinterpret_cast<const char*>(attributes[3]);
    const auto* end = reinterpret_cast<const char*>(attributes[4]);
    require(expected == nullptr || std::string(value, end) == *expected);
    return;
  }
  require(false);
}

// Device and Application start tags; read by a SAX parser, which builds no tree.
void on_element(void* context, const xmlChar* name, const xmlChar*, const xmlChar*, int,
                const xmlChar**, int attribute_count, int, const xmlChar** attributes) {
  auto& expected = *static_cast<Expected*>(context);
  const bool device = xmlStrEqual(name, reinterpret_cast<const xmlChar*>("Device")) != 0;
  if (device) ++expected.devices;
  if (device || xmlStrEqual(name, reinterpret_cast<const xmlChar*>("Application")) != 0) {
    require_attribute(attributes, attribute_count, "display", expected.display);
  }
  if (!device && xmlStrEqual(name, reinterpret_cast<const xmlChar*>("Application")) != 0) {
    require_attribute(attributes, attribute_count, "version", expected.version);
  }
}

// Parses the document, which must be well-formed, and checks every Device and Application;
// returns the device count.
size_t check_document(std::string document, Expected expected) {
  for (size_t at = 0; (at = document.find("< / Message>", at)) != std::string::npos;) {
    document.replace(at, 12, "</Message>");
  }
  static xmlSAXHandler handler = [] {
    xmlSAXHandler h{};
    h.initialized = XML_SAX2_MAGIC;
    h.startElementNs = on_element;
    return h;
  }();
  xmlParserCtxt* parser =
      xmlCreateMemoryParserCtxt(document.data(), static_cast<int>(document.size()));
  require(parser != nullptr);
  xmlSAXHandler* const own_handler = parser->sax;
  parser->sax = &handler;
  parser->userData = &expected;
  parser->replaceEntities = 1;  // attribute values as a tree parser gives them
  xmlParseDocument(parser);
  require(parser->wellFormed != 0);
  parser->sax = own_handler;
  xmlFreeParserCtxt(parser);
  return expected.devices;
}

}  // namespace

// A small quarantine: a run frees thousands of parser nodes, and recycling a large quarantine
// would cost more than the run.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Reports go to a file in memory: no disk in the loop.
  static const int out_fd = memfd_create("zorvic_fuzz_report", 0);
  static const std::string out_name = "/proc/self/fd/" + std::to_string(out_fd);
  require(out_fd >= 0);
  FuzzedDataProvider in(data, size);

  std::string number = in.ConsumeRandomLengthString(24);
  number.resize(std::strlen(number.c_str()));
  require(app::parse_id_value(number.c_str()) == reference_id_value(number));

  const auto count = in.ConsumeIntegralInRange<int32_t>(-3, 12);
  const bool pie = in.ConsumeBool();
  const auto kind = in.ConsumeBool() ? report::REPORT_FWUPDATE : report::REPORT_LIST;
  const bool has_version = in.ConsumeBool();
  const bool fw_present = in.ConsumeBool();
  uint32_t ids[4];
  for (uint32_t& id : ids) id = in.ConsumeIntegral<uint32_t>();
  std::string version = in.ConsumeRandomLengthString(64);
  std::string display = in.ConsumeRandomLengthString(256);
  // A text ends at its first NUL, as an argument does.
  version.resize(std::strlen(version.c_str()));
  display.resize(std::strlen(display.c_str()));

  report::SimSettings settings;
  settings.output_file = out_name.c_str();
  settings.fw_file = fw_present ? "/dev/null" : "/nonexistent/zorvic_fw.bin";
  settings.fw_version = has_version ? version.c_str() : nullptr;
  settings.display_name = display.c_str();
  const report::ReportResult result = report::write_device_report(
      settings, count, pie ? 1 : 0, ids[0], ids[1], ids[2], ids[3], kind);
  require(result.file_error == 0 && result.stdout_error == 0);

  std::string document(static_cast<size_t>(lseek(out_fd, 0, SEEK_END)), '\0');
  require(pread(out_fd, document.data(), document.size(), 0) ==
          static_cast<ssize_t>(document.size()));
  const auto devices = static_cast<size_t>(std::max(count, 0));
  const size_t per_device = !pie ? 1 : kind == report::REPORT_FWUPDATE ? 7 : 4;
  size_t lines = 0;
  for (const char* at = document.c_str(); (at = std::strchr(at, '\n')) != nullptr; ++at) ++lines;
  require(lines == per_device * devices + 3);
  if (pie) {
    const std::string null_version = "(null)";
    const std::string* shown_version = !has_version              ? &null_version
                                       : valid_xml_text(version) ? &version
                                                                 : nullptr;
    require(check_document(document, {valid_xml_text(display) ? &display : nullptr,
                                      shown_version}) == devices);
  }
  require(document.find(fw_present ? "result = \"false\"" : "result = \"true\"") ==
          std::string::npos);
  return 0;
}
