#include "platform/mac/ax_error_names.h"

#include <array>
#include <utility>

namespace corvella::mac {

std::string_view axErrorName(AXError error) {
  static constexpr std::array<std::pair<AXError, std::string_view>, 16> names{{
      {kAXErrorSuccess, "kAXErrorSuccess"},
      {kAXErrorFailure, "kAXErrorFailure"},
      {kAXErrorIllegalArgument, "kAXErrorIllegalArgument"},
      {kAXErrorInvalidUIElement, "kAXErrorInvalidUIElement"},
      {kAXErrorInvalidUIElementObserver, "kAXErrorInvalidUIElementObserver"},
      {kAXErrorCannotComplete, "kAXErrorCannotComplete"},
      {kAXErrorAttributeUnsupported, "kAXErrorAttributeUnsupported"},
      {kAXErrorActionUnsupported, "kAXErrorActionUnsupported"},
      {kAXErrorNotificationUnsupported, "kAXErrorNotificationUnsupported"},
      {kAXErrorNotImplemented, "kAXErrorNotImplemented"},
      {kAXErrorNotificationAlreadyRegistered, "kAXErrorNotificationAlreadyRegistered"},
      {kAXErrorNotificationNotRegistered, "kAXErrorNotificationNotRegistered"},
      {kAXErrorAPIDisabled, "kAXErrorAPIDisabled"},
      {kAXErrorNoValue, "kAXErrorNoValue"},
      {kAXErrorParameterizedAttributeUnsupported, "kAXErrorParameterizedAttributeUnsupported"},
      {kAXErrorNotEnoughPrecision, "kAXErrorNotEnoughPrecision"},
  }};
  for (const auto& [code, name] : names) {
    if (code == error) return name;
  }
  return "unknown AXError";
}

}  // namespace corvella::mac
