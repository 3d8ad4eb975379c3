// SimKeyboardLayout: the US layout (unshifted characters at the Macintosh
// virtual key codes, the ISO section key "§" and the keypad's characters;
// Return "\r", Tab "\t", Space " "; nothing for arrows,
// function keys and other non-character keys), or no layout at all.
// Single keys can be overridden to model other layouts.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "core/ports/keyboard_layout.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimKeyboardLayout final : public KeyboardLayout {
 public:
  enum class Layout { us, none };

  explicit SimKeyboardLayout(SimDesktop& desktop) : desktop_(desktop) {}

  std::optional<std::string> translateKey(std::uint16_t keyCode) override;

  // Layout::none names no key at all (overrides included).
  void setLayout(Layout layout) { layout_ = layout; }
  // A key's text in place of the US one; absent makes it produce nothing.
  void overrideKey(std::uint16_t keyCode, std::optional<std::string> text);

  // The US layout's text for a key, without recording a call.
  static std::optional<std::string> usText(std::uint16_t keyCode);

 private:
  SimDesktop& desktop_;
  Layout layout_ = Layout::us;
  std::map<std::uint16_t, std::optional<std::string>> overrides_;
};

}  // namespace corvella::sim
