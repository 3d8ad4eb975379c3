#include "core/actions/window_action.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ports/localizer.h"

namespace corvella {
namespace {

TEST(WindowActionCatalogue, TwentyActionsInOrderWhoseRawValuesRoundTripExactly) {
  const char* raw[] = {"leftHalf",  "rightHalf",     "topHalf",        "bottomHalf",
                       "upperLeft", "upperRight",    "lowerLeft",      "lowerRight",
                       "nextThird", "previousThird", "maximize",       "center",
                       "larger",    "smaller",       "nextDisplay",    "previousDisplay",
                       "undo",      "redo",          "tileAppColumns", "tileAppRows"};
  ASSERT_EQ(allWindowActions().size(), 20u);
  for (std::size_t i = 0; i < 20; ++i) {
    EXPECT_EQ(rawValue(allWindowActions()[i]), raw[i]);
    EXPECT_EQ(windowActionFromRawValue(raw[i]), allWindowActions()[i]);
    // Placements come first, then undo and redo, then the two tilings.
    EXPECT_EQ(kind(allWindowActions()[i]), i < 16   ? WindowActionKind::placement
                                           : i < 18 ? WindowActionKind::history
                                                    : WindowActionKind::appTiling);
  }
  for (const char* text : {"LeftHalf", "left half", "", " leftHalf", "leftHalf ", "lefthalf"}) {
    EXPECT_FALSE(windowActionFromRawValue(text).has_value()) << '"' << text << '"';
  }
}

TEST(WindowActionCatalogue, TitlesAreLocalizedFromTheirEnglishText) {
  struct PrefixLocalizer : Localizer {
    std::string localized(std::string_view english) override { return "~" + std::string(english); }
  } localizer;
  EXPECT_EQ(title(WindowAction::lowerLeft, localizer), "~Bottom Left");
}

}  // namespace
}  // namespace corvella
