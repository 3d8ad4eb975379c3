// The simulated Accessibility port: what the core's window access relies on.
#include "platform/sim/sim_accessibility.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace corvella::sim {
namespace {

constexpr ProcessID notesPid = 7;

AttributeValue point(double x, double y) {
  return AXGeometryValue{AXGeometryValue::Kind::point, x, y};
}
AttributeValue size(double width, double height) {
  return AXGeometryValue{AXGeometryValue::Kind::size, width, height};
}

class SimAccessibilityTest : public ::testing::Test {
 protected:
  SimAccessibilityTest() { desktop.addApplication(notesPid, "Notes", true); }

  SimPlatform platform;
  SimDesktop& desktop = platform.desktop;
  SimAccessibility& ax = platform.accessibility;
};

TEST_F(SimAccessibilityTest, ElementsAreEqualWhenTheyNameTheSameThing) {
  const SimWindowId first = desktop.addWindow(notesPid, {0, 25, 400, 300});
  desktop.addWindow(notesPid, {10, 35, 400, 300});

  ElementRef app = ax.createApplication(notesPid);
  ElementRef appAgain = ax.createApplication(notesPid);
  EXPECT_NE(app, appAgain) << "a fresh element each time";
  EXPECT_TRUE(app->equals(*appAgain));
  EXPECT_FALSE(app->equals(*ax.createApplication(8)));

  auto listed = std::get<std::vector<ElementRef>>(*ax.copyAttributeValue(app, "AXWindows"));
  ASSERT_EQ(listed.size(), 2u);
  auto focused = std::get<ElementRef>(*ax.copyAttributeValue(app, "AXFocusedWindow"));
  EXPECT_NE(listed[0], focused);
  EXPECT_TRUE(listed[0]->equals(*focused));
  EXPECT_TRUE(listed[0]->equals(*desktop.windowElement(first)));
  EXPECT_FALSE(listed[0]->equals(*listed[1]));
  // Window 1 and the application of pid 1 are different elements.
  EXPECT_FALSE(desktop.windowElement(first)->equals(*desktop.applicationElement(1)));
}

TEST_F(SimAccessibilityTest, OverridesMakeAttributesUnreadableOrOfTheWrongKind) {
  const SimWindowId id = desktop.addWindow(notesPid, {0, 25, 400, 300});
  ElementRef window = desktop.windowElement(id);
  EXPECT_EQ(ax.copyAttributeValue(window, "AXMinimized"), AttributeValue(false));

  desktop.makeUnreadable(id, "AXMinimized");
  desktop.setAttributeOverride(id, "AXFullScreen", std::string("yes"));
  desktop.setAttributeOverride(id, "AXPosition", size(1, 2));
  desktop.setAttributeOverride(id, "AXRole", 3.0);
  EXPECT_FALSE(ax.copyAttributeValue(window, "AXMinimized"));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXFullScreen"), AttributeValue(std::string("yes")));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), size(1, 2));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXRole"), AttributeValue(3.0));

  // A write still moves the window underneath an override.
  ax.setAttributeValue(window, "AXPosition", point(100, 200));
  EXPECT_EQ(desktop.frame(id), (Rect{100, 200, 400, 300}));
  desktop.clearOverrides(id);
  EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), point(100, 200));
}

TEST_F(SimAccessibilityTest, FrameWritesRespectTheMinimumSize) {
  const SimWindowId id = desktop.addWindow(notesPid, {100, 100, 800, 600});
  ElementRef window = desktop.windowElement(id);
  desktop.application(notesPid).minimumSize = SimSize{500, 400};

  struct Row {
    const char* name;
    const char* attribute;
    AttributeValue value;
    Rect expected;
  };
  const Row rows[] = {
      {"move", "AXPosition", point(0, 25), {0, 25, 800, 600}},
      {"resize above the minimum", "AXSize", size(720, 875), {0, 25, 720, 875}},
      {"width below the minimum", "AXSize", size(360, 875), {0, 25, 500, 875}},
      {"both below the minimum", "AXSize", size(100, 50), {0, 25, 500, 400}},
      {"a point where a size belongs", "AXSize", point(900, 900), {0, 25, 500, 400}},
      {"fractions kept", "AXPosition", point(0.5, 24.25), {0.5, 24.25, 500, 400}},
  };
  for (const Row& row : rows) {
    ax.setAttributeValue(window, row.attribute, row.value);
    EXPECT_EQ(desktop.frame(id), row.expected) << row.name;
  }
  // A window's own minimum wins over its application's.
  desktop.window(id).minimumSize = SimSize{200, 100};
  ax.setAttributeValue(window, "AXSize", size(150, 150));
  EXPECT_EQ(desktop.frame(id), (Rect{0.5, 24.25, 200, 150}));
}

TEST_F(SimAccessibilityTest, WindowsCloseAtAChosenMoment) {
  // After a number of calls: here between "AXPosition" and "AXSize" of a read.
  const SimWindowId counted = desktop.addWindow(notesPid, {0, 25, 400, 300});
  ElementRef countedWindow = desktop.windowElement(counted);
  desktop.closeWindowAfterCalls(counted, 1);
  EXPECT_EQ(ax.copyAttributeValue(countedWindow, "AXPosition"), point(0, 25));
  EXPECT_FALSE(desktop.window(counted).open);
  EXPECT_FALSE(ax.copyAttributeValue(countedWindow, "AXSize"));
  ax.performAction(countedWindow, "AXRaise");
  EXPECT_EQ(desktop.window(counted).raiseCount, 0);

  // Just before a chosen call, from a hook that sees every call once.
  const SimWindowId hooked = desktop.addWindow(notesPid, {100, 100, 800, 600});
  ElementRef window = desktop.windowElement(hooked);
  std::vector<std::string> seen;
  desktop.setBeforeAccessibilityCall([&](const SimCall& call) {
    seen.push_back(call.text());
    if (call.text() == "set w2 AXSize 720x875") desktop.closeWindow(hooked);
  });
  ax.setAttributeValue(window, "AXPosition", point(0, 25));
  ax.setAttributeValue(window, "AXSize", size(720, 875));
  ax.setAttributeValue(window, "AXPosition", point(0, 25));
  EXPECT_EQ(desktop.frame(hooked), (Rect{0, 25, 800, 600}));
  EXPECT_THAT(seen, ::testing::ElementsAre("set w2 AXPosition (0,25)", "set w2 AXSize 720x875",
                                           "set w2 AXPosition (0,25)"));
}

}  // namespace
}  // namespace corvella::sim
