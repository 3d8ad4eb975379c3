#include "core/actions/window_action.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ports/localizer.h"

namespace corvella {
namespace {

// The names and their order are pinned against corvella(1) in
// linux_shortcut_text_test; here, the way back from a name and the kinds.
TEST(WindowActionCatalogue, RawValuesRoundTripExactlyAndKindsFollowTheOrder) {
  ASSERT_EQ(allWindowActions().size(), 20u);
  for (std::size_t i = 0; i < 20; ++i) {
    const WindowAction action = allWindowActions()[i];
    EXPECT_EQ(windowActionFromRawValue(rawValue(action)), action);
    // Placements come first, then undo and redo, then the two tilings.
    EXPECT_EQ(kind(action), i < 16   ? WindowActionKind::placement
                            : i < 18 ? WindowActionKind::history
                                     : WindowActionKind::appTiling);
  }
  EXPECT_EQ(rawValue(allWindowActions()[19]), "tileAppRows");
  for (const char* text : {"LeftHalf", "left half", "", " leftHalf", "leftHalf ", "lefthalf"}) {
    EXPECT_FALSE(windowActionFromRawValue(text).has_value()) << '"' << text << '"';
  }
  struct PrefixLocalizer : Localizer {
    std::string localized(std::string_view english) override { return "~" + std::string(english); }
  } localizer;
  EXPECT_EQ(title(WindowAction::lowerLeft, localizer), "~Bottom Left");
}

}  // namespace
}  // namespace corvella
