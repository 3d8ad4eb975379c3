#include "core/app/main_menu.h"

#include "core/ports/localizer.h"

namespace corvella {
namespace {

MenuItem commandItem(Localizer& localizer, std::string_view englishTitle, MenuAction action,
                     std::string key) {
  return MenuItem{.title = localizer.localized(englishTitle),
                  .action = action,
                  .keyEquivalent = std::move(key),
                  .keyEquivalentModifierMask = commandKeyMask};
}

}  // namespace

std::vector<MainMenuEntry> buildMainMenu(Localizer& localizer) {
  return {
      MainMenuEntry{.submenuTitle = "",
                    .items = {commandItem(localizer, "Close", MenuAction::performClose, "w")}},
      MainMenuEntry{.submenuTitle = localizer.localized("Edit"),
                    .items = {commandItem(localizer, "Cut", MenuAction::cut, "x"),
                              commandItem(localizer, "Copy", MenuAction::copy, "c"),
                              commandItem(localizer, "Paste", MenuAction::paste, "v"),
                              commandItem(localizer, "Select All", MenuAction::selectAll, "a")}},
  };
}

}  // namespace corvella
