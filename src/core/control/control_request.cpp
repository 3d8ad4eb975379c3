#include "core/control/control_request.h"

#include <charconv>

#include <nlohmann/json.hpp>

#include "core/grids/json_nesting.h"

namespace corvella {
namespace {

// A request is one flat object; a little room for what later versions add.
constexpr std::size_t maxRequestNesting = 4;
constexpr std::size_t maxQuotedCharacters = 40;

ParsedRequest refuse(std::string message) {
  return ParsedRequest{std::nullopt, std::move(message)};
}

std::string gridSizeRangeText() {
  return "columns and rows go from 1 to " + std::to_string(maxGridCells);
}

// A JSON integer from 1 to maxGridCells; floats and strings do not count.
std::optional<std::int64_t> gridCount(const nlohmann::json& object, const char* key) {
  const auto value = object.find(key);
  if (value == object.end()) return std::nullopt;
  std::int64_t number = 0;
  if (value->is_number_unsigned()) {
    const auto unsignedNumber = value->get<std::uint64_t>();
    if (unsignedNumber > static_cast<std::uint64_t>(maxGridCells)) return std::nullopt;
    number = static_cast<std::int64_t>(unsignedNumber);
  } else if (value->is_number_integer()) {
    number = value->get<std::int64_t>();
  } else {
    return std::nullopt;
  }
  if (number < 1 || number > maxGridCells) return std::nullopt;
  return number;
}

ParsedRequest parseRun(const nlohmann::json& object) {
  const auto action = object.find("action");
  if (action == object.end() || !action->is_string()) return refuse("run needs an action name");
  return runRequestFor(action->get_ref<const std::string&>());
}

ParsedRequest parseGrid(const nlohmann::json& object) {
  const bool hasSize = object.contains("columns") || object.contains("rows");
  const auto id = object.find("id");
  if (id != object.end()) {
    if (hasSize) return refuse("grid takes a size or a layout identifier, not both");
    if (!id->is_string()) return refuse("a grid layout identifier is a text");
    return gridLayoutRequestFor(id->get_ref<const std::string&>());
  }
  if (!hasSize) return refuse("grid needs a size (columns and rows) or a layout identifier");
  const auto columns = gridCount(object, "columns");
  const auto rows = gridCount(object, "rows");
  if (!columns || !rows) return refuse("grid size out of range: " + gridSizeRangeText());
  return {GridSizeRequest{*columns, *rows}, {}};
}

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Digits only, no sign; absent when there are none or the value does not fit.
std::optional<std::int64_t> decimal(std::string_view digits) {
  if (!allDigits(digits)) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// The two sides of "AxB", "AXB" or "A×B" (U+00D7).
std::optional<std::pair<std::string_view, std::string_view>> sizeSides(std::string_view text) {
  for (std::string_view sign : {"x", "X", "×"}) {
    const auto at = text.find(sign);
    if (at != std::string_view::npos) {
      return std::pair{text.substr(0, at), text.substr(at + sign.size())};
    }
  }
  return std::nullopt;
}

}  // namespace

ParsedRequest parseControlRequest(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.size() >= maxRequestBytes) {
    return refuse("request longer than " + std::to_string(maxRequestBytes) + " bytes");
  }
  const std::string malformed = "malformed request: one JSON object on one line expected";
  if (!nestingWithin(line, maxRequestNesting)) return refuse(malformed);
  nlohmann::json object;
  try {
    object = nlohmann::json::parse(line, nullptr, false);
  } catch (...) {
    return refuse(malformed);
  }
  if (!object.is_object()) return refuse(malformed);

  const auto name = object.find("request");
  if (name == object.end() || !name->is_string()) {
    return refuse("malformed request: no \"request\" name");
  }
  const auto& request = name->get_ref<const std::string&>();
  if (request == "run") return parseRun(object);
  if (request == "grid") return parseGrid(object);
  if (request == "list") return {ListRequest{}, {}};
  if (request == "status") return {StatusRequest{}, {}};
  if (request == "settings") return {SettingsRequest{}, {}};
  return refuse("unknown request \"" + quotedForAnswer(request) + "\"");
}

std::string encodeControlRequest(const ControlRequest& request) {
  nlohmann::ordered_json object;
  if (auto* run = std::get_if<RunRequest>(&request)) {
    object["request"] = "run";
    object["action"] = std::string(rawValue(run->action));
  } else if (auto* size = std::get_if<GridSizeRequest>(&request)) {
    object["request"] = "grid";
    object["columns"] = size->columns;
    object["rows"] = size->rows;
  } else if (auto* layout = std::get_if<GridLayoutRequest>(&request)) {
    object["request"] = "grid";
    object["id"] = layout->id.uuidString();
  } else if (std::holds_alternative<ListRequest>(request)) {
    object["request"] = "list";
  } else if (std::holds_alternative<SettingsRequest>(request)) {
    object["request"] = "settings";
  } else {
    object["request"] = "status";
  }
  return object.dump();
}

ParsedRequest runRequestFor(std::string_view actionName) {
  if (auto known = windowActionFromRawValue(actionName)) return {RunRequest{*known}, {}};
  return refuse("unknown action \"" + quotedForAnswer(actionName) +
                "\" (corvella list shows them)");
}

ParsedRequest gridLayoutRequestFor(std::string_view identifier) {
  if (auto uuid = UUID::parse(identifier)) return {GridLayoutRequest{*uuid}, {}};
  return refuse("\"" + quotedForAnswer(identifier) + "\" is not a grid layout identifier");
}

ParsedRequest gridSizeRequestFor(std::string_view size) {
  if (auto request = parseGridSize(size)) return {*request, {}};
  const std::string quoted = "\"" + quotedForAnswer(size) + "\"";
  if (looksLikeGridSize(size)) {
    return refuse("grid size " + quoted + " out of range: " + gridSizeRangeText());
  }
  return refuse("grid size " + quoted + " is not COLUMNSxROWS");
}

bool looksLikeGridSize(std::string_view text) {
  const auto sides = sizeSides(text);
  return sides && allDigits(sides->first) && allDigits(sides->second);
}

std::optional<GridSizeRequest> parseGridSize(std::string_view text) {
  const auto sides = sizeSides(text);
  if (!sides) return std::nullopt;
  const auto columns = decimal(sides->first);
  const auto rows = decimal(sides->second);
  if (!columns || !rows) return std::nullopt;
  if (*columns < 1 || *columns > maxGridCells || *rows < 1 || *rows > maxGridCells) {
    return std::nullopt;
  }
  return GridSizeRequest{*columns, *rows};
}

std::string quotedForAnswer(std::string_view text) {
  std::string quoted;
  for (char c : text) {
    if (quoted.size() == maxQuotedCharacters) {
      quoted += "…";
      break;
    }
    const auto byte = static_cast<unsigned char>(c);
    quoted += (byte >= 0x20 && byte < 0x7f && c != '"') ? c : '?';
  }
  return quoted;
}

}  // namespace corvella
