// The status-message catalogue; the texts are what inventory tools match on, odd spacing included.
#include "report/status_messages.h"

namespace report {

const char* const status_messages[STATUS_MESSAGE_COUNT + 1] = {
    "<Message id = \"0\">Update Success. Power OFF the system to run the new firmware.< / Message>",
    "<Message id = \"1\" > Failure< / Message>",
    "<Message id = \"2\">Memory allocation failure< / Message>",
    "<Message id = \"3\">Must run as root< / Message>",
    "<Message id = \"4\">Unsupported VendorId< / Message>",
    "<Message id = \"5\">Unsupported kernel version< / Message>",
    "<Message id = \"6\">Memdev not found< / Message>",
    "<Message id = \"7\">File not found< / Message>",
    "<Message id = \"8\">Invalid file name format< / Message>",
    "<Message id = \"9\">Invalid file for DeviceId< / Message>",
    "<Message id = \"10\">File read error< / Message>",
    "<Message id = \"11\">File fstat io error< / Message>",
    "<Message id = \"12\">FFile mmap error< / Message>",
    "<Message id = \"13\">Firmware update via sysfs not supported< / Message>",
    "<Message id = \"14\">Firmware update already in progress< / Message>",
    "<Message id = \"15\">Firmware update start loading< / Message>",
    "<Message id = \"16\">Firmware update loading< / Message>",
    "<Message id = \"17\">Firmware update stop loading< / Message>",
    "<Message id = \"18\">Firmware update reading status< / Message>",
    "<Message id = \"19\">Firmware update polling< / Message>",
    nullptr,
};

}  // namespace report
