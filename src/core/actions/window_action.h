// WindowAction: the twenty things the user can ask of windows.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace corvella {

class Localizer;

// Declaration order is significant: it is the order of allCases, of the
// built-in shortcut table and of the hot-key numbers 1 to 20.
enum class WindowAction : int {
  leftHalf,
  rightHalf,
  topHalf,
  bottomHalf,
  upperLeft,
  upperRight,
  lowerLeft,
  lowerRight,
  nextThird,
  previousThird,
  maximize,
  center,
  larger,
  smaller,
  nextDisplay,
  previousDisplay,
  undo,
  redo,
  tileAppColumns,
  tileAppRows,
};

enum class WindowActionKind { placement, history, appTiling };

inline constexpr std::size_t windowActionCount = 20;

// Every case in declaration order.
const std::array<WindowAction, windowActionCount>& allWindowActions();
// The case name, e.g. "leftHalf".
std::string_view rawValue(WindowAction action);
// Exact, case-sensitive match of a raw value.
std::optional<WindowAction> windowActionFromRawValue(std::string_view text);
// The English menu title, which is also its localization key ("Left Half").
std::string_view englishTitle(WindowAction action);
// The menu title in the user's language.
std::string title(WindowAction action, Localizer& localizer);
WindowActionKind kind(WindowAction action);

}  // namespace corvella
