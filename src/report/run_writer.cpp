// The run writer (see run_writer.h). Devices go in runs that end where the low digits of a
// number wrap: two digits each (one while some number has only one), so a run is tens of
// devices long and a device costs a copy of the entry and a store per number.
#include "report/run_writer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace report {
namespace {

constexpr char DIGITS[] = "0123456789abcdef";

// Appends value in base 10 or 16 with at least min_digits digits, zero-filled.
void append_number(std::string& out, uint32_t value, uint32_t base, size_t min_digits) {
  char digits[32];
  size_t count = 0;
  do {
    digits[count++] = DIGITS[value % base];
    value /= base;
  } while (value != 0);
  while (count < min_digits) digits[count++] = '0';
  while (count > 0) out += digits[--count];
}

// The low digits each device writes into its copy of the entry: pair v of PAIRS_10 is v's two
// decimal digits (v < 100), of PAIRS_16 its two hexadecimal ones (v < 256).
template <size_t Base>
constexpr std::array<char, 2 * Base * Base> make_pairs() {
  std::array<char, 2 * Base * Base> pairs{};
  for (size_t v = 0; v < Base * Base; ++v) {
    pairs[2 * v] = DIGITS[v / Base];
    pairs[2 * v + 1] = DIGITS[v % Base];
  }
  return pairs;
}
constexpr std::array<char, 200> PAIRS_10 = make_pairs<10>();
constexpr std::array<char, 512> PAIRS_16 = make_pairs<16>();

// A number inside the rendered entry. Its low digits are written into each copy of the entry,
// so those in the entry itself are not kept current.
struct Counter {
  size_t begin;  // its digits are text[begin, end)
  size_t end;
  uint32_t base;   // 10 or 16
  uint32_t value;  // the number of the device the entry was rendered for
};

template <size_t N>
struct Entry {
  std::string text;
  Counter counters[N];
};

// Makes device index's entry in entry, whose text keeps its storage, so a report allocates the
// same few bytes whatever its device count.
template <size_t N>
void render(Entry<N>& entry, const EntryForm<N>& form, uint32_t index) {
  entry.text.clear();
  entry.text += form.texts[0];
  for (size_t k = 0; k < N; ++k) {
    const NumberField& number = form.numbers[k];
    const size_t begin = entry.text.size();
    const uint32_t value = index + number.offset;
    append_number(entry.text, value, number.base, number.min_digits);
    entry.counters[k] = Counter{begin, entry.text.size(), number.base, value};
    entry.text += form.texts[k + 1];
  }
}

// Carries into the digits before a counter's low ones; false when the number needs a further
// digit.
bool carry(std::string& text, const Counter& counter, size_t low_digits) {
  const char top = DIGITS[counter.base - 1];
  size_t at = counter.end - low_digits;
  while (at > counter.begin && text[at - 1] == top) text[--at] = '0';
  if (at == counter.begin) return false;
  char& digit = text[at - 1];
  digit = digit == '9' ? 'a' : static_cast<char>(digit + 1);
  return true;
}

// Writes run copies of text from copy on, each with its numbers' W low digits: number k's stand
// at[k] bytes into the copy, and copy j takes them from first[k] + W * j. Everything the loop
// reads is in locals that no byte store can reach, so it stays in registers.
template <size_t N, size_t W>
char* write_run(char* copy, const std::string& text, const size_t (&at)[N],
                const char* const (&first)[N], uint32_t run) {
  const char* const from = text.data();
  const size_t size = text.size();
  size_t place[N];
  const char* digits[N];
  for (size_t k = 0; k < N; ++k) {
    place[k] = at[k];
    digits[k] = first[k];
  }
  const auto digits_into = [&](char* entry, uint32_t j) {
    for (size_t k = 0; k < N; ++k) std::memcpy(entry + place[k], digits[k] + W * j, W);
  };
  if (size >= 32 && size <= 64) {  // a text line: two fixed, overlapping copies, no call
    for (uint32_t j = 0; j < run; ++j, copy += size) {
      std::memcpy(copy, from, 32);
      std::memcpy(copy + size - 32, from + size - 32, 32);
      digits_into(copy, j);
    }
    return copy;
  }
  for (uint32_t j = 0; j < run; ++j, copy += size) {
    std::memcpy(copy, from, size);  // NOLINT(bugprone-not-null-terminated-result)
    digits_into(copy, j);
  }
  return copy;
}

}  // namespace

template <size_t N>
void write_entries(Sink& sink, int32_t count, const EntryForm<N>& form) {
  if (count <= 0) return;
  Entry<N> entry;
  size_t width = 1;  // low digits written per number
  size_t at[N];      // where each number's low digits stand
  uint32_t low[N];   // the value of those digits for the next device
  uint32_t wrap[N];  // where that value wraps: base ** width
  const char* table[N];
  // Renders device i's entry and takes its numbers' state into the locals.
  const auto start = [&](uint32_t i) {
    render(entry, form, i);
    width = 2;
    for (const Counter& counter : entry.counters) {
      if (counter.end - counter.begin < 2) width = 1;
    }
    for (size_t k = 0; k < N; ++k) {
      const Counter& counter = entry.counters[k];
      at[k] = counter.end - width;
      wrap[k] = width == 1 ? counter.base : counter.base * counter.base;
      low[k] = counter.value % wrap[k];
      table[k] = width == 1 ? DIGITS : counter.base == 10 ? PAIRS_10.data() : PAIRS_16.data();
    }
  };
  start(0);
  const auto total = static_cast<uint32_t>(count);
  for (uint32_t done = 0;;) {
    uint32_t run = total - done;
    const char* digits[N];
    for (size_t k = 0; k < N; ++k) {
      run = std::min(run, wrap[k] - low[k]);
      digits[k] = table[k] + width * low[k];
    }
    const size_t size = entry.text.size();
    if (size > BLOCK_SIZE) {  // an entry larger than the block is written from itself
      run = 1;
      for (size_t k = 0; k < N; ++k) entry.text.replace(at[k], width, digits[k], width);
      put(sink, entry.text);
    } else {
      if (size > BLOCK_SIZE - sink.used) drain(sink);
      run = std::min(run, static_cast<uint32_t>((BLOCK_SIZE - sink.used) / size));
      char* copy = block + sink.used;
      copy = width == 1 ? write_run<N, 1>(copy, entry.text, at, digits, run)
                        : write_run<N, 2>(copy, entry.text, at, digits, run);
      sink.used = static_cast<size_t>(copy - block);
    }
    done += run;
    if (done == total || sink.error != 0) break;
    bool grown = false;
    for (size_t k = 0; k < N; ++k) {
      low[k] += run;
      if (low[k] < wrap[k]) continue;
      low[k] = 0;
      grown = !carry(entry.text, entry.counters[k], width) || grown;
    }
    if (grown) start(done);
  }
}

// The report formats' shapes: the text line has three numbers, the PIE entry one.
template void write_entries<1>(Sink& sink, int32_t count, const EntryForm<1>& form);
template void write_entries<3>(Sink& sink, int32_t count, const EntryForm<3>& form);

}  // namespace report
