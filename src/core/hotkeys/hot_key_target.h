// HotKeyTarget: what a hot key triggers, an action or a grid layout's id.
#pragma once

#include <optional>
#include <variant>

#include "core/actions/window_action.h"
#include "core/grids/uuid.h"

namespace corvella {

struct HotKeyTarget {
  std::variant<WindowAction, UUID> value;

  static HotKeyTarget action(WindowAction a) { return {a}; }
  static HotKeyTarget grid(const UUID& id) { return {id}; }
  std::optional<WindowAction> actionValue() const {
    if (auto* a = std::get_if<WindowAction>(&value)) return *a;
    return std::nullopt;
  }
  std::optional<UUID> gridID() const {
    if (auto* id = std::get_if<UUID>(&value)) return *id;
    return std::nullopt;
  }
  friend bool operator==(const HotKeyTarget&, const HotKeyTarget&) = default;
};

}  // namespace corvella
