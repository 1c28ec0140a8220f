// Fuzzes the report writer with any texts and a few devices. Every PIE document must parse with
// libxml2 (an update once its fixed "< / Message>" texts are mended), with one Device per device,
// each giving back the display name and version as given wherever they were valid XML text.
#include <libxml/parser.h>
#include <sys/mman.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_check.h"
#include "report/device_report.h"

namespace {

// Whether an XML parser takes text as it stands (libxml2 refuses ill-formed UTF-8 and what XML
// 1.0 cannot carry inside a CDATA section); the rare text holding "]]>" counts as not.
bool valid_xml_text(const std::string& text) {
  const std::string document = "<a><![CDATA[" + text + "]]></a>";
  xmlDoc* parsed = xmlReadMemory(document.data(), static_cast<int>(document.size()), nullptr,
                                 nullptr, XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  xmlFreeDoc(parsed);
  return parsed != nullptr;
}

// The attribute must be there, and read back as given when that was valid text.
void require_text(xmlNode* node, const char* name, const std::string& given, bool valid) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  require(value != nullptr && (!valid || given == reinterpret_cast<const char*>(value)));
  xmlFree(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Reports go to a file in memory: no disk in the loop.
  static const int out_fd = memfd_create("zorvic_fuzz_report", 0);
  static const std::string out_name = "/proc/self/fd/" + std::to_string(out_fd);
  FuzzedDataProvider in(data, size);
  const auto count = in.ConsumeIntegralInRange<int32_t>(-1, 3);
  const auto kind = in.ConsumeBool() ? report::REPORT_FWUPDATE : report::REPORT_LIST;
  const bool has_version = in.ConsumeBool();
  // A text ends at its first NUL, as an argument does.
  const std::string version = in.ConsumeRandomLengthString(64).c_str();
  const std::string display = in.ConsumeRandomLengthString(256).c_str();
  const report::SimSettings settings{.fw_version = has_version ? version.c_str() : nullptr,
                                     .fw_file = in.ConsumeBool() ? "/dev/null" : nullptr,
                                     .output_file = out_name.c_str(),
                                     .display_name = display.c_str()};
  require(out_fd >= 0 &&
          report::write_device_report(settings, count, 1, 1, 2, 3, 4, kind).file_error == 0);

  // An update's fixed "< / Message>" texts are no XML: they are mended before it is parsed.
  std::ifstream file(out_name, std::ios::binary);
  std::string document{std::istreambuf_iterator<char>(file), {}};
  for (size_t at = 0; (at = document.find("< / Message>", at)) != std::string::npos;) {
    document.replace(at, 12, "</Message>");
  }
  xmlDoc* doc = xmlReadMemory(document.data(), static_cast<int>(document.size()), nullptr, nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  require(doc != nullptr);
  const bool display_valid = valid_xml_text(display);
  const std::string shown_version = has_version ? version : "(null)";
  int32_t devices = 0;
  for (xmlNode* device = xmlDocGetRootElement(doc)->children; device; device = device->next) {
    if (device->type != XML_ELEMENT_NODE) continue;
    ++devices;
    require_text(device, "display", display, display_valid);
    require_text(xmlFirstElementChild(device), "display", display, display_valid);
    require_text(xmlFirstElementChild(device), "version", shown_version,
                 valid_xml_text(shown_version));
  }
  require(devices == std::max(count, 0));
  xmlFreeDoc(doc);
  return 0;
}
