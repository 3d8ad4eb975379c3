// ControlRequest: what a client of the control channel asks the running
// Corvella, and its wire form: one JSON object on one line, at most
// maxRequestBytes long, naming the request under "request":
//
//   {"request":"run","action":"leftHalf"}
//   {"request":"grid","columns":3,"rows":2}
//   {"request":"grid","id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F"}
//   {"request":"list"}
//   {"request":"status"}
//   {"request":"settings"}
//
// Keys a request does not use are ignored, so a newer client can send more
// than an older daemon understands; a new request is a new name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/actions/window_action.h"
#include "core/grids/uuid.h"

namespace corvella {

// The longest request line, its line feed included.
inline constexpr std::size_t maxRequestBytes = 4096;
// Columns and rows of a grid asked for by size: what the settings allow.
inline constexpr std::int64_t maxGridCells = 12;

struct RunRequest {
  WindowAction action;
  friend bool operator==(const RunRequest&, const RunRequest&) = default;
};
struct GridSizeRequest {
  std::int64_t columns = 0;
  std::int64_t rows = 0;
  friend bool operator==(const GridSizeRequest&, const GridSizeRequest&) = default;
};
struct GridLayoutRequest {
  UUID id;
  friend bool operator==(const GridLayoutRequest&, const GridLayoutRequest&) = default;
};
struct ListRequest {
  friend bool operator==(const ListRequest&, const ListRequest&) = default;
};
struct StatusRequest {
  friend bool operator==(const StatusRequest&, const StatusRequest&) = default;
};

// Show the settings window (corvella --settings while Corvella runs).
struct SettingsRequest {
  friend bool operator==(const SettingsRequest&, const SettingsRequest&) = default;
};

using ControlRequest = std::variant<RunRequest, GridSizeRequest, GridLayoutRequest, ListRequest,
                                    StatusRequest, SettingsRequest>;

// A request, or why the line asks for nothing that can be served.
struct ParsedRequest {
  std::optional<ControlRequest> request;
  std::string error;  // one line, set when request is absent
};

// The line without its line feed. Never throws, whatever the bytes.
ParsedRequest parseControlRequest(std::string_view line);
// The line for a request, without the line feed; parses back to the request.
std::string encodeControlRequest(const ControlRequest& request);

// The requests for one action by its raw value, a stored layout by its
// identifier and a grid by its size in text ("3x2"), or why the text names
// none: the same refusal wherever the text came from.
ParsedRequest runRequestFor(std::string_view actionName);
ParsedRequest gridLayoutRequestFor(std::string_view identifier);
ParsedRequest gridSizeRequestFor(std::string_view size);

// "3x2", "3X2" or "3×2" with 1 to maxGridCells on each side; absent otherwise.
std::optional<GridSizeRequest> parseGridSize(std::string_view text);
// Whether the text has the shape of a size (digits, a times sign, digits),
// in range or not.
bool looksLikeGridSize(std::string_view text);

// Text from a client, made fit to quote in an answer: printable ASCII only
// (anything else becomes '?'), cut after 40 characters.
std::string quotedForAnswer(std::string_view text);

}  // namespace corvella
