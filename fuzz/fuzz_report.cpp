// Fuzzes the report writer with any texts, IDs and a few devices. Every PIE document must parse
// with libxml2 (an update once its fixed "< / Message>" texts are mended), with one Device per
// device, and give back each display name and version that was valid XML text as given.
#include <iconv.h>
#include <libxml/chvalid.h>
#include <libxml/parser.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "fuzz_check.h"
#include "report/device_report.h"

namespace {

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

void require_text(xmlNode* node, const char* name, const std::string& given) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  require(value != nullptr &&
          (!valid_xml_text(given) || given == reinterpret_cast<const char*>(value)));
  xmlFree(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Reports go to a file in memory: no disk in the loop.
  static const int out_fd = memfd_create("zorvic_fuzz_report", 0);
  static const std::string out_name = "/proc/self/fd/" + std::to_string(out_fd);
  FuzzedDataProvider in(data, size);
  const auto count = in.ConsumeIntegralInRange<int32_t>(-1, 3);
  const bool update = in.ConsumeBool();
  const bool has_version = in.ConsumeBool();
  uint32_t ids[4];
  for (uint32_t& id : ids) id = in.ConsumeIntegral<uint32_t>();
  // A text ends at its first NUL, as an argument does.
  const std::string version = in.ConsumeRandomLengthString(64).c_str();
  const std::string display = in.ConsumeRandomLengthString(256).c_str();
  const report::SimSettings settings{.fw_version = has_version ? version.c_str() : nullptr,
                                     .fw_file = in.ConsumeBool() ? "/dev/null" : nullptr,
                                     .output_file = out_name.c_str(),
                                     .display_name = display.c_str()};
  const report::ReportResult result =
      report::write_device_report(settings, count, 1, ids[0], ids[1], ids[2], ids[3],
                                  update ? report::REPORT_FWUPDATE : report::REPORT_LIST);
  require(out_fd >= 0 && result.file_error == 0 && result.stdout_error == 0);

  std::string document(static_cast<size_t>(lseek(out_fd, 0, SEEK_END)), '\0');
  require(pread(out_fd, document.data(), document.size(), 0) ==
          static_cast<ssize_t>(document.size()));
  for (size_t at = 0; (at = document.find("< / Message>", at)) != std::string::npos;) {
    document.replace(at, 12, "</Message>");
  }
  xmlDoc* doc = xmlReadMemory(document.data(), static_cast<int>(document.size()), nullptr, nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  require(doc != nullptr);
  int32_t devices = 0;
  for (xmlNode* device = xmlDocGetRootElement(doc)->children; device; device = device->next) {
    if (device->type != XML_ELEMENT_NODE) continue;
    ++devices;
    require_text(device, "display", display);
    require_text(xmlFirstElementChild(device), "display", display);
    require_text(xmlFirstElementChild(device), "version", has_version ? version : "(null)");
  }
  require(devices == std::max(count, 0));
  xmlFreeDoc(doc);
  return 0;
}
