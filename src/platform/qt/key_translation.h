// A Qt key event as the core's KeyEventMonitor reports key-downs: the
// Macintosh virtual key code of the physical key and the event modifier flags
// (on Linux ⌘ is the Super key, which Qt calls Meta, and ⌥ is Alt).
#pragma once

#include <QtCore/qnamespace.h>
#include <optional>

#include "core/ports/key_event_monitor.h"

namespace corvella::qt {

// The physical key comes from the X key code (nativeScanCode); an event
// without one (synthesized, or from an input method) is placed by its Qt key
// on a US keyboard. Absent for a modifier pressed alone (not a key-down of its
// own on macOS either) and for keys with no virtual key code.
std::optional<KeyEvent> keyDownFromQt(int qtKey, quint32 nativeScanCode,
                                      Qt::KeyboardModifiers modifiers);

}  // namespace corvella::qt
