// The two report formats (see formats.h). The constant pieces of an entry are rendered once per
// report, with printf's formats; the run writer adds each device's numbers.
#include "report/formats.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "report/run_writer.h"
#include "report/text_rules.h"

namespace report {
namespace {

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

// Device i sits on bus i + 2, shown as at least two hexadecimal digits.
constexpr NumberField BUS{2, 16, 2};

}  // namespace

void write_text(Sink& sink, const char* word, int32_t count, const Identity& id,
                const char* message) {
  put(sink, format("%s begin\nid VndrId DevcId SubVID SubDID memdev\thost\n", word));
  // "%02d 0x%04x 0x%04x 0x%04x 0x%04x mem%d\t0000:%02x:00.0 MESSAGE\n": index, IDs, memory
  // device index + 1, bus.
  const EntryForm<3> line{
      {"",
       format(" 0x%04x 0x%04x 0x%04x 0x%04x mem", id.vendor, id.device, id.sub_vendor,
              id.sub_device),
       "\t0000:", message != nullptr ? format(":00.0 %s\n", message) : ":00.0\n"},
      {{0, 10, 2}, {1, 10, 1}, BUS}};
  write_entries(sink, count, line);
  put(sink, format("%s end\n", word));
}

void write_pie(Sink& sink, const char* root, int32_t count, const Identity& id,
               const SimSettings& settings, const char* message, bool success) {
  put(sink, format("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<%s lang=\"en\">\n", root));
  const std::string display = xml_attribute_text(settings.display_name);
  const std::string version =
      settings.fw_version != nullptr ? xml_attribute_text(settings.fw_version) : "(null)";
  EntryForm<1> device{
      {format(" <Device vendorID = \"%04x\" deviceID = \"%04x\" subVendorID = \"%04x\" "
              "subDeviceID = \"%04x\" bus = \"",
              id.vendor, id.device, id.sub_vendor, id.sub_device),
       format("\" device = \"00\" function = \"00\" display = \"%s\">\n"
              "  <Application componentType = \"FRMW\" version = \"%s\" display = \"%s\">\n",
              display.c_str(), version.c_str(), display.c_str())},
      {BUS}};
  std::string& after_bus = device.texts[1];
  if (message != nullptr) {
    after_bus += format("   <SPStatus result = \"%s\" >\n    %s\n   </SPStatus>\n",
                        success ? "true" : "false", message);
  }
  after_bus += "  </Application>\n </Device>\n";
  write_entries(sink, count, device);
  put(sink, format("</%s>\n", root));
}

}  // namespace report
