#include "core/access/window_access.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

using sim::SimPort;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr ProcessID editorPid = 7;

class WindowAccessTest : public ::testing::Test {
 protected:
  WindowAccessTest() { desktop.addApplication(editorPid, "Editor"); }

  AXWindow axWindow(sim::SimWindowId id) { return {desktop.windowElement(id), editorPid}; }
  std::vector<std::string> accessibilityCalls() {
    return desktop.callTexts({SimPort::accessibility});
  }
  std::vector<std::string> callsWithInterfaceState() {
    return desktop.callTextsWithInterfaceState({SimPort::accessibility});
  }
  std::vector<sim::SimWindowId> ids(const std::vector<AXWindow>& windows) {
    std::vector<sim::SimWindowId> result;
    for (const AXWindow& window : windows) result.push_back(*desktop.windowIdOf(window.element));
    return result;
  }

  sim::SimPlatform platform;
  sim::SimDesktop& desktop = platform.desktop;
  WindowAccess access{platform.accessibility, platform.workspace};
};

// --- Typed reads ------------------------------------------------------------

TEST_F(WindowAccessTest, TypedReadsAcceptOnlyTheirKindAndMakeOneCopyEach) {
  auto id = desktop.addWindow(editorPid, Rect{0, 0, 100, 100}, "Draft");
  ElementRef element = desktop.windowElement(id);
  const AttributeValue point{AXGeometryValue{AXGeometryValue::Kind::point, 1, 2}};

  struct Row {
    const char* name;
    AttributeValue value;
    bool asString, asBool, asElements, asElement;
  };
  const std::vector<Row> rows = {
      {"string", std::string("Draft"), true, false, false, false},
      {"bool", true, false, true, false, false},
      {"number", 1.0, false, false, false, false},
      {"element", desktop.windowElement(id), false, false, false, true},
      {"list", std::vector<ElementRef>{desktop.windowElement(id)}, false, false, true, false},
      {"geometry", point, false, false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    desktop.setAttributeOverride(id, "AXCustom", row.value);
    desktop.clearCalls();
    EXPECT_EQ(access.stringAttribute("AXCustom", element).has_value(), row.asString);
    EXPECT_EQ(access.boolAttribute("AXCustom", element).has_value(), row.asBool);
    EXPECT_EQ(access.elementsAttribute("AXCustom", element).has_value(), row.asElements);
    EXPECT_EQ(access.elementAttribute("AXCustom", element).has_value(), row.asElement);
    // The value read takes whatever comes.
    EXPECT_EQ(access.valueAttribute("AXCustom", element), row.value);
    EXPECT_EQ(desktop.callCount(SimPort::accessibility), 5u);
  }

  desktop.makeUnreadable(id, "AXCustom");
  EXPECT_FALSE(access.stringAttribute("AXCustom", element));
  EXPECT_FALSE(access.boolAttribute("AXCustom", element));
  EXPECT_FALSE(access.valueAttribute("AXCustom", element));
  EXPECT_EQ(access.stringAttribute("AXTitle", element), "Draft");
  EXPECT_EQ(access.boolAttribute("AXMinimized", element), false);
}

TEST_F(WindowAccessTest, WindowsWithTheSameElementAreEqualWhateverTheirProcess) {
  auto first = desktop.addWindow(editorPid, Rect{0, 0, 100, 100});
  auto second = desktop.addWindow(editorPid, Rect{0, 0, 100, 100});
  // Each element read hands out a fresh handle; equality must look through it.
  EXPECT_EQ((AXWindow{desktop.windowElement(first), 7}),
            (AXWindow{desktop.windowElement(first), 8}));
  EXPECT_FALSE((AXWindow{desktop.windowElement(first), 7}) ==
               (AXWindow{desktop.windowElement(second), 7}));
}

// --- focusedWindow ----------------------------------------------------------

TEST_F(WindowAccessTest, FocusedWindowIsWhateverTheFrontApplicationNames) {
  EXPECT_FALSE(access.focusedWindow()) << "no frontmost application";
  EXPECT_THAT(accessibilityCalls(), IsEmpty());

  desktop.setFrontmostApplication(editorPid);
  EXPECT_FALSE(access.focusedWindow()) << "an application without a focused window";

  desktop.addWindow(editorPid, Rect{0, 0, 500, 400}, "Draft");
  sim::SimWindowSpec panel;
  panel.frame = {50, 50, 200, 100};
  panel.subrole = "AXFloatingWindow";
  auto panelId = desktop.addWindow(editorPid, panel);
  desktop.setFocusedWindow(editorPid, panelId);
  desktop.clearCalls();

  auto focused = access.focusedWindow();
  ASSERT_TRUE(focused);
  EXPECT_EQ(desktop.windowIdOf(focused->element), panelId);
  EXPECT_EQ(focused->pid, editorPid);
  EXPECT_THAT(accessibilityCalls(),
              ElementsAre("createApplication app7", "copy app7 AXFocusedWindow"));
}

// --- standardWindows --------------------------------------------------------

TEST_F(WindowAccessTest, StandardWindowsKeepTheApplicationsOrderAndDropTheRest) {
  auto plain = desktop.addWindow(editorPid, Rect{0, 0, 500, 400});
  auto unreadableMinimized = desktop.addWindow(editorPid, Rect{10, 10, 300, 200});
  desktop.makeUnreadable(unreadableMinimized, "AXMinimized");
  auto unreadableFullScreen = desktop.addWindow(editorPid, Rect{10, 10, 300, 200});
  desktop.makeUnreadable(unreadableFullScreen, "AXFullScreen");
  auto minimizedNotBool = desktop.addWindow(editorPid, Rect{10, 10, 300, 200});
  desktop.setAttributeOverride(minimizedNotBool, "AXMinimized", std::string("yes"));
  // Dropped: a role that is no text, no subrole, one point wide or high.
  desktop.setAttributeOverride(desktop.addWindow(editorPid, Rect{10, 10, 300, 200}), "AXRole",
                               true);
  desktop.makeUnreadable(desktop.addWindow(editorPid, Rect{10, 10, 300, 200}), "AXSubrole");
  desktop.addWindow(editorPid, Rect{10, 10, 1.0, 200});
  desktop.addWindow(editorPid, Rect{10, 10, 200, 1.0});
  auto justBigEnough = desktop.addWindow(editorPid, Rect{10, 10, 1.5, 1.5});
  desktop.bringToFront(justBigEnough);

  EXPECT_THAT(ids(access.standardWindows(editorPid)),
              ElementsAre(justBigEnough, plain, unreadableMinimized, unreadableFullScreen,
                          minimizedNotBool));
}

TEST_F(WindowAccessTest, StandardWindowTestsStopAtTheFirstThatFails) {
  sim::SimWindowSpec spec;
  spec.frame = {0, 0, 500, 400};
  spec.role = "AXSheet";
  desktop.addWindow(editorPid, spec);  // w1: fails the role
  spec.role = "AXWindow";
  spec.subrole = "AXDialog";
  desktop.addWindow(editorPid, spec);  // w2: fails the subrole
  spec.subrole = "AXStandardWindow";
  spec.minimized = true;
  desktop.addWindow(editorPid, spec);  // w3: minimized
  spec.minimized = false;
  spec.fullScreen = true;
  desktop.addWindow(editorPid, spec);  // w4: full screen
  spec.fullScreen = false;
  auto w5 = desktop.addWindow(editorPid, spec);  // w5: no position
  desktop.makeUnreadable(w5, "AXPosition");
  desktop.addWindow(editorPid, spec);  // w6: kept
  desktop.clearCalls();

  EXPECT_EQ(access.standardWindows(editorPid).size(), 1u);
  EXPECT_THAT(accessibilityCalls(),
              ElementsAre("createApplication app7", "copy app7 AXWindows",  //
                          "copy w1 AXRole",                                 //
                          "copy w2 AXRole", "copy w2 AXSubrole",            //
                          "copy w3 AXRole", "copy w3 AXSubrole", "copy w3 AXMinimized",
                          "copy w4 AXRole", "copy w4 AXSubrole", "copy w4 AXMinimized",
                          "copy w4 AXFullScreen",  //
                          "copy w5 AXRole", "copy w5 AXSubrole", "copy w5 AXMinimized",
                          "copy w5 AXFullScreen", "copy w5 AXPosition",  //
                          "copy w6 AXRole", "copy w6 AXSubrole", "copy w6 AXMinimized",
                          "copy w6 AXFullScreen", "copy w6 AXPosition", "copy w6 AXSize"));
}

TEST_F(WindowAccessTest, AnApplicationWithoutWindowsGivesAnEmptyList) {
  EXPECT_THAT(access.standardWindows(editorPid), IsEmpty());
  desktop.application(editorPid).overrides["AXWindows"] = std::nullopt;
  desktop.addWindow(editorPid, Rect{0, 0, 500, 400});
  EXPECT_THAT(access.standardWindows(editorPid), IsEmpty()) << "unreadable list";
  desktop.application(editorPid).overrides["AXWindows"] = AttributeValue{std::string("w1")};
  EXPECT_THAT(access.standardWindows(editorPid), IsEmpty()) << "list of the wrong kind";
  EXPECT_THAT(access.standardWindows(99), IsEmpty()) << "no such process";
}

// --- readFrame --------------------------------------------------------------

TEST_F(WindowAccessTest, ReadFrameTakesPositionThenSizeAndZeroesAHalfOfTheWrongKind) {
  auto id = desktop.addWindow(editorPid, Rect{-1920.5, 25, 720, 875.25});
  desktop.clearCalls();
  EXPECT_EQ(access.readFrame(axWindow(id)), (Rect{-1920.5, 25, 720, 875.25}));
  EXPECT_THAT(accessibilityCalls(), ElementsAre("copy w1 AXPosition", "copy w1 AXSize"));

  desktop.setAttributeOverride(id, "AXPosition",
                               AXGeometryValue{AXGeometryValue::Kind::size, 5, 6});
  EXPECT_EQ(access.readFrame(axWindow(id)), (Rect{0, 0, 720, 875.25}));
  desktop.clearOverrides(id);
  desktop.setAttributeOverride(id, "AXSize", std::string("big"));
  EXPECT_EQ(access.readFrame(axWindow(id)), (Rect{-1920.5, 25, 0, 0}));
}

TEST_F(WindowAccessTest, ReadFrameGivesNoneWhenEitherHalfIsUnreadable) {
  auto id = desktop.addWindow(editorPid, Rect{100, 200, 300, 400});
  desktop.makeUnreadable(id, "AXPosition");
  desktop.clearCalls();
  EXPECT_FALSE(access.readFrame(axWindow(id)));
  EXPECT_THAT(accessibilityCalls(), ElementsAre("copy w1 AXPosition")) << "size is not asked";
  desktop.clearOverrides(id);
  desktop.makeUnreadable(id, "AXSize");
  EXPECT_FALSE(access.readFrame(axWindow(id)));
}

// --- setFrame ---------------------------------------------------------------

TEST_F(WindowAccessTest, SetFrameSwitchesTheEnhancedInterfaceOffAroundWritesAndReadBack) {
  desktop.addApplication(editorPid, "Editor", true);
  auto id = desktop.addWindow(editorPid, Rect{100, 100, 800, 600});
  desktop.clearCalls();

  EXPECT_EQ(access.setFrame(axWindow(id), {0, 25, 720, 875}), (Rect{0, 25, 720, 875}));
  EXPECT_THAT(
      callsWithInterfaceState(),
      ElementsAre("createApplication app7 eui=on", "copy app7 AXEnhancedUserInterface eui=on",
                  "set app7 AXEnhancedUserInterface false eui=on",
                  "set w1 AXPosition (0,25) eui=off", "set w1 AXSize 720x875 eui=off",
                  "set w1 AXPosition (0,25) eui=off", "copy w1 AXPosition eui=off",
                  "copy w1 AXSize eui=off", "set app7 AXEnhancedUserInterface true eui=off"));
  EXPECT_EQ(desktop.application(editorPid).enhancedUserInterface, true);
}

TEST_F(WindowAccessTest, SetFrameRestoresTheEnhancedInterfaceWhenWritesFailOrNothingComesBack) {
  struct Case {
    const char* name;
    std::function<void(sim::SimDesktop&, sim::SimWindowId)> arrange;
    std::optional<Rect> expected;
  };
  const std::vector<Case> cases = {
      {"refused writes",
       [](sim::SimDesktop& d, sim::SimWindowId id) { d.window(id).refusesFrameWrites = true; },
       Rect{100, 100, 800, 600}},
      {"unreadable size",
       [](sim::SimDesktop& d, sim::SimWindowId id) { d.makeUnreadable(id, "AXSize"); },
       std::nullopt},
      {"closed between position and size",
       [](sim::SimDesktop& d, sim::SimWindowId id) {
         d.setBeforeAccessibilityCall([&d, id](const sim::SimCall& call) {
           if (call.attribute == "AXSize" && call.operation == "set") d.closeWindow(id);
         });
       },
       std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    desktop.addApplication(editorPid, "Editor", true);
    desktop.setBeforeAccessibilityCall({});
    auto id = desktop.addWindow(editorPid, Rect{100, 100, 800, 600});
    c.arrange(desktop, id);
    desktop.clearCalls();

    EXPECT_EQ(access.setFrame(axWindow(id), {0, 25, 720, 875}), c.expected);
    // The read-back stops early when the position cannot be read.
    auto calls = callsWithInterfaceState();
    ASSERT_GE(calls.size(), 8u);
    EXPECT_EQ(calls[2], "set app7 AXEnhancedUserInterface false eui=on");
    for (std::size_t i = 3; i + 1 < calls.size(); ++i) {
      EXPECT_THAT(calls[i], ::testing::EndsWith("eui=off")) << calls[i];
    }
    EXPECT_EQ(calls.back(), "set app7 AXEnhancedUserInterface true eui=off");
    EXPECT_EQ(desktop.application(editorPid).enhancedUserInterface, true);
  }
}

TEST_F(WindowAccessTest, SetFrameLeavesTheEnhancedInterfaceAloneUnlessItIsTrue) {
  struct Case {
    const char* name;
    std::optional<bool> reported;
    std::optional<AttributeValue> override;
  };
  const std::vector<Case> cases = {
      {"false", false, std::nullopt},
      {"not reported", std::nullopt, std::nullopt},
      {"not a boolean", true, AttributeValue{std::string("true")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    desktop.addApplication(editorPid, "Editor", c.reported);
    if (c.override)
      desktop.application(editorPid).overrides["AXEnhancedUserInterface"] = *c.override;
    auto id = desktop.addWindow(editorPid, Rect{100, 100, 800, 600});
    desktop.clearCalls();
    access.setFrame(axWindow(id), {0, 25, 720, 875});
    const std::string w = "w" + std::to_string(id);
    EXPECT_THAT(accessibilityCalls(),
                ElementsAre("createApplication app7", "copy app7 AXEnhancedUserInterface",
                            "set " + w + " AXPosition (0,25)", "set " + w + " AXSize 720x875",
                            "set " + w + " AXPosition (0,25)", "copy " + w + " AXPosition",
                            "copy " + w + " AXSize"));
  }
}

TEST_F(WindowAccessTest, SetFrameWritesNothingThatIsNotFinite) {
  auto id = desktop.addWindow(editorPid, Rect{100, 100, 800, 600});
  desktop.clearCalls();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(access.setFrame(axWindow(id), {nan, 25, 720, 875}));
  EXPECT_FALSE(access.setFrame(axWindow(id), {0, 25, inf, 875}));
  EXPECT_THAT(accessibilityCalls(), IsEmpty());
  EXPECT_EQ(desktop.frame(id), (Rect{100, 100, 800, 600}));
}

}  // namespace
}  // namespace corvella
