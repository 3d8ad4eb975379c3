// The simulated Accessibility port: what the core's window access relies on.
#include "platform/sim/sim_accessibility.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace corvella::sim {
namespace {

AttributeValue point(double x, double y) {
  return AXGeometryValue{AXGeometryValue::Kind::point, x, y};
}
AttributeValue size(double width, double height) {
  return AXGeometryValue{AXGeometryValue::Kind::size, width, height};
}

class SimAccessibilityTest : public ::testing::Test {
 protected:
  SimPlatform platform;
  SimDesktop& desktop = platform.desktop;
  SimAccessibility& ax = platform.accessibility;
  SimApplication& notes = desktop.addApplication(7, "Notes", true);
  const SimWindowId id = desktop.addWindow(7, {100, 100, 800, 600});
  ElementRef window = desktop.windowElement(id);
};

TEST_F(SimAccessibilityTest, ElementsAreFreshHandlesEqualWhenTheyNameTheSameThing) {
  desktop.addWindow(7, {10, 35, 400, 300});
  ElementRef app = ax.createApplication(7);
  EXPECT_NE(app, ax.createApplication(7));
  EXPECT_TRUE(app->equals(*ax.createApplication(7)));
  EXPECT_FALSE(app->equals(*ax.createApplication(8)));

  auto listed = std::get<std::vector<ElementRef>>(*ax.copyAttributeValue(app, "AXWindows"));
  ASSERT_EQ(listed.size(), 2u);
  auto focused = std::get<ElementRef>(*ax.copyAttributeValue(app, "AXFocusedWindow"));
  EXPECT_NE(listed[0], focused);
  EXPECT_TRUE(listed[0]->equals(*focused) && listed[0]->equals(*window));
  EXPECT_FALSE(listed[0]->equals(*listed[1]));
  // Window 1 and the application of pid 1 are different elements.
  EXPECT_FALSE(window->equals(*desktop.applicationElement(1)));
}

TEST_F(SimAccessibilityTest, OverridesMakeAttributesUnreadableOrOfTheWrongKind) {
  EXPECT_EQ(ax.copyAttributeValue(window, "AXMinimized"), AttributeValue(false));
  desktop.makeUnreadable(id, "AXMinimized");
  desktop.setAttributeOverride(id, "AXPosition", size(1, 2));
  EXPECT_FALSE(ax.copyAttributeValue(window, "AXMinimized"));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), size(1, 2));

  // A write still moves the window underneath an override.
  ax.setAttributeValue(window, "AXPosition", point(0, 25));
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 800, 600}));
  desktop.clearOverrides(id);
  EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), point(0, 25));
}

TEST_F(SimAccessibilityTest, SizeWritesAreRaisedToTheMinimumAndAWindowsOwnMinimumWins) {
  notes.minimumSize = SimSize{500, 400};
  const std::pair<AttributeValue, Rect> writes[] = {
      {size(720, 875), {100, 100, 720, 875}},
      {size(360, 875), {100, 100, 500, 875}},
      {size(100, 50), {100, 100, 500, 400}},
      {point(900, 900), {100, 100, 500, 400}},  // a point where a size belongs
  };
  for (const auto& [value, expected] : writes) {
    ax.setAttributeValue(window, "AXSize", value);
    EXPECT_EQ(desktop.frame(id), expected);
  }
  desktop.window(id).minimumSize = SimSize{200, 100};
  ax.setAttributeValue(window, "AXSize", size(150, 150));
  EXPECT_EQ(desktop.frame(id), (Rect{100, 100, 200, 150}));
}

TEST_F(SimAccessibilityTest, WindowsCloseAfterACountOfCallsOrFromTheHook) {
  desktop.closeWindowAfterCalls(id, 1);
  EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), point(100, 100));
  EXPECT_FALSE(ax.copyAttributeValue(window, "AXSize"));
  ax.performAction(window, "AXRaise");
  EXPECT_EQ(desktop.window(id).raiseCount, 0);

  const SimWindowId hooked = desktop.addWindow(7, {100, 100, 800, 600});
  ElementRef other = desktop.windowElement(hooked);
  std::vector<std::string> seen;
  desktop.setBeforeAccessibilityCall([&](const SimCall& call) {
    seen.push_back(call.text());
    if (call.text() == "set w2 AXSize 720x875") desktop.closeWindow(hooked);
  });
  ax.setAttributeValue(other, "AXPosition", point(0, 25));
  ax.setAttributeValue(other, "AXSize", size(720, 875));
  EXPECT_EQ(desktop.frame(hooked), (Rect{0, 25, 800, 600}));
  EXPECT_THAT(seen, ::testing::ElementsAre("set w2 AXPosition (0,25)", "set w2 AXSize 720x875"));
}

}  // namespace
}  // namespace corvella::sim
