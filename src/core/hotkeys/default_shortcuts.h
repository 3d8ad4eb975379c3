// The built-in shortcut of every window action, in catalogue order.
#pragma once

#include <array>
#include <optional>

#include "core/actions/window_action.h"
#include "core/hotkeys/shortcut.h"

namespace corvella {

struct ActionShortcut {
  WindowAction action;
  Shortcut shortcut;
};

const std::array<ActionShortcut, windowActionCount>& defaultShortcuts();
std::optional<Shortcut> defaultShortcut(WindowAction action);

}  // namespace corvella
