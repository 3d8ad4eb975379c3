#include "core/app/menu_item.h"

namespace corvella {

std::string_view selectorName(MenuAction action) {
  switch (action) {
    case MenuAction::none:
      return "";
    case MenuAction::openAccessibilitySettings:
      return "openAccessibilitySettings";
    case MenuAction::runAction:
      return "runAction:";
    case MenuAction::runGrid:
      return "runGrid:";
    case MenuAction::checkForUpdates:
      return "checkForUpdates:";
    case MenuAction::openSettings:
      return "openSettings";
    case MenuAction::toggleLogin:
      return "toggleLogin";
    case MenuAction::terminate:
      return "terminate:";
    case MenuAction::performClose:
      return "performClose:";
    case MenuAction::cut:
      return "cut:";
    case MenuAction::copy:
      return "copy:";
    case MenuAction::paste:
      return "paste:";
    case MenuAction::selectAll:
      return "selectAll:";
  }
  return "";
}

}  // namespace corvella
