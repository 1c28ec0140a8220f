// The driver: one option at a time, each applied before the next is parsed, so a report
// shows the settings as they stand where its option is met. Every error line of the
// program is composed and printed here.
#include "app/driver.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/id_value.h"
#include "app/option_table.h"
#include "app/usage_text.h"
#include "report/device_report.h"
#include "report/sim_settings.h"

namespace app {
namespace {

using report::SimSettings;

enum ExitStatus : int32_t { EXIT_OK = 0, EXIT_FAILED = 1 };

struct Run {
  const char* program;
  SimSettings settings;
  bool failed = false;       // something was reported on standard error
  int32_t stdout_error = 0;  // errno of the first failed write to standard output
};

void note_stdout_error(Run& run, int32_t error) {
  if (run.stdout_error == 0) run.stdout_error = error;
}

// After each text written to standard output: the reason is the one the failing call left in
// errno, which is checked at once, because some C libraries tell a failed write only through
// the stream's error flag.
void check_stdout(Run& run) {
  if (std::ferror(stdout) != 0) note_stdout_error(run, errno);
}

// Before each error line: what went to standard output earlier must stay ahead of the line
// when both streams share one destination.
void flush_stdout(Run& run) {
  if (std::fflush(stdout) != 0) note_stdout_error(run, errno);
}

void print_failure(Run& run, const char* name, int32_t error) {
  flush_stdout(run);
  std::fprintf(stderr, "%s: %s: %s\n", run.program, name, std::strerror(error));
  std::fflush(stderr);  // where standard error is buffered, ahead of what the run writes next
  run.failed = true;
}

void note_report(Run& run, report::ReportResult result) {
  if (result.stdout_error != 0) note_stdout_error(run, result.stdout_error);
  if (result.file_error != 0) print_failure(run, run.settings.output_file, result.file_error);
}

using ReportFunction = report::ReportResult (*)(const SimSettings&, int32_t, int32_t, uint32_t,
                                                uint32_t, uint32_t, uint32_t);

// Runs a report with the settings as they stand now.
void make_report(Run& run, ReportFunction report_function) {
  const SimSettings& s = run.settings;
  note_report(run, report_function(s, s.sim_count, s.pie_format, s.pci_vendor_id, s.pci_device_id,
                                   s.pci_sub_vendor_id, s.pci_sub_device_id));
}

// A report lost on a full disk or a closed standard output must not end with status 0.
int32_t finish(Run& run) {
  flush_stdout(run);
  if (std::ferror(stdout) != 0) note_stdout_error(run, EIO);  // only where nothing told why
  if (run.stdout_error != 0) {
    std::fprintf(stderr, "%s: write error: %s\n", run.program, std::strerror(run.stdout_error));
    run.failed = true;
  }
  return run.failed ? EXIT_FAILED : EXIT_OK;
}

// --sim's count may also stand in the next argument, as long as that is no option.
void apply_sim(cmdline::OptionParser& parser, int32_t argc, SimSettings& settings) {
  const char* next = parser.next_index < argc ? parser.args[parser.next_index] : nullptr;
  if (next != nullptr && next[0] != '-') {
    parser.option_arg = next;
    ++parser.next_index;
  }
  // The 32 bits of the number, read signed: counts of 2^31 and up write no devices.
  settings.sim_count =
      parser.option_arg != nullptr ? static_cast<int32_t>(parse_id_value(parser.option_arg)) : 1;
}

uint32_t id_value_of(const char* value) { return value != nullptr ? parse_id_value(value) : 0; }

}  // namespace

int32_t run_command_line(int32_t argc, char** argv) {
  Run run{argc > 0 && argv[0] != nullptr ? argv[0] : "zorvicxlsim", SimSettings{}};
  SimSettings& s = run.settings;
  cmdline::OptionParser parser{};
  cmdline::parser_init(parser, argv);
  parser.permute = 0;  // the first operand ends the options; nothing is reordered

  for (;;) {
    const int32_t id = cmdline::parse_long(parser, option_table);
    if (id == cmdline::PARSE_END) break;
    switch (id) {
      case cmdline::PARSE_ERROR:
        flush_stdout(run);
        std::fprintf(stderr, "%s: %s\n", run.program, parser.error_text);
        run.failed = true;
        return finish(run);
      case OPT_LIST: make_report(run, report::report_list); break;
      case OPT_FWUPDATE: make_report(run, report::report_fwupdate); break;
      case OPT_PIE: ++s.pie_format; break;
      case OPT_SIM: apply_sim(parser, argc, s); break;
      case OPT_VENDOR_ID: s.pci_vendor_id = id_value_of(parser.option_arg); break;
      case OPT_DEVICE_ID: s.pci_device_id = id_value_of(parser.option_arg); break;
      case OPT_SUB_VENDOR_ID: s.pci_sub_vendor_id = id_value_of(parser.option_arg); break;
      case OPT_SUB_DEVICE_ID: s.pci_sub_device_id = id_value_of(parser.option_arg); break;
      case OPT_FW: s.fw_file = parser.option_arg; break;
      case OPT_FW_VERSION: s.fw_version = parser.option_arg; break;
      case OPT_DISPLAY: s.display_name = parser.option_arg; break;
      case OPT_OUTPUT: s.output_file = parser.option_arg; break;
      case OPT_VERSION:
        print_version(run.program);
        check_stdout(run);
        break;
      case OPT_HELP:
        print_usage(run.program);
        check_stdout(run);
        break;
      default: break;  // --verbose is accepted and changes nothing
    }
  }

  while (const char* operand = cmdline::next_operand(parser)) {
    std::printf("%s\n", operand);
    check_stdout(run);
  }
  if (argc == 1) {
    print_usage(run.program);
    check_stdout(run);
  }
  return finish(run);
}

}  // namespace app
