// The stored document of grid layouts: a JSON array of layout objects.
#include <cstddef>
#include <limits>
#include <string_view>

#include <nlohmann/json.hpp>

#include "core/grids/grid_layout.h"
#include "core/grids/json_nesting.h"

namespace corvella {

namespace {

// A valid document nests three levels (array, layout, shortcut). Leave room
// for nested values under keys this version does not know, but nowhere near
// the depths that could exhaust the stack.
constexpr std::size_t maxDocumentNesting = 16;

// A JSON integer that fits in 64 signed bits; floats (3.0 included), strings
// and out-of-range values are refused.
std::optional<std::int64_t> decodeInteger(const nlohmann::json& value) {
  if (value.is_number_unsigned()) {
    const auto number = value.get<std::uint64_t>();
    if (number > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
      return std::nullopt;
    }
    return static_cast<std::int64_t>(number);
  }
  if (value.is_number_integer()) return value.get<std::int64_t>();
  return std::nullopt;
}

std::optional<GridLayout> decodeLayout(const nlohmann::json& object) {
  if (!object.is_object()) return std::nullopt;

  const auto id = object.find("id");
  if (id == object.end() || !id->is_string()) return std::nullopt;
  const std::optional<UUID> uuid = UUID::parse(id->get_ref<const std::string&>());
  if (!uuid) return std::nullopt;

  const auto columns = object.find("columns");
  const auto rows = object.find("rows");
  if (columns == object.end() || rows == object.end()) return std::nullopt;
  const std::optional<std::int64_t> columnCount = decodeInteger(*columns);
  const std::optional<std::int64_t> rowCount = decodeInteger(*rows);
  if (!columnCount || !rowCount) return std::nullopt;

  GridLayout layout{.id = *uuid, .columns = *columnCount, .rows = *rowCount, .shortcut = {}};
  const auto shortcut = object.find("shortcut");
  if (shortcut != object.end() && !shortcut->is_null()) {
    layout.shortcut = decodeShortcut(*shortcut);
    if (!layout.shortcut) return std::nullopt;
  }
  return layout;
}

}  // namespace

std::optional<std::vector<GridLayout>> decodeGridLayouts(const std::string& document) {
  if (!nestingWithin(document, maxDocumentNesting)) return std::nullopt;
  try {
    const nlohmann::json json =
        nlohmann::json::parse(document, nullptr, /*allow_exceptions=*/false);
    if (!json.is_array()) return std::nullopt;  // also a parse error ("discarded")
    std::vector<GridLayout> layouts;
    layouts.reserve(json.size());
    for (const nlohmann::json& element : json) {
      std::optional<GridLayout> layout = decodeLayout(element);
      if (!layout) return std::nullopt;
      layouts.push_back(std::move(*layout));
    }
    return layouts;
  } catch (const nlohmann::json::exception&) {
    return std::nullopt;
  }
}

std::optional<std::string> encodeGridLayouts(const std::vector<GridLayout>& layouts) {
  try {
    nlohmann::ordered_json document = nlohmann::ordered_json::array();
    for (const GridLayout& layout : layouts) {
      nlohmann::ordered_json object = nlohmann::ordered_json::object();
      object["id"] = layout.id.uuidString();
      object["columns"] = layout.columns;
      object["rows"] = layout.rows;
      if (layout.shortcut)
        object["shortcut"] = nlohmann::ordered_json(encodeShortcut(*layout.shortcut));
      document.push_back(std::move(object));
    }
    return document.dump();
  } catch (const nlohmann::json::exception&) {
    return std::nullopt;
  }
}

}  // namespace corvella
