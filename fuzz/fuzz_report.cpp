// Fuzzes the report writer with any texts and a few devices. Every PIE document must parse with
// libxml2 (an update once its fixed "< / Message>" texts are mended), with one Device per device,
// each giving back the display name and version as given wherever they were valid XML text.
#include <libxml/chvalid.h>
#include <libxml/parser.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <cuchar>
#include <string>

#include "fuzz_check.h"
#include "report/device_report.h"

// Whether an XML parser takes text as it stands: well-formed UTF-8 (by the C library's decoder,
// which refuses overlongs, surrogates and stray bytes) of XML 1.0 characters only.
static bool valid_xml_text(const char* text) {
  static const char* const utf8 = std::setlocale(LC_CTYPE, "C.UTF-8");
  require(utf8 != nullptr);
  std::mbstate_t state{};
  char32_t c = 0;
  for (size_t at = 0, length = 0, size = std::strlen(text); at < size; at += length) {
    length = std::mbrtoc32(&c, text + at, size - at, &state);
    if (length > 4 || !xmlIsCharQ(c)) return false;  // -1, -2: ill-formed or cut short
  }
  return true;
}

// The attribute must be there and read back as expected, unless that is null.
static void require_text(xmlNode* node, const char* name, const char* expected) {
  xmlChar* value = xmlGetProp(node, BAD_CAST name);
  require(value != nullptr && (expected == nullptr || xmlStrEqual(value, BAD_CAST expected)));
  xmlFree(value);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Reports go to a file in memory: no disk in the loop.
  static const int out_fd = memfd_create("zorvic_fuzz_report", 0);
  static const std::string out_name = "/proc/self/fd/" + std::to_string(out_fd);
  FuzzedDataProvider in(data, size);
  const auto count = in.ConsumeIntegralInRange<int32_t>(-1, 3);
  const auto kind = in.ConsumeBool() ? report::REPORT_FWUPDATE : report::REPORT_LIST;
  const bool has_version = in.ConsumeBool();
  ExactTexts text;  // each ends at its first NUL, as an argument does
  const char* version = text(in.ConsumeRandomLengthString(64));
  const char* display = text(in.ConsumeRandomLengthString(256));
  const report::SimSettings settings{.fw_version = has_version ? version : nullptr,
                                     .fw_file = in.ConsumeBool() ? "/dev/null" : nullptr,
                                     .output_file = out_name.c_str(),
                                     .display_name = display};
  require(out_fd >= 0 &&
          report::write_device_report(settings, count, 1, 1, 2, 3, 4, kind).file_error == 0);

  // An update's fixed "< / Message>" texts are no XML: they are mended before it is parsed.
  std::string document(static_cast<size_t>(lseek(out_fd, 0, SEEK_END)), '\0');
  require(pread(out_fd, document.data(), document.size(), 0) == std::ssize(document));
  for (size_t at = 0; (at = document.find("< / Message>", at)) != std::string::npos;)
    document.replace(at, 12, "</Message>");
  static xmlParserCtxt* const parser = xmlNewParserCtxt();  // one for all: a new one costs more
  xmlDoc* doc = xmlCtxtReadMemory(parser, document.data(), int(document.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  require(doc != nullptr);
  // Texts that were valid XML text must come back as given.
  const char* shown_version = has_version ? version : "(null)";
  const char* display_back = valid_xml_text(display) ? display : nullptr;
  const char* version_back = valid_xml_text(shown_version) ? shown_version : nullptr;
  xmlNode* root = xmlDocGetRootElement(doc);
  require(xmlChildElementCount(root) == static_cast<unsigned long>(std::max(count, 0)));
  for (xmlNode* d = xmlFirstElementChild(root); d; d = xmlNextElementSibling(d)) {
    require_text(d, "display", display_back);
    require_text(xmlFirstElementChild(d), "display", display_back);
    require_text(xmlFirstElementChild(d), "version", version_back);
  }
  xmlFreeDoc(doc);
  return 0;
}
