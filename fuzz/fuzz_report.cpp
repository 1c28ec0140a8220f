// Fuzzes the report writer and parse_id_value: any small count, IDs and texts. Checks the line
// count of every shape, that texts come back whole from every attribute of a PIE document and
// never as raw markup, and parse_id_value against the C library's strtoull.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/id_value.h"
#include "report/device_report.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

std::string read_all(const char* name) {
  std::string text;
  if (FILE* file = std::fopen(name, "rb")) {
    char block[65536];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
    std::fclose(file);
  }
  return text;
}

// Undoes the five entities; any other '&' is a defect.
bool unescape(const std::string& value, std::string& out) {
  static const char* const entities[][2] = {
      {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}};
  out.clear();
  for (size_t at = 0; at < value.size();) {
    if (value[at] == '<' || value[at] == '"') return false;
    if (value[at] != '&') {
      out += value[at++];
      continue;
    }
    bool known = false;
    for (const auto& entity : entities) {
      if (value.compare(at, std::strlen(entity[0]), entity[0]) == 0) {
        out += entity[1];
        at += std::strlen(entity[0]);
        known = true;
        break;
      }
    }
    if (!known) return false;
  }
  return true;
}

// Every value of the named attribute must read back as expected. Escaped texts hold no raw
// quote, so the document's quotes pair up exactly: outside, value, outside, value, ...
void check_attribute(const std::string& document, const std::string& name,
                     const std::string& expected) {
  size_t outside = 0;
  for (size_t open = document.find('"'); open != std::string::npos;
       open = document.find('"', outside)) {
    const size_t close = document.find('"', open + 1);
    require(close != std::string::npos);
    const std::string before = document.substr(outside, open - outside);
    const bool named =
        before.size() >= name.size() + 3 &&
        before.compare(before.size() - name.size() - 3, std::string::npos, name + " = ") == 0 &&
        (before.size() == name.size() + 3 || before[before.size() - name.size() - 4] == ' ');
    if (named) {
      std::string value;
      require(unescape(document.substr(open + 1, close - open - 1), value) && value == expected);
    }
    outside = close + 1;
  }
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  // The report and firmware files of this process, removed when it ends.
  static const struct Files {
    std::string out = "/tmp/zorvic_fuzz_" + std::to_string(getpid()) + ".out";
    std::string fw = "/tmp/zorvic_fuzz_" + std::to_string(getpid()) + ".fw";
    Files(const Files&) = delete;
    Files& operator=(const Files&) = delete;
    Files() = default;
    ~Files() {
      std::remove(out.c_str());
      std::remove(fw.c_str());
    }
  } files;
  const std::string& out_name = files.out;
  const std::string& fw_name = files.fw;

  std::string number = in.ConsumeRandomLengthString(24);
  number.resize(std::strlen(number.c_str()));
  require(app::parse_id_value(number.c_str()) == reference_id_value(number));

  const auto count = in.ConsumeIntegralInRange<int32_t>(-3, 40);
  const bool pie = in.ConsumeBool();
  const auto kind = in.ConsumeBool() ? report::REPORT_FWUPDATE : report::REPORT_LIST;
  const bool has_version = in.ConsumeBool();
  const bool fw_present = in.ConsumeBool();
  uint32_t ids[4];
  for (uint32_t& id : ids) id = in.ConsumeIntegral<uint32_t>();
  std::string version = in.ConsumeRandomLengthString(64);
  std::string display = in.ConsumeRemainingBytesAsString();
  // A text ends at its first NUL, as an argument does.
  version.resize(std::strlen(version.c_str()));
  display.resize(std::strlen(display.c_str()));

  if (fw_present) {
    if (FILE* fw = std::fopen(fw_name.c_str(), "wb")) std::fclose(fw);
  } else {
    std::remove(fw_name.c_str());
  }
  app::SimSettings settings;
  settings.output_file = out_name.c_str();
  settings.fw_file = fw_name.c_str();
  settings.fw_version = has_version ? version.c_str() : nullptr;
  settings.display_name = display.c_str();
  const report::ReportResult result = report::write_device_report(
      settings, count, pie ? 1 : 0, ids[0], ids[1], ids[2], ids[3], kind);
  require(result.file_error == 0 && result.stdout_error == 0);

  const std::string document = read_all(out_name.c_str());
  const auto devices = static_cast<size_t>(std::max(count, 0));
  const size_t per_device = !pie ? 1 : kind == report::REPORT_FWUPDATE ? 7 : 4;
  const bool newline_in_texts = pie && (display.find('\n') != std::string::npos ||
                                        (has_version && version.find('\n') != std::string::npos));
  if (!newline_in_texts) {
    require(static_cast<size_t>(std::count(document.begin(), document.end(), '\n')) ==
            per_device * devices + 3);
  }
  if (pie) {
    check_attribute(document, "display", display);
    check_attribute(document, "version", has_version ? version : "(null)");
    require(static_cast<size_t>(std::count(document.begin(), document.end(), '<')) >=
            (kind == report::REPORT_FWUPDATE ? 8 : 4) * devices + 2);
  }
  require(document.find(fw_present ? "result = \"false\"" : "result = \"true\"") ==
          std::string::npos);
  return 0;
}
