#include "core/hotkeys/shortcut.h"

#include <limits>
#include <string_view>

#include <utf8proc.h>
#include <nlohmann/json.hpp>

#include "core/hotkeys/key_codes.h"
#include "core/ports/keyboard_layout.h"

namespace corvella {
namespace {

// A non-negative JSON integer no larger than limit. Floats (even 3.0),
// strings, booleans and null are refused; so are numbers nlohmann could only
// hold as floats (beyond 64 bits).
template <typename Json>
std::optional<std::uint64_t> nonNegativeInteger(const Json& value, std::uint64_t limit) {
  if (value.is_number_unsigned()) {
    const auto number = value.template get<std::uint64_t>();
    if (number <= limit) return number;
    return std::nullopt;
  }
  if (value.is_number_integer()) {
    const auto number = value.template get<std::int64_t>();
    if (number >= 0 && static_cast<std::uint64_t>(number) <= limit) {
      return static_cast<std::uint64_t>(number);
    }
  }
  return std::nullopt;
}

template <typename Json>
std::optional<Shortcut> decode(const Json& json) {
  if (!json.is_object()) return std::nullopt;
  const auto keyCode = json.find("keyCode");
  const auto modifiers = json.find("modifiers");
  if (keyCode == json.end() || modifiers == json.end()) return std::nullopt;
  const auto code = nonNegativeInteger(*keyCode, std::numeric_limits<std::uint32_t>::max());
  const auto mask = nonNegativeInteger(*modifiers, std::numeric_limits<std::uint64_t>::max());
  if (!code || !mask) return std::nullopt;
  return Shortcut{static_cast<std::uint32_t>(*code), *mask & shortcutModifierMask};
}

// Each code point of valid UTF-8 in order; false when the text is not valid.
template <typename Visit>
bool forEachCodePoint(std::string_view text, Visit visit) {
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  auto remaining = static_cast<utf8proc_ssize_t>(text.size());
  while (remaining > 0) {
    utf8proc_int32_t codePoint = 0;
    const utf8proc_ssize_t length = utf8proc_iterate(bytes, remaining, &codePoint);
    if (length <= 0) return false;
    visit(codePoint);
    bytes += length;
    remaining -= length;
  }
  return true;
}

// White space and line breaks: the separators (Zs, Zl, Zp), tab, line feed,
// vertical tab, form feed, carriage return and next line.
bool isWhiteSpaceOrLineBreak(utf8proc_int32_t codePoint) {
  if ((codePoint >= 0x09 && codePoint <= 0x0D) || codePoint == 0x85) return true;
  const utf8proc_category_t category = utf8proc_category(codePoint);
  return category == UTF8PROC_CATEGORY_ZS || category == UTF8PROC_CATEGORY_ZL ||
         category == UTF8PROC_CATEGORY_ZP;
}

void appendCodePoint(std::string& out, utf8proc_int32_t codePoint) {
  utf8proc_uint8_t buffer[4];
  const utf8proc_ssize_t length = utf8proc_encode_char(codePoint, buffer);
  out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
}

// Key names come from keyName, which only gives valid UTF-8.
std::string upperCased(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  forEachCodePoint(text, [&](utf8proc_int32_t codePoint) {
    // The sharp s has no single upper-case letter; its upper case is "SS".
    if (codePoint == 0xDF) {
      out += "SS";
    } else {
      appendCodePoint(out, utf8proc_toupper(codePoint));
    }
  });
  return out;
}

std::string lowerCased(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  forEachCodePoint(
      text, [&](utf8proc_int32_t codePoint) { appendCodePoint(out, utf8proc_tolower(codePoint)); });
  return out;
}

}  // namespace

nlohmann::json encodeShortcut(const Shortcut& shortcut) {
  // nlohmann::json keeps keys sorted, which puts "keyCode" before "modifiers".
  nlohmann::json json = nlohmann::json::object();
  json["keyCode"] = shortcut.keyCode;
  json["modifiers"] = shortcut.modifiers;
  return json;
}

nlohmann::ordered_json encodeShortcutOrdered(const Shortcut& shortcut) {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  json["keyCode"] = shortcut.keyCode;
  json["modifiers"] = shortcut.modifiers;
  return json;
}

std::optional<Shortcut> decodeShortcut(const nlohmann::json& json) {
  return decode(json);
}

std::optional<Shortcut> decodeShortcut(const nlohmann::ordered_json& json) {
  return decode(json);
}

std::optional<std::string> keyName(std::uint32_t keyCode, KeyboardLayout& layout) {
  if (keyCode > std::numeric_limits<std::uint16_t>::max()) return std::nullopt;
  std::optional<std::string> text = layout.translateKey(static_cast<std::uint16_t>(keyCode));
  if (!text || text->empty()) return std::nullopt;
  bool onlyWhiteSpace = true;
  const bool valid = forEachCodePoint(*text, [&](utf8proc_int32_t codePoint) {
    if (!isWhiteSpaceOrLineBreak(codePoint)) onlyWhiteSpace = false;
  });
  // Text that is not UTF-8 cannot be shown; treat it as a key without a name.
  if (!valid || onlyWhiteSpace) return std::nullopt;
  return text;
}

std::string displayString(const Shortcut& shortcut, KeyboardLayout& layout) {
  std::string text;
  if (shortcut.modifiers & ModifierFlag::control) text += "⌃";
  if (shortcut.modifiers & ModifierFlag::option) text += "⌥";
  if (shortcut.modifiers & ModifierFlag::shift) text += "⇧";
  if (shortcut.modifiers & ModifierFlag::command) text += "⌘";
  switch (shortcut.keyCode) {
    case KeyCode::returnKey:
      return text + "↩";
    case KeyCode::tab:
      return text + "⇥";
    case KeyCode::space:
      return text + "Space";
    case KeyCode::leftArrow:
      return text + "←";
    case KeyCode::rightArrow:
      return text + "→";
    case KeyCode::downArrow:
      return text + "↓";
    case KeyCode::upArrow:
      return text + "↑";
    default:
      break;
  }
  return text + namedKeyText(shortcut.keyCode, layout);
}

std::string namedKeyText(std::uint32_t keyCode, KeyboardLayout& layout) {
  if (auto name = keyName(keyCode, layout)) return upperCased(*name);
  return "#" + std::to_string(keyCode);
}

std::string keyEquivalent(const Shortcut& shortcut, KeyboardLayout& layout) {
  // The function-key characters the menu uses for the arrow keys.
  switch (shortcut.keyCode) {
    case KeyCode::leftArrow:
      return "\uF702";
    case KeyCode::rightArrow:
      return "\uF703";
    case KeyCode::downArrow:
      return "\uF701";
    case KeyCode::upArrow:
      return "\uF700";
    default:
      break;
  }
  if (auto name = keyName(shortcut.keyCode, layout)) return lowerCased(*name);
  return "";
}

bool hasRequiredModifier(std::uint64_t modifiers) {
  return (modifiers & (ModifierFlag::control | ModifierFlag::option | ModifierFlag::command)) != 0;
}

}  // namespace corvella
