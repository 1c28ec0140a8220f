// Report writer throughput per shape, against the straightforward fprintf writer, to /dev/null,
// and the heap bytes one report allocates (heap_bytes: its few rendered texts, a few KiB at most
// at any device count).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "bench/baseline_report.h"
#include "report/device_report.h"

namespace {

size_t heap_bytes = 0;  // what operator new handed out while counting
bool counting = false;

}  // namespace

// None of the three inlined: GCC 12 would then see malloc and operator delete, or operator new
// and free, meet, and warn of a mismatch.
[[gnu::noinline]] void* operator new(size_t size) {
  if (counting) heap_bytes += size;
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace {

using Writer = report::ReportResult (*)(const report::SimSettings&, int32_t, int32_t, uint32_t,
                                        uint32_t, uint32_t, uint32_t, report::ReportKind);

void run_shape(benchmark::State& state, Writer writer, int32_t pie, report::ReportKind kind) {
  report::SimSettings settings;
  settings.fw_version = "04.004.006.00E";
  const auto devices = static_cast<int32_t>(state.range(0));
  // One report measures its own size, so bytes per second count exactly what was written.
  settings.output_file = "bench_size.tmp";
  heap_bytes = 0;
  counting = true;
  writer(settings, devices, pie, 0x1235, 0xc240, 0x1028, 0x2382, kind);
  counting = false;
  state.counters["heap_bytes"] = static_cast<double>(heap_bytes);
  long bytes = 0;
  if (FILE* file = std::fopen(settings.output_file, "rb")) {
    std::fseek(file, 0, SEEK_END);
    bytes = std::ftell(file);
    std::fclose(file);
  }
  std::remove(settings.output_file);
  settings.output_file = "/dev/null";
  for (auto _ : state) {
    benchmark::DoNotOptimize(writer(settings, devices, pie, 0x1235, 0xc240, 0x1028, 0x2382, kind));
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetItemsProcessed(state.iterations() * devices);
}

void text_list(benchmark::State& s, Writer w) { run_shape(s, w, 0, report::REPORT_LIST); }
void text_fwupdate(benchmark::State& s, Writer w) { run_shape(s, w, 0, report::REPORT_FWUPDATE); }
void pie_list(benchmark::State& s, Writer w) { run_shape(s, w, 1, report::REPORT_LIST); }
void pie_fwupdate(benchmark::State& s, Writer w) { run_shape(s, w, 1, report::REPORT_FWUPDATE); }

constexpr int64_t DEVICES = 100000;

BENCHMARK_CAPTURE(text_list, fast, report::write_device_report)->Arg(10)->Arg(DEVICES);
BENCHMARK_CAPTURE(text_list, baseline, baseline::write_device_report)->Arg(DEVICES);
BENCHMARK_CAPTURE(text_fwupdate, fast, report::write_device_report)->Arg(10)->Arg(DEVICES);
BENCHMARK_CAPTURE(text_fwupdate, baseline, baseline::write_device_report)->Arg(DEVICES);
BENCHMARK_CAPTURE(pie_list, fast, report::write_device_report)->Arg(10)->Arg(DEVICES);
BENCHMARK_CAPTURE(pie_list, baseline, baseline::write_device_report)->Arg(DEVICES);
BENCHMARK_CAPTURE(pie_fwupdate, fast, report::write_device_report)->Arg(10)->Arg(DEVICES);
BENCHMARK_CAPTURE(pie_fwupdate, baseline, baseline::write_device_report)->Arg(DEVICES);

}  // namespace

BENCHMARK_MAIN();
