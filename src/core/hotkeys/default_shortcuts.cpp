#include "core/hotkeys/default_shortcuts.h"

#include "core/hotkeys/key_codes.h"

namespace corvella {
namespace {

using KeyCode::leftArrow, KeyCode::rightArrow, KeyCode::downArrow, KeyCode::upArrow;

constexpr std::uint64_t control = ModifierFlag::control;
constexpr std::uint64_t option = ModifierFlag::option;
constexpr std::uint64_t shift = ModifierFlag::shift;
constexpr std::uint64_t command = ModifierFlag::command;

// One row per action, in catalogue order: hot-key numbers and conflict search
// both follow this order.
constexpr std::array<ActionShortcut, windowActionCount> table{{
    {WindowAction::leftHalf, {leftArrow, option | command}},
    {WindowAction::rightHalf, {rightArrow, option | command}},
    {WindowAction::topHalf, {upArrow, option | command}},
    {WindowAction::bottomHalf, {downArrow, option | command}},
    {WindowAction::upperLeft, {leftArrow, control | command}},
    {WindowAction::upperRight, {rightArrow, control | command}},
    {WindowAction::lowerLeft, {leftArrow, control | shift | command}},
    {WindowAction::lowerRight, {rightArrow, control | shift | command}},
    {WindowAction::nextThird, {rightArrow, control | option}},
    {WindowAction::previousThird, {leftArrow, control | option}},
    {WindowAction::maximize, {KeyCode::f, option | command}},
    {WindowAction::center, {KeyCode::c, option | command}},
    {WindowAction::larger, {rightArrow, control | option | shift}},
    {WindowAction::smaller, {leftArrow, control | option | shift}},
    {WindowAction::nextDisplay, {rightArrow, control | option | command}},
    {WindowAction::previousDisplay, {leftArrow, control | option | command}},
    {WindowAction::undo, {KeyCode::z, option | command}},
    {WindowAction::redo, {KeyCode::z, option | shift | command}},
    {WindowAction::tileAppColumns, {KeyCode::a, option | command}},
    {WindowAction::tileAppRows, {KeyCode::a, option | shift | command}},
}};

}  // namespace

const std::array<ActionShortcut, windowActionCount>& defaultShortcuts() {
  return table;
}

std::optional<Shortcut> defaultShortcut(WindowAction action) {
  for (const ActionShortcut& row : table) {
    if (row.action == action) return row.shortcut;
  }
  return std::nullopt;
}

}  // namespace corvella
