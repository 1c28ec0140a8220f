// The report writer against the reference writer over one grid: counts whose numbers grow
// digits (index 99/100, 9999/10000, mem 99999/100000, bus 0xff/0x100, 0xffff/0x10000), none and
// negative; IDs of every width; both kinds and forms; firmware found or not; texts that need
// escaping, UTF-8 at the edges of its ranges, empty and missing texts, and one larger than the
// writer's block buffer. Then parse_id_value's conversions, and the driver over an empty vector and
// under another name.
#include "report/device_report.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "app/driver.h"
#include "app/id_value.h"
#include "tests/reference_report.h"

namespace {

// Whether the program's writer and the reference writer write the same report of s to standard
// output, and the program's writer tells no failure.
bool same_as_reference(const report::SimSettings& s, bool update, bool found) {
  testing::internal::CaptureStdout();
  const report::ReportResult result = (update ? report::report_fwupdate : report::report_list)(
      s, s.sim_count, s.pie_format, s.pci_vendor_id, s.pci_device_id, s.pci_sub_vendor_id,
      s.pci_sub_device_id);
  const std::string got = testing::internal::GetCapturedStdout();
  testing::internal::CaptureStdout();
  reference::write_report(stdout, s, update, found);
  std::fflush(stdout);
  return result.file_error == 0 && result.stdout_error == 0 &&
         got == testing::internal::GetCapturedStdout();
}

TEST(DeviceReport, MatchesTheReference) {
  const std::string fw = testing::TempDir() + "zorvic_report_" + std::to_string(getpid()) + ".fw";
  std::ofstream(fw).put('\0');          // a firmware file on every system
  const std::string huge(300000, 'n');  // twice in an entry: larger than the writer's block
  const int32_t counts[] = {0, 1, 2, 3, 101, 256, 100000, -1, INT32_MIN};
  const uint32_t ids[][4] = {{0, 0x123, 0xffff, 0x12345}, {0xffffffff, 0x1000, 0xabc, 0}};
  // clang-format off
  const char* const texts[][2] = {{nullptr, report::DEFAULT_DISPLAY_NAME}, {"", ""},
      {"\x01\x08\t\n\x0b\x0c\r\x0e\x10\x1f ~\x7f<>&\"'\xc2\x80\xdf\xbf\xe0\xa0\x80\xed\x9f\xbf\xee\x80\x80\xef\xbf\xbd"
       "\xef\xbf\xbe\xef\xbf\xbf\xf0\x90\x80\x80\xf4\x8f\xbf\xbf", "\x80\xc1\xbf\xe0\x80\xed\xa0\x80\xf0\x8f\xf4\x90\xf5\xff A\xe2\x82"},
      {"v", huge.c_str()}};
  // clang-format on
  for (size_t row = 0; row < std::size(counts); ++row) {
    const uint32_t* id = ids[row % 2];
    for (const int variant : {0, 1, 2, 3, 4, 5, 6, 7}) {
      const bool update = (variant & 2) != 0, found = (variant & 4) != 0;
      const char* fw_file = found ? fw.c_str() : nullptr;
      // clang-format off
      const report::SimSettings s{(variant & 1) * 2, counts[row], id[0], id[1], id[2], id[3],
                                  texts[row % 4][0], fw_file, nullptr, texts[row % 4][1]};
      // clang-format on
      ASSERT_TRUE(same_as_reference(s, update, found))
          << "count " << counts[row] << " variant " << variant;
    }
  }
  std::remove(fw.c_str());
}

TEST(ParseIdValue, FollowsPrefixSignAndOverflowRules) {
  // Beyond those cli.t shows through the driver (-1, 011, 08, 0x, 0x100000000, " +0XfF", empty).
  // clang-format off
  const std::pair<const char*, uint32_t> rows[] = {
      {"4661", 4661}, {"12abc", 12}, {"abc", 0}, {" \t\n\v\f\r+7", 7}, {"-", 0}, {"- 1", 0}, {"++1", 0},
      {"0z", 0}, {"-0x10", 0xfffffff0}, {"4294967295", 0xffffffff}, {"4294967296", 0xffffffff},
      {"-4294967296", 0xffffffff}, {"99999999999999999999", 0xffffffff}, {"-42949672950", 0xffffffff},
      {"-4294967295", 1}};
  // clang-format on
  for (const auto& [text, expected] : rows) EXPECT_EQ(expected, app::parse_id_value(text)) << text;
}

TEST(Driver, NamesItselfAsCalledAndWritesNothingForAnEmptyVector) {
  char name[] = "renamed", bogus[] = "-x", *empty[] = {nullptr}, *wrong[] = {name, bogus, nullptr};
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(0, app::run_command_line(0, empty));
  EXPECT_EQ(1, app::run_command_line(2, wrong));
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  EXPECT_EQ("renamed: invalid option -- 'x'\n", testing::internal::GetCapturedStderr());
}

}  // namespace
