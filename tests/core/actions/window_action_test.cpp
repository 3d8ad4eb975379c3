#include "core/actions/window_action.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ports/localizer.h"

namespace corvella {
namespace {

class PrefixLocalizer : public Localizer {
 public:
  std::string localized(std::string_view english) override { return "~" + std::string(english); }
};

TEST(WindowActionCatalogue, HasTwentyCasesInDeclaredOrder) {
  const auto& all = allWindowActions();
  ASSERT_EQ(all.size(), 20u);
  EXPECT_EQ(all.front(), WindowAction::leftHalf);
  EXPECT_EQ(all.back(), WindowAction::tileAppRows);
  EXPECT_EQ(all[9], WindowAction::previousThird);
  EXPECT_EQ(all[16], WindowAction::undo);
}

TEST(WindowActionCatalogue, RawValuesRoundTripExactly) {
  for (WindowAction action : allWindowActions()) {
    EXPECT_EQ(windowActionFromRawValue(rawValue(action)), action) << rawValue(action);
  }
  EXPECT_EQ(windowActionFromRawValue("leftHalf"), WindowAction::leftHalf);
  for (const char* text : {"LeftHalf", "left half", "", " leftHalf", "leftHalf ", "lefthalf"}) {
    EXPECT_FALSE(windowActionFromRawValue(text).has_value()) << '"' << text << '"';
  }
}

TEST(WindowActionCatalogue, TitlesUseTopAndBottomForQuarters) {
  EXPECT_EQ(englishTitle(WindowAction::lowerLeft), "Bottom Left");
  EXPECT_EQ(englishTitle(WindowAction::upperRight), "Top Right");
  EXPECT_EQ(englishTitle(WindowAction::tileAppColumns), "Tile App Windows in Columns");
  PrefixLocalizer localizer;
  EXPECT_EQ(title(WindowAction::center, localizer), "~Center");
}

TEST(WindowActionCatalogue, KindsDecideTheDispatchPath) {
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(kind(allWindowActions()[i]), WindowActionKind::placement) << i;
  }
  EXPECT_EQ(kind(WindowAction::undo), WindowActionKind::history);
  EXPECT_EQ(kind(WindowAction::redo), WindowActionKind::history);
  EXPECT_EQ(kind(WindowAction::tileAppColumns), WindowActionKind::appTiling);
  EXPECT_EQ(kind(WindowAction::tileAppRows), WindowActionKind::appTiling);
}

}  // namespace
}  // namespace corvella
