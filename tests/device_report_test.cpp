// The report writer against the plain printf formats over one grid: counts whose numbers grow
// digits (index 99/100, 9999/10000, mem 99999/100000, bus 0xff/0x100, 0xffff/0x10000), none and
// negative; IDs of every width; both kinds and forms; firmware found or not; texts that need
// escaping, empty and missing ones, and one larger than the writer's block buffer. Then
// parse_id_value's conversions and the driver over an empty vector.
#include "report/device_report.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "app/driver.h"
#include "app/id_value.h"
#include "report/status_messages.h"

namespace {

template <typename... Args>
void append(std::string& out, const char* form, Args... args) {
  std::string text(static_cast<size_t>(std::snprintf(nullptr, 0, form, args...)) + 1, '\0');
  std::snprintf(text.data(), text.size(), form, args...);
  out.append(text.data(), text.size() - 1);
}

// texts: version and display name as given, then as a PIE document shows them.
std::string expected_report(int32_t count, bool pie, bool update, const uint32_t* id, bool found,
                            const char* const* texts) {
  const char* message = report::status_messages[found ? 0 : 7];
  const char* word = pie      ? (update ? "SVMExecution" : "SVMInventory")
                     : update ? "fwupdate"
                              : "list";
  std::string out;
  append(out,
         pie ? "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<%s lang=\"en\">\n"
             : "%s begin\nid VndrId DevcId SubVID SubDID memdev\thost\n",
         word);
  for (int32_t i = 0; i < count && !pie; ++i) {
    append(out, "%02d 0x%04x 0x%04x 0x%04x 0x%04x mem%d\t0000:%02x:00.0", i, id[0], id[1], id[2],
           id[3], i + 1, static_cast<uint32_t>(i) + 2);
    append(out, update ? " %s\n" : "\n", message);
  }
  for (int32_t i = 0; i < count && pie; ++i) {
    append(out,
           " <Device vendorID = \"%04x\" deviceID = \"%04x\" subVendorID = \"%04x\" subDeviceID = "
           "\"%04x\" bus = \"%02x\" device = \"00\" function = \"00\" display = \"%s\">\n  "
           "<Application componentType = \"FRMW\" version = \"%s\" display = \"%s\">\n",
           id[0], id[1], id[2], id[3], static_cast<uint32_t>(i) + 2, texts[3], texts[1], texts[3]);
    if (update) {
      append(out, "   <SPStatus result = \"%s\" >\n    %s\n   </SPStatus>\n",
             found ? "true" : "false", message);
    }
    append(out, "  </Application>\n </Device>\n");
  }
  append(out, pie ? "</%s>\n" : "%s end\n", word);
  return out;
}

TEST(DeviceReport, MatchesThePrintfFormats) {
  const std::string out_name = testing::TempDir() + "zorvic_report_" + std::to_string(getpid());
  const std::string huge(200000, 'n');
  const int32_t counts[] = {0, 1, 2, 101, 3, 256, 70000, -1, INT32_MIN};
  const uint32_t ids[][4] = {{0, 0x123, 0xffff, 0x12345}, {0xffffffff, 0x1000, 0xabc, 0}};
  const char* const texts[][4] = {
      {nullptr, "(null)", report::DEFAULT_DISPLAY_NAME, report::DEFAULT_DISPLAY_NAME},
      {"", "", "", ""},
      {"1<2>&\"'", "1&lt;2&gt;&amp;&quot;&apos;", "A&B <\"C\"> \xc3\xa9",
       "A&amp;B &lt;&quot;C&quot;&gt; \xc3\xa9"},
      {"04.004.006.00E", "04.004.006.00E", "Vomu 4-DIMM AIC", "Vomu 4-DIMM AIC"},
      {"v", "v", huge.c_str(), huge.c_str()}};
  for (size_t row = 0; row < std::size(counts); ++row) {
    const uint32_t* id = ids[row % 2];
    const char* const* text = texts[row % std::size(texts)];
    for (const int variant : {0, 1, 2, 3, 4, 5, 6, 7}) {
      const bool pie = (variant & 1) != 0;
      const bool update = (variant & 2) != 0;
      const bool found = (variant & 4) != 0;
      const report::SimSettings settings{
          0, 0, 0, 0, 0, 0, text[0], found ? "/dev/null" : nullptr, out_name.c_str(), text[2]};
      const report::ReportResult result = report::write_device_report(
          settings, counts[row], pie ? 2 : 0, id[0], id[1], id[2], id[3],
          update ? report::REPORT_FWUPDATE : report::REPORT_LIST);
      EXPECT_EQ(0, result.file_error + result.stdout_error);
      std::ifstream in(out_name, std::ios::binary);
      ASSERT_EQ(expected_report(counts[row], pie, update, id, found, text),
                std::string(std::istreambuf_iterator<char>(in), {}))
          << "count " << counts[row] << " variant " << variant;
    }
  }
  std::remove(out_name.c_str());
}

TEST(ParseIdValue, FollowsPrefixSignAndOverflowRules) {
  // clang-format off
  const std::pair<const char*, uint32_t> rows[] = {
      {"0x1235", 0x1235}, {"0XC240", 0xc240}, {"4661", 4661}, {"011", 9}, {"08", 0}, {"0x", 0},
      {"12abc", 12}, {"abc", 0}, {"", 0}, {" \t\n\v\f\r+7", 7}, {"-", 0}, {"- 1", 0}, {"++1", 0},
      {"0z", 0}, {"-1", 0xffffffff}, {"-0x10", 0xfffffff0}, {"4294967295", 0xffffffff},
      {"4294967296", 0xffffffff}, {"-4294967296", 0xffffffff}, {"0x100000000", 0xffffffff},
      {"99999999999999999999", 0xffffffff}};
  // clang-format on
  for (const auto& [text, expected] : rows) EXPECT_EQ(expected, app::parse_id_value(text)) << text;
}

TEST(Driver, EmptyVectorWritesNothingAndSucceeds) {
  char* argv[] = {nullptr};
  EXPECT_EQ(0, app::run_command_line(0, argv));
}

}  // namespace
