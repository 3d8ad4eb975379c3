#include "core/hotkeys/register_hot_keys.h"

#include <string>

#include "core/app/log.h"
#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/default_shortcuts.h"
#include "core/hotkeys/hot_key_center.h"

namespace corvella {

std::vector<HotKeyTarget> registerHotKeys(HotKeyCenter& center, const GridLayoutStore& store,
                                          Log& log) {
  std::vector<HotKeyBinding> bindings;
  bindings.reserve(windowActionCount);
  // Actions first, so they always hold numbers 1 to 20 and win any clash with a grid.
  for (const ActionShortcut& row : defaultShortcuts()) {
    bindings.push_back({HotKeyTarget::action(row.action), row.shortcut});
  }
  for (const GridLayout& layout : store.layouts()) {
    if (layout.shortcut) bindings.push_back({HotKeyTarget::grid(layout.id), *layout.shortcut});
  }
  std::vector<HotKeyTarget> failures = center.registerBindings(bindings);
  if (!failures.empty()) {
    log.log("단축키 등록 실패 " + std::to_string(failures.size()) +
            "개 — 다른 앱이 같은 조합을 쓰는 중");
  }
  return failures;
}

}  // namespace corvella
