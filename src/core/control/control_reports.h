// The answers to list and status, as text for people and as data for --json,
// and the notice of shortcuts another program holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/actions/window_action.h"
#include "core/control/control_answer.h"
#include "core/grids/uuid.h"

namespace corvella {

struct ActionRow {
  WindowAction action;
  std::string title;
  std::string shortcut;
  bool registered = false;
};

struct GridRow {
  UUID id;
  std::int64_t columns = 0;
  std::int64_t rows = 0;
  std::string title;                    // the display name, "6-way Split (3×2)"
  std::optional<std::string> shortcut;  // absent when the layout has none
  bool registered = false;
};

// A shortcut that could not be registered, with what it stands for: an
// action or a grid layout.
struct RefusedShortcut {
  std::string shortcut;
  std::optional<WindowAction> action;
  std::optional<UUID> grid;
};

struct StatusReport {
  std::string version;
  std::int64_t processID = 0;
  bool trusted = false;
  std::size_t registered = 0;
  std::size_t total = 0;
  std::vector<RefusedShortcut> refused;
};

ControlAnswer listAnswer(const std::vector<ActionRow>& actions, const std::vector<GridRow>& grids);
ControlAnswer statusAnswer(const StatusReport& status);
// The command that runs what the refused shortcut stood for:
// "corvella run nextThird", "corvella grid E621E1F8-…".
std::string commandFor(const RefusedShortcut& refused);
// What the daemon tells a terminal at start: one line saying how many
// shortcuts another program holds, then one line per shortcut with the
// command to bind elsewhere. Empty when there are none.
std::string refusedShortcutsNotice(const std::vector<RefusedShortcut>& refused);

}  // namespace corvella
