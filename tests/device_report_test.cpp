// The report writer against an oracle built from the documented printf formats, over counts
// and IDs that cross every width boundary, both kinds, both forms, texts with XML specials.
#include "report/device_report.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/driver.h"
#include "report/status_messages.h"

namespace {

template <typename... Args>
void append(std::string& out, const char* form, Args... args) {
  std::vector<char> text(4096);
  auto size = static_cast<size_t>(std::snprintf(text.data(), text.size(), form, args...));
  if (size >= text.size()) {
    text.resize(size + 1);
    std::snprintf(text.data(), text.size(), form, args...);
  }
  out.append(text.data(), size);
}

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    const char* entity = c == '&'    ? "&amp;"
                         : c == '<'  ? "&lt;"
                         : c == '>'  ? "&gt;"
                         : c == '"'  ? "&quot;"
                         : c == '\'' ? "&apos;"
                                     : nullptr;
    out += entity != nullptr ? std::string(entity) : std::string(1, c);
  }
  return out;
}

struct Params {
  int32_t count;
  bool pie;
  report::ReportKind kind;
  uint32_t ids[4];
  bool fw_found;
  const char* version;
  const char* display;
};

std::string expected_report(const Params& p) {
  const bool update = p.kind == report::REPORT_FWUPDATE;
  const char* message = report::status_messages[p.fw_found ? 0 : 7];
  std::string out;
  if (!p.pie) {
    const char* word = update ? "fwupdate" : "list";
    append(out, "%s begin\nid VndrId DevcId SubVID SubDID memdev\thost\n", word);
    for (int32_t i = 0; i < p.count; ++i) {
      append(out,
             update ? "%02d 0x%04x 0x%04x 0x%04x 0x%04x mem%d\t0000:%02x:00.0 %s\n"
                    : "%02d 0x%04x 0x%04x 0x%04x 0x%04x mem%d\t0000:%02x:00.0\n",
             i, p.ids[0], p.ids[1], p.ids[2], p.ids[3], i + 1, static_cast<uint32_t>(i) + 2,
             message);
    }
    append(out, "%s end\n", word);
    return out;
  }
  const char* root = update ? "SVMExecution" : "SVMInventory";
  const std::string display = escaped(p.display);
  const std::string version = p.version != nullptr ? escaped(p.version) : "(null)";
  append(out, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<%s lang=\"en\">\n", root);
  for (int32_t i = 0; i < p.count; ++i) {
    append(out,
           " <Device vendorID = \"%04x\" deviceID = \"%04x\" subVendorID = \"%04x\" subDeviceID = "
           "\"%04x\" bus = \"%02x\" device = \"00\" function = \"00\" display = \"%s\">\n  "
           "<Application componentType = \"FRMW\" version = \"%s\" display = \"%s\">\n",
           p.ids[0], p.ids[1], p.ids[2], p.ids[3], static_cast<uint32_t>(i) + 2, display.c_str(),
           version.c_str(), display.c_str());
    if (update) {
      append(out, "   <SPStatus result = \"%s\" >\n    %s\n   </SPStatus>\n",
             p.fw_found ? "true" : "false", message);
    }
    append(out, "  </Application>\n </Device>\n");
  }
  append(out, "</%s>\n", root);
  return out;
}

std::string read_file(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class DeviceReport : public ::testing::Test {
 protected:
  std::string dir_ = testing::TempDir() + "zorvic_report_" + std::to_string(getpid());
  std::string out_ = dir_ + ".out";
  std::string fw_ = dir_ + ".fw";
  void SetUp() override { std::ofstream(fw_).put('x'); }
  void TearDown() override {
    std::remove(out_.c_str());
    std::remove(fw_.c_str());
  }

  std::string written(const Params& p) {
    report::SimSettings settings;
    settings.output_file = out_.c_str();
    settings.fw_file = p.fw_found ? fw_.c_str() : nullptr;
    settings.fw_version = p.version;
    settings.display_name = p.display;
    const report::ReportResult result = report::write_device_report(
        settings, p.count, p.pie ? 2 : 0, p.ids[0], p.ids[1], p.ids[2], p.ids[3], p.kind);
    EXPECT_EQ(0, result.file_error);
    EXPECT_EQ(0, result.stdout_error);
    return read_file(out_);
  }
};

TEST_F(DeviceReport, MatchesTheDocumentedFormats) {
  const int32_t counts[] = {0, 1, 2, 99, 100, 101, 255, 256, 300, 2000, -1, INT32_MIN};
  const uint32_t id_sets[][4] = {{0, 0x123, 0xffff, 0x12345},
                                 {0xffffffff, 0x1000, 0xabc, 0},
                                 {0x1235, 0xc240, 0x1028, 0x2382}};
  const char* texts[][2] = {{nullptr, report::DEFAULT_DISPLAY_NAME},
                            {"04.004.006.00E", "Vomu 4-DIMM AIC"},
                            {"", ""},
                            {"1<2>&\"'", "A&B <\"C\"> 'D' \xc3\xa9"}};
  size_t text_row = 0;
  for (const int32_t count : counts) {
    for (const auto& ids : id_sets) {
      const auto& text = texts[text_row++ % 4];
      for (const bool pie : {false, true}) {
        for (const auto kind : {report::REPORT_LIST, report::REPORT_FWUPDATE}) {
          for (const bool fw_found : {false, true}) {
            const Params p{count,    pie,     kind,   {ids[0], ids[1], ids[2], ids[3]},
                           fw_found, text[0], text[1]};
            SCOPED_TRACE(testing::Message() << "count " << count << " pie " << pie << " kind "
                                            << kind << " fw " << fw_found << " id " << ids[0]);
            ASSERT_EQ(expected_report(p), written(p));
          }
        }
      }
    }
  }
}

// Index 9999 -> 10000, mem 99999 -> 100000, bus 0xfff -> 0x1000 and 0xffff -> 0x10000.
TEST_F(DeviceReport, NumbersGrowDigitsWherePrintfDoes) {
  for (const bool pie : {false, true}) {
    for (const auto kind : {report::REPORT_LIST, report::REPORT_FWUPDATE}) {
      const Params p{70000, pie, kind, {0x1235, 0xc240, 0x1028, 0x2382}, true, "1", "d"};
      EXPECT_EQ(expected_report(p), written(p)) << "pie " << pie << " kind " << kind;
    }
  }
}

// Constant pieces larger than the writer's block buffer take the direct path.
TEST_F(DeviceReport, HugeDisplayNameIsWrittenWhole) {
  const std::string name(200000, 'n');
  const Params p{3, true, report::REPORT_FWUPDATE, {1, 2, 3, 4}, true, "v&", name.c_str()};
  EXPECT_EQ(expected_report(p), written(p));
}

TEST(Driver, EmptyVectorWritesNothingAndSucceeds) {
  char* argv[] = {nullptr};
  EXPECT_EQ(0, app::run_command_line(0, argv));
}

}  // namespace
