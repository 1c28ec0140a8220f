// The output block: report bytes are collected in one static block and reach the system one
// block per call. A sink stops writing at its first failure and keeps that failure's errno; the
// block holds one report at a time, so the writer is not re-entrant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace report {

// Large blocks make fewer, larger copies into the page cache; 512 KiB writes a report into a
// file as fast as cat copies it, and keeps peak memory flat (the block is the only part that
// grows with the report, and only up to its size).
constexpr size_t BLOCK_SIZE = size_t{512} * 1024;

// The block every report fills: its bytes [0, Sink::used) wait for the stream. Writers that
// fill it in place (the run writer) advance used themselves and drain first when it is full.
extern char block[BLOCK_SIZE];

struct Sink {
  FILE* stream;
  size_t used = 0;    // bytes of the block not yet written
  int32_t error = 0;  // errno of the first failed write; nothing is written after it
};

// Hands the block's bytes to the stream and empties it.
void drain(Sink& sink);

// Appends size bytes: into the block, which is drained first when they do not fit; what is
// larger than the block goes to the stream from where it is.
void put(Sink& sink, const char* data, size_t size);
inline void put(Sink& sink, const std::string& text) { put(sink, text.data(), text.size()); }

}  // namespace report
