// How a Linux desktop writes a shortcut: "Ctrl+Alt+Right", "Alt+Super+Left".
// On Linux ⌘ is the Super key and ⌥ the Alt key; the modifiers keep the order
// of the display string (⌃⌥⇧⌘), so both forms of one shortcut read alike.
#pragma once

#include <string>

#include "core/hotkeys/shortcut.h"

namespace corvella {

class KeyboardLayout;

// "Ctrl+", "Alt+", "Shift+", "Super+" in that order, then the key: its name
// for keys that type no character ("Left", "Return", "F5", "PageUp"), else
// the current layout's text in upper case, else "#" and the key code.
std::string linuxSpelling(const Shortcut& shortcut, KeyboardLayout& layout);

}  // namespace corvella
