// The two report formats: the text table and the PIE document, each a head, one entry per
// device (the run writer's) and a tail, appended to a sink.
#pragma once

#include <cstdint>

#include "report/output_block.h"
#include "report/sim_settings.h"

namespace report {

struct Identity {
  uint32_t vendor;
  uint32_t device;
  uint32_t sub_vendor;
  uint32_t sub_device;
};

// "WORD begin", the column heads, a line per device, "WORD end". message, when not null, ends
// each device's line.
void write_text(Sink& sink, const char* word, int32_t count, const Identity& id,
                const char* message);

// The XML declaration, the ROOT element with a Device per device that shows the settings'
// display name and firmware version (text_rules.h), and, when message is not null, an SPStatus
// of result success with the message.
void write_pie(Sink& sink, const char* root, int32_t count, const Identity& id,
               const SimSettings& settings, const char* message, bool success);

}  // namespace report
