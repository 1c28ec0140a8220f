// The numbered status messages a firmware update can end with.
#pragma once

#include <cstdint>

namespace report {

constexpr int32_t STATUS_SUCCESS = 0;
constexpr int32_t STATUS_FILE_NOT_FOUND = 7;
constexpr int32_t STATUS_MESSAGE_COUNT = 20;

// Message fragments indexed by status code 0..19, then a null end entry.
extern const char* const status_messages[STATUS_MESSAGE_COUNT + 1];

}  // namespace report
