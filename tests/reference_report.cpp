// The reference report writer (see reference_report.h).
#include "tests/reference_report.h"

#include <string>
#include <string_view>

namespace reference {

// The well-formed UTF-8 sequences as Unicode tabulates them, a row per range of first bytes:
// the lowest and the highest value of each byte in turn.
// clang-format off
static const char* const SEQUENCES[] = {
    "\x01\x7f", "\xc2\xdf\x80\xbf", "\xe0\xe0\xa0\xbf\x80\xbf", "\xe1\xec\x80\xbf\x80\xbf",
    "\xed\xed\x80\x9f\x80\xbf", "\xee\xef\x80\xbf\x80\xbf", "\xf0\xf0\x90\xbf\x80\xbf\x80\xbf",
    "\xf1\xf3\x80\xbf\x80\xbf\x80\xbf", "\xf4\xf4\x80\x8f\x80\xbf\x80\xbf"};
static const char* const ENTITIES[][2] = {{"&", "&amp;"}, {"<", "&lt;"}, {">", "&gt;"},
    {"\"", "&quot;"}, {"'", "&apos;"}, {"\t", "&#9;"}, {"\n", "&#10;"}, {"\r", "&#13;"}};
// clang-format on

// text as an attribute value shows it: each well-formed sequence as it stands, as its entity, or
// as U+FFFD when XML has no such character (controls, U+FFFE, U+FFFF); each start of a sequence
// that breaks off, as far as it goes, as one U+FFFD.
static std::string shown(const char* text) {
  std::string out;
  for (const auto* at = reinterpret_cast<const unsigned char*>(text); *at != 0;) {
    size_t n = 0;  // how many bytes from at on fit the row of the first one
    const unsigned char* range = nullptr;
    for (const char* row : SEQUENCES) {
      range = reinterpret_cast<const unsigned char*>(row);
      while (range[2 * n] != 0 && range[2 * n] <= at[n] && at[n] <= range[2 * n + 1]) ++n;
      if (n > 0) break;
    }
    const std::string_view piece(reinterpret_cast<const char*>(at), n > 0 ? n : 1);
    at += piece.size();
    const bool whole = n > 0 && range[2 * n] == 0, control = n == 1 && piece[0] < 0x20;
    const bool xml = whole && !control && piece != "\xef\xbf\xbe" && piece != "\xef\xbf\xbf";
    std::string_view shown = xml ? piece : "\xef\xbf\xbd";
    for (const auto& entity : ENTITIES) shown = piece == entity[0] ? entity[1] : shown;
    out += shown;
  }
  return out;
}

void write_report(FILE* out, const report::SimSettings& s, bool update, bool found) {
  // The two status messages a report shows, as inventory tools match them.
  const char* message =
      found ? "<Message id = \"0\">Update Success. Power OFF the system to run the new "
              "firmware.< / Message>"
            : "<Message id = \"7\">File not found< / Message>";
  const char* word = update ? "fwupdate" : "list";
  const char* root = update ? "SVMExecution" : "SVMInventory";
  const std::string display = shown(s.display_name);
  const std::string version = s.fw_version != nullptr ? shown(s.fw_version) : "(null)";
  const bool pie = s.pie_format != 0;
  std::fprintf(out,
               pie ? "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<%s lang=\"en\">\n"
                   : "%s begin\nid VndrId DevcId SubVID SubDID memdev\thost\n",
               pie ? root : word);
  for (int32_t i = 0; i < s.sim_count; ++i) {
    const auto bus = static_cast<uint32_t>(i) + 2;
    if (!pie) {
      std::fprintf(out, "%02d 0x%04x 0x%04x 0x%04x 0x%04x mem%d\t0000:%02x:00.0%s%s\n", i,
                   s.pci_vendor_id, s.pci_device_id, s.pci_sub_vendor_id, s.pci_sub_device_id,
                   i + 1, bus, update ? " " : "", update ? message : "");
      continue;
    }
    std::fprintf(out,
                 " <Device vendorID = \"%04x\" deviceID = \"%04x\" subVendorID = \"%04x\" "
                 "subDeviceID = \"%04x\" bus = \"%02x\" device = \"00\" function = \"00\" "
                 "display = \"%s\">\n  <Application componentType = \"FRMW\" version = \"%s\" "
                 "display = \"%s\">\n",
                 s.pci_vendor_id, s.pci_device_id, s.pci_sub_vendor_id, s.pci_sub_device_id, bus,
                 display.c_str(), version.c_str(), display.c_str());
    if (update)
      std::fprintf(out, "   <SPStatus result = \"%s\" >\n    %s\n   </SPStatus>\n",
                   found ? "true" : "false", message);
    std::fprintf(out, "  </Application>\n </Device>\n");
  }
  std::fprintf(out, pie ? "</%s>\n" : "%s end\n", pie ? root : word);
}

}  // namespace reference
