#include "core/actions/window_action.h"

#include "core/ports/localizer.h"

namespace corvella {
namespace {

struct ActionInfo {
  WindowAction action;
  std::string_view rawValue;
  std::string_view title;
  WindowActionKind kind;
};

constexpr std::array<ActionInfo, windowActionCount> catalogue{{
    {WindowAction::leftHalf, "leftHalf", "Left Half", WindowActionKind::placement},
    {WindowAction::rightHalf, "rightHalf", "Right Half", WindowActionKind::placement},
    {WindowAction::topHalf, "topHalf", "Top Half", WindowActionKind::placement},
    {WindowAction::bottomHalf, "bottomHalf", "Bottom Half", WindowActionKind::placement},
    {WindowAction::upperLeft, "upperLeft", "Top Left", WindowActionKind::placement},
    {WindowAction::upperRight, "upperRight", "Top Right", WindowActionKind::placement},
    {WindowAction::lowerLeft, "lowerLeft", "Bottom Left", WindowActionKind::placement},
    {WindowAction::lowerRight, "lowerRight", "Bottom Right", WindowActionKind::placement},
    {WindowAction::nextThird, "nextThird", "Next Third", WindowActionKind::placement},
    {WindowAction::previousThird, "previousThird", "Previous Third", WindowActionKind::placement},
    {WindowAction::maximize, "maximize", "Maximize", WindowActionKind::placement},
    {WindowAction::center, "center", "Center", WindowActionKind::placement},
    {WindowAction::larger, "larger", "Larger", WindowActionKind::placement},
    {WindowAction::smaller, "smaller", "Smaller", WindowActionKind::placement},
    {WindowAction::nextDisplay, "nextDisplay", "Next Display", WindowActionKind::placement},
    {WindowAction::previousDisplay, "previousDisplay", "Previous Display",
     WindowActionKind::placement},
    {WindowAction::undo, "undo", "Undo", WindowActionKind::history},
    {WindowAction::redo, "redo", "Redo", WindowActionKind::history},
    {WindowAction::tileAppColumns, "tileAppColumns", "Tile App Windows in Columns",
     WindowActionKind::appTiling},
    {WindowAction::tileAppRows, "tileAppRows", "Tile App Windows in Rows",
     WindowActionKind::appTiling},
}};

const ActionInfo& info(WindowAction action) {
  return catalogue[static_cast<std::size_t>(action)];
}

}  // namespace

const std::array<WindowAction, windowActionCount>& allWindowActions() {
  static constexpr std::array<WindowAction, windowActionCount> all = [] {
    std::array<WindowAction, windowActionCount> result{};
    for (std::size_t i = 0; i < windowActionCount; ++i) result[i] = catalogue[i].action;
    return result;
  }();
  return all;
}

std::string_view rawValue(WindowAction action) {
  return info(action).rawValue;
}

std::optional<WindowAction> windowActionFromRawValue(std::string_view text) {
  for (const ActionInfo& entry : catalogue) {
    if (entry.rawValue == text) return entry.action;
  }
  return std::nullopt;
}

std::string_view englishTitle(WindowAction action) {
  return info(action).title;
}

std::string title(WindowAction action, Localizer& localizer) {
  return localizer.localized(englishTitle(action));
}

WindowActionKind kind(WindowAction action) {
  return info(action).kind;
}

}  // namespace corvella
