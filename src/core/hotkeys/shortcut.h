// Shortcut: a virtual key code and the modifiers control, option, shift, command.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json_fwd.hpp>

namespace corvella {

class KeyboardLayout;

// Raw modifier bits of key events.
namespace ModifierFlag {
inline constexpr std::uint64_t capsLock = 0x10000;
inline constexpr std::uint64_t shift = 0x20000;
inline constexpr std::uint64_t control = 0x40000;
inline constexpr std::uint64_t option = 0x80000;
inline constexpr std::uint64_t command = 0x100000;
}  // namespace ModifierFlag

// The only modifiers a shortcut keeps.
inline constexpr std::uint64_t shortcutModifierMask = 0x1E0000;

struct Shortcut {
  std::uint32_t keyCode = 0;
  std::uint64_t modifiers = 0;  // raw mask, within shortcutModifierMask
  friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

// {"keyCode":…,"modifiers":…}, in that order.
nlohmann::json encodeShortcut(const Shortcut& shortcut);
// The same object for documents that keep their keys in insertion order.
nlohmann::ordered_json encodeShortcutOrdered(const Shortcut& shortcut);
// Strict: both keys, non-negative integers, keyCode within 32 bits, modifiers
// within 64 bits; other keys are ignored. The modifiers are masked afterwards.
// Absent on any error.
std::optional<Shortcut> decodeShortcut(const nlohmann::json& json);
std::optional<Shortcut> decodeShortcut(const nlohmann::ordered_json& json);

// The current layout's name of a key, or absent.
std::optional<std::string> keyName(std::uint32_t keyCode, KeyboardLayout& layout);
// "⌃⌥⇧⌘" in that order, then the key part ("←", "Space", "F", "#99").
std::string displayString(const Shortcut& shortcut, KeyboardLayout& layout);
// The key part of a key without a special case: its name in upper case
// ("F", "Ä"), else "#" and the key code ("#99").
std::string namedKeyText(std::uint32_t keyCode, KeyboardLayout& layout);
// A menu item's key equivalent; empty when the key has no name.
std::string keyEquivalent(const Shortcut& shortcut, KeyboardLayout& layout);
// At least one of control, option or command; shift alone does not count.
bool hasRequiredModifier(std::uint64_t modifiers);

}  // namespace corvella
