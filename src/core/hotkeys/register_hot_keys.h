// registerHotKeys: the twenty action shortcuts, then every grid shortcut.
#pragma once

#include <vector>

#include "core/hotkeys/hot_key_target.h"

namespace corvella {

class GridLayoutStore;
class HotKeyCenter;
class Log;

// Registers the whole list, logs the failure count when there is one, and
// gives the failed targets.
std::vector<HotKeyTarget> registerHotKeys(HotKeyCenter& center, const GridLayoutStore& store,
                                          Log& log);

}  // namespace corvella
