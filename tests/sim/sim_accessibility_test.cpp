// The simulated Accessibility port: what the core's window access relies on.
#include "platform/sim/sim_accessibility.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace corvella::sim {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

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

  std::vector<std::string> calls() { return desktop.callTexts({SimPort::accessibility}); }

  SimPlatform platform;
  SimDesktop& desktop = platform.desktop;
  SimAccessibility& ax = platform.accessibility;
};

TEST_F(SimAccessibilityTest, ElementsAreEqualWhenTheyNameTheSameThing) {
  const SimWindowId first = desktop.addWindow(notesPid, {0, 25, 400, 300});
  const SimWindowId second = desktop.addWindow(notesPid, {10, 35, 400, 300});

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
  EXPECT_EQ(desktop.windowIdOf(listed[1]), second);

  // Window 1 and the application of pid 1 are different elements.
  EXPECT_FALSE(desktop.windowElement(first)->equals(*desktop.applicationElement(1)));
}

TEST_F(SimAccessibilityTest, ApplicationListsItsWindowsFrontToBackAndItsFocus) {
  ElementRef app = ax.createApplication(notesPid);
  EXPECT_EQ(ax.copyAttributeValue(app, "AXWindows"), AttributeValue(std::vector<ElementRef>{}));
  EXPECT_FALSE(ax.copyAttributeValue(app, "AXFocusedWindow"));

  const SimWindowId document = desktop.addWindow(notesPid, {0, 25, 400, 300}, "Draft");
  SimWindowSpec panelSpec;
  panelSpec.frame = {50, 60, 200, 100};
  panelSpec.subrole = "AXFloatingWindow";
  const SimWindowId panel = desktop.addWindow(notesPid, panelSpec);
  desktop.setFocusedWindow(notesPid, panel);

  ax.copyAttributeValue(app, "AXWindows");
  ax.copyAttributeValue(app, "AXFocusedWindow");
  desktop.bringToFront(panel);
  ax.copyAttributeValue(app, "AXWindows");
  EXPECT_THAT(desktop.callTexts(), ElementsAre("createApplication app7", "copy app7 AXWindows",
                                               "copy app7 AXFocusedWindow", "copy app7 AXWindows",
                                               "copy app7 AXFocusedWindow", "copy app7 AXWindows"));
  EXPECT_EQ(formatValue(*ax.copyAttributeValue(app, "AXWindows")),
            "[w" + std::to_string(panel) + ",w" + std::to_string(document) + "]");
  EXPECT_EQ(formatValue(*ax.copyAttributeValue(app, "AXFocusedWindow")),
            "w" + std::to_string(panel));
  EXPECT_EQ(ax.copyAttributeValue(desktop.windowElement(panel), "AXSubrole"),
            AttributeValue(std::string("AXFloatingWindow")));
}

TEST_F(SimAccessibilityTest, WindowAttributesReadAsTheirKinds) {
  SimWindowSpec spec;
  spec.frame = {12.5, 40, 640, 480};
  spec.title = "Draft";
  spec.minimized = true;
  const SimWindowId id = desktop.addWindow(notesPid, spec);
  ElementRef window = desktop.windowElement(id);

  EXPECT_EQ(ax.copyAttributeValue(window, "AXRole"), AttributeValue(std::string("AXWindow")));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXSubrole"),
            AttributeValue(std::string("AXStandardWindow")));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXMinimized"), AttributeValue(true));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXFullScreen"), AttributeValue(false));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), point(12.5, 40));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXSize"), size(640, 480));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXTitle"), AttributeValue(std::string("Draft")));
  EXPECT_FALSE(ax.copyAttributeValue(window, "AXNoSuchAttribute"));
}

TEST_F(SimAccessibilityTest, OverridesMakeAttributesUnreadableOrOfTheWrongKind) {
  const SimWindowId id = desktop.addWindow(notesPid, {0, 25, 400, 300});
  ElementRef window = desktop.windowElement(id);

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
  EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), size(1, 2));

  desktop.clearOverrides(id);
  EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), point(100, 200));
  EXPECT_EQ(ax.copyAttributeValue(window, "AXMinimized"), AttributeValue(false));
}

TEST_F(SimAccessibilityTest, FrameWritesMoveResizeAndRespectTheMinimumSize) {
  const SimWindowId id = desktop.addWindow(notesPid, {100, 100, 800, 600});
  ElementRef window = desktop.windowElement(id);
  desktop.application(notesPid).minimumSize = SimSize{500, 400};

  struct Row {
    const char* name;
    const char* attribute;
    AttributeValue value;
    Rect expected;
  };
  const std::vector<Row> rows = {
      {"move", "AXPosition", point(0, 25), {0, 25, 800, 600}},
      {"resize above the minimum", "AXSize", size(720, 875), {0, 25, 720, 875}},
      {"width below the minimum", "AXSize", size(360, 875), {0, 25, 500, 875}},
      {"both below the minimum", "AXSize", size(100, 50), {0, 25, 500, 400}},
      {"negative size", "AXSize", size(-10, -10), {0, 25, 500, 400}},
      {"a size where a point belongs", "AXPosition", size(9, 9), {0, 25, 500, 400}},
      {"a point where a size belongs", "AXSize", point(900, 900), {0, 25, 500, 400}},
      {"a number", "AXPosition", 5.0, {0, 25, 500, 400}},
      {"fractions kept", "AXPosition", point(0.5, 24.25), {0.5, 24.25, 500, 400}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ax.setAttributeValue(window, row.attribute, row.value);
    EXPECT_EQ(desktop.frame(id), row.expected);
  }

  // A window's own minimum wins over its application's.
  desktop.window(id).minimumSize = SimSize{200, 100};
  ax.setAttributeValue(window, "AXSize", size(150, 150));
  EXPECT_EQ(desktop.frame(id), (Rect{0.5, 24.25, 200, 150}));
}

TEST_F(SimAccessibilityTest, WindowsThatCannotMoveKeepTheirFrame) {
  const SimWindowId refusing = desktop.addWindow(notesPid, {10, 30, 300, 200});
  desktop.window(refusing).refusesFrameWrites = true;
  SimWindowSpec fullSpec;
  fullSpec.frame = {0, 0, 1440, 900};
  fullSpec.fullScreen = true;
  const SimWindowId fullScreen = desktop.addWindow(notesPid, fullSpec);
  const SimWindowId closed = desktop.addWindow(notesPid, {5, 30, 300, 200});
  desktop.closeWindow(closed);

  for (SimWindowId id : {refusing, fullScreen, closed}) {
    const Rect before = desktop.frame(id);
    ax.setAttributeValue(desktop.windowElement(id), "AXPosition", point(0, 25));
    ax.setAttributeValue(desktop.windowElement(id), "AXSize", size(720, 875));
    EXPECT_EQ(desktop.frame(id), before) << "window " << id;
  }
}

TEST_F(SimAccessibilityTest, EnhancedInterfaceIsRecordedWithEveryCallOnTheApplication) {
  const SimWindowId id = desktop.addWindow(notesPid, {0, 25, 400, 300});
  ElementRef app = ax.createApplication(notesPid);
  ElementRef window = desktop.windowElement(id);

  ax.setAttributeValue(app, "AXEnhancedUserInterface", false);
  ax.setAttributeValue(window, "AXPosition", point(0, 25));
  ax.copyAttributeValue(window, "AXSize");
  ax.setAttributeValue(app, "AXEnhancedUserInterface", true);
  ax.performAction(window, "AXRaise");
  ax.isProcessTrusted();

  EXPECT_THAT(
      desktop.callTextsWithInterfaceState({SimPort::accessibility}),
      ElementsAre("createApplication app7 eui=on", "set app7 AXEnhancedUserInterface false eui=on",
                  "set w1 AXPosition (0,25) eui=off", "copy w1 AXSize eui=off",
                  "set app7 AXEnhancedUserInterface true eui=off", "action w1 AXRaise eui=on",
                  "isProcessTrusted"));
  EXPECT_EQ(desktop.application(notesPid).enhancedUserInterface, true);
}

TEST_F(SimAccessibilityTest, AnApplicationWithoutTheEnhancedInterfaceIgnoresWritesOfIt) {
  desktop.addApplication(8, std::nullopt, std::nullopt);
  desktop.addWindow(8, {0, 25, 400, 300});
  ElementRef app = ax.createApplication(8);
  EXPECT_FALSE(ax.copyAttributeValue(app, "AXEnhancedUserInterface"));
  ax.setAttributeValue(app, "AXEnhancedUserInterface", true);
  EXPECT_FALSE(desktop.application(8).enhancedUserInterface);
  ax.setAttributeValue(app, "AXEnhancedUserInterface", std::string("true"));
  EXPECT_EQ(desktop.calls().back().textWithInterfaceState(),
            "set app8 AXEnhancedUserInterface \"true\" eui=none");
  EXPECT_FALSE(ax.copyAttributeValue(app, "AXEnhancedUserInterface"));
}

TEST_F(SimAccessibilityTest, RaiseBringsAWindowToTheFrontAndFocusesIt) {
  const SimWindowId a = desktop.addWindow(notesPid, {0, 25, 400, 300});
  const SimWindowId b = desktop.addWindow(notesPid, {0, 25, 400, 300});
  const SimWindowId c = desktop.addWindow(notesPid, {0, 25, 400, 300});

  ax.performAction(desktop.windowElement(c), "AXRaise");
  EXPECT_THAT(desktop.application(notesPid).windows, ElementsAre(c, a, b));
  EXPECT_EQ(desktop.application(notesPid).focusedWindow, c);
  EXPECT_EQ(desktop.window(c).raiseCount, 1);

  ax.performAction(desktop.windowElement(b), "AXPress");
  EXPECT_THAT(desktop.application(notesPid).windows, ElementsAre(c, a, b));
  EXPECT_EQ(desktop.calls().back().text(), "action w2 AXPress");
}

TEST_F(SimAccessibilityTest, AnElementOutlivesItsWindow) {
  const SimWindowId id = desktop.addWindow(notesPid, {0, 25, 400, 300}, "Draft");
  ElementRef window = desktop.windowElement(id);
  desktop.closeWindow(id);

  for (const char* attribute : {"AXRole", "AXPosition", "AXSize", "AXTitle", "AXMinimized"}) {
    EXPECT_FALSE(ax.copyAttributeValue(window, attribute)) << attribute;
  }
  ax.performAction(window, "AXRaise");
  EXPECT_EQ(desktop.window(id).raiseCount, 0);
  EXPECT_THAT(desktop.application(notesPid).windows, IsEmpty());
  EXPECT_FALSE(desktop.application(notesPid).focusedWindow);
  // The closed window's owner is still known, so its state is still recorded.
  EXPECT_EQ(desktop.calls().back().textWithInterfaceState(), "action w1 AXRaise eui=on");
}

TEST_F(SimAccessibilityTest, WindowsCloseAfterAChosenNumberOfCalls) {
  const SimWindowId id = desktop.addWindow(notesPid, {0, 25, 400, 300});
  ElementRef window = desktop.windowElement(id);

  // Between "AXPosition" and "AXSize" of one frame read.
  desktop.closeWindowAfterCalls(id, 1);
  EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), point(0, 25));
  EXPECT_FALSE(desktop.window(id).open);
  EXPECT_FALSE(ax.copyAttributeValue(window, "AXSize"));

  const SimWindowId other = desktop.addWindow(notesPid, {0, 25, 400, 300});
  desktop.closeWindowAfterCalls(other, 3);
  ax.isProcessTrusted();
  ax.createApplication(notesPid);
  EXPECT_TRUE(desktop.window(other).open);
  ax.setAttributeValue(desktop.windowElement(other), "AXPosition", point(5, 30));
  EXPECT_FALSE(desktop.window(other).open);
  EXPECT_EQ(desktop.frame(other), (Rect{5, 30, 400, 300})) << "the third call still landed";

  const SimWindowId now = desktop.addWindow(notesPid, {0, 25, 400, 300});
  desktop.closeWindowAfterCalls(now, 0);
  EXPECT_FALSE(desktop.window(now).open);
}

TEST_F(SimAccessibilityTest, AHookCanCloseAWindowJustBeforeAChosenCall) {
  const SimWindowId id = desktop.addWindow(notesPid, {100, 100, 800, 600});
  ElementRef window = desktop.windowElement(id);
  std::vector<std::string> seen;
  desktop.setBeforeAccessibilityCall([&](const SimCall& call) {
    seen.push_back(call.text());
    if (call.text() == "set w1 AXSize 720x875") desktop.closeWindow(id);
  });

  ax.setAttributeValue(window, "AXPosition", point(0, 25));
  ax.setAttributeValue(window, "AXSize", size(720, 875));
  ax.setAttributeValue(window, "AXPosition", point(0, 25));

  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 800, 600}));
  EXPECT_EQ(seen, calls());
}

TEST_F(SimAccessibilityTest, CallsMadeByTheHookDoNotRunItAgain) {
  const SimWindowId id = desktop.addWindow(notesPid, {0, 25, 400, 300});
  int hookRuns = 0;
  desktop.setBeforeAccessibilityCall([&](const SimCall&) {
    ++hookRuns;
    ax.copyAttributeValue(desktop.windowElement(id), "AXTitle");
  });
  ax.copyAttributeValue(desktop.windowElement(id), "AXSize");
  EXPECT_EQ(hookRuns, 1);
  EXPECT_THAT(calls(), ElementsAre("copy w1 AXTitle", "copy w1 AXSize"));
}

TEST_F(SimAccessibilityTest, WithoutTrustNothingIsReadOrWritten) {
  const SimWindowId id = desktop.addWindow(notesPid, {0, 25, 400, 300});
  desktop.setTrusted(false);
  ElementRef app = ax.createApplication(notesPid);
  EXPECT_FALSE(ax.copyAttributeValue(app, "AXWindows"));
  EXPECT_FALSE(ax.copyAttributeValue(desktop.windowElement(id), "AXPosition"));
  ax.setAttributeValue(desktop.windowElement(id), "AXPosition", point(50, 50));
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 400, 300}));

  EXPECT_FALSE(ax.isProcessTrusted());
  EXPECT_EQ(desktop.promptsShown(), 0);
  EXPECT_FALSE(ax.isProcessTrustedWithPrompt());
  EXPECT_FALSE(ax.isProcessTrustedWithPrompt());
  EXPECT_EQ(desktop.promptsShown(), 2);

  desktop.setTrusted(true);
  EXPECT_TRUE(ax.isProcessTrustedWithPrompt());
  EXPECT_EQ(desktop.promptsShown(), 2);
}

TEST_F(SimAccessibilityTest, UnresponsiveAndQuitApplicationsGiveAbsent) {
  const SimWindowId id = desktop.addWindow(notesPid, {0, 25, 400, 300});
  ElementRef app = ax.createApplication(notesPid);
  ElementRef window = desktop.windowElement(id);

  desktop.application(notesPid).unresponsive = true;
  EXPECT_FALSE(ax.copyAttributeValue(app, "AXWindows"));
  EXPECT_FALSE(ax.copyAttributeValue(window, "AXSize"));
  ax.setAttributeValue(window, "AXSize", size(10, 10));
  EXPECT_EQ(desktop.frame(id), (Rect{0, 25, 400, 300}));

  desktop.application(notesPid).unresponsive = false;
  desktop.setFrontmostApplication(notesPid);
  desktop.quitApplication(notesPid);
  EXPECT_FALSE(ax.copyAttributeValue(app, "AXWindows"));
  EXPECT_FALSE(ax.copyAttributeValue(window, "AXSize"));
  EXPECT_FALSE(desktop.frontmostApplication());
  EXPECT_FALSE(ax.copyAttributeValue(ax.createApplication(999), "AXWindows"));
}

TEST_F(SimAccessibilityTest, ValuesHaveCompactTextForms) {
  EXPECT_EQ(formatValue(point(-1920, 0)), "(-1920,0)");
  EXPECT_EQ(formatValue(size(0.5, 1e6)), "0.5x1000000");
  EXPECT_EQ(formatValue(AXGeometryValue{AXGeometryValue::Kind::other, 1, 2}), "value(1,2)");
  EXPECT_EQ(formatValue(std::string("x")), "\"x\"");
  EXPECT_EQ(formatValue(false), "false");
  EXPECT_EQ(formatValue(ElementRef{}), "null");
  EXPECT_EQ(formatNumber(-0.0), "0");
  EXPECT_EQ(formatNumber(0.1), "0.1");
  EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN()), "nan");
  EXPECT_EQ(formatFrame({-1920, 24.5, 960, 1055}), "(-1920,24.5,960,1055)");
}

TEST_F(SimAccessibilityTest, RecordingCanBeTurnedOffWhileCallsAreStillCounted) {
  desktop.setRecording(false);
  ax.createApplication(notesPid);
  platform.sound.beep();
  EXPECT_THAT(desktop.calls(), IsEmpty());
  EXPECT_EQ(desktop.callCount(), 2u);
  EXPECT_EQ(desktop.callCount(SimPort::accessibility), 1u);
  EXPECT_EQ(desktop.beeps(), 1);
  desktop.clearCalls();
  EXPECT_EQ(desktop.callCount(), 0u);
}

}  // namespace
}  // namespace corvella::sim
