// The names of Accessibility error codes, for debugging a failed AX call.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include <string_view>

namespace corvella::mac {

// "kAXErrorCannotComplete" for -25204; "unknown AXError" for a code not listed.
std::string_view axErrorName(AXError error);

}  // namespace corvella::mac
