// Links that ask the running Corvella for an action or a grid, for launchers
// and other programs that open URLs rather than run commands:
//
//   corvella://run?action=leftHalf
//   corvella://grid?size=3x2
//   corvella://grid?id=E621E1F8-C36C-495A-93FC-0C247A3E6E5F
//   corvella://settings
//
// The scheme and the request name are matched in any letter case (as URLs
// treat them); the action name exactly, as on the command line. Values may be
// percent-encoded ("3%C3%972" is 3×2). Parameters a request does not use are
// ignored; one it uses may appear once. A link answers no one, so only
// requests that do something are links: list and status are not.
#pragma once

#include <string_view>

#include "core/control/control_request.h"

namespace corvella {

inline constexpr std::string_view controlURLScheme = "corvella";

// The request a link asks for, or why it asks for nothing that can be served
// (one line, the link's own text made safe to log). Never throws.
ParsedRequest parseControlURL(std::string_view url);

}  // namespace corvella
