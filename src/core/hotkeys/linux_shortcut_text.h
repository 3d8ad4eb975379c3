// The Linux spelling of a shortcut, as desktop settings and key-binding
// daemons write it: "Ctrl+Alt+Right", "Alt+Super+F". ⌘ is Super and ⌥ is Alt,
// as the X11 shell grabs them. Used wherever Linux shows a shortcut (the
// command line's status and list, the tray menu).
#pragma once

#include <string>

#include "core/hotkeys/shortcut.h"

namespace corvella {

class KeyboardLayout;

// "Ctrl+", "Alt+", "Shift+", "Super+" in that order, then the key: the X key
// name for keys that type no character ("Left", "Return", "F5", "KP_Enter"),
// else the current layout's character in upper case, else "#" and the code.
std::string linuxShortcutText(const Shortcut& shortcut, KeyboardLayout& layout);

}  // namespace corvella
