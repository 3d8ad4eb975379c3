#include "core/access/window_access.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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
const Rect start{100, 100, 800, 600};
const Rect leftHalf{0, 25, 720, 875};

class WindowAccessTest : public ::testing::Test {
 protected:
  WindowAccessTest() { desktop.addApplication(editorPid, "Editor"); }

  AXWindow ax(sim::SimWindowId id) { return {desktop.windowElement(id), editorPid}; }
  std::vector<std::string> calls() { return desktop.callTexts({SimPort::accessibility}); }
  std::vector<sim::SimWindowId> standardIds() {
    std::vector<sim::SimWindowId> result;
    for (const AXWindow& window : access.standardWindows(editorPid)) {
      result.push_back(*desktop.windowIdOf(window.element));
    }
    return result;
  }
  sim::SimWindowId addPanel() {
    sim::SimWindowSpec panel;
    panel.frame = {50, 50, 200, 100};
    panel.subrole = "AXFloatingWindow";
    return desktop.addWindow(editorPid, panel);
  }

  sim::SimPlatform platform;
  sim::SimDesktop& desktop = platform.desktop;
  WindowAccess access{platform.accessibility, platform.workspace};
};

TEST_F(WindowAccessTest, TypedReadsAcceptOnlyTheirKindAndMakeOneCopyEach) {
  auto id = desktop.addWindow(editorPid, Rect{0, 0, 100, 100}, "Draft");
  ElementRef element = desktop.windowElement(id);
  const struct {
    const char* name;
    AttributeValue value;
    bool asString, asBool, asElements, asElement;
  } rows[] = {
      {"string", std::string("Draft"), true, false, false, false},
      {"bool", true, false, true, false, false},
      {"number", 1.0, false, false, false, false},
      {"element", element, false, false, false, true},
      {"list", std::vector<ElementRef>{element}, false, false, true, false},
      {"geometry", AXGeometryValue{AXGeometryValue::Kind::point, 1, 2}, false, false, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    desktop.setAttributeOverride(id, "AXCustom", row.value);
    desktop.clearCalls();
    EXPECT_EQ(access.stringAttribute("AXCustom", element).has_value(), row.asString);
    EXPECT_EQ(access.boolAttribute("AXCustom", element).has_value(), row.asBool);
    EXPECT_EQ(access.elementsAttribute("AXCustom", element).has_value(), row.asElements);
    EXPECT_EQ(access.elementAttribute("AXCustom", element).has_value(), row.asElement);
    EXPECT_EQ(access.valueAttribute("AXCustom", element), row.value) << "taken as it comes";
    EXPECT_EQ(desktop.callCount(SimPort::accessibility), 5u);
  }
  EXPECT_EQ(access.stringAttribute("AXTitle", element), "Draft");
  EXPECT_EQ(access.boolAttribute("AXMinimized", element), false);
}

TEST_F(WindowAccessTest, WindowsWithTheSameElementAreEqualWhateverTheirProcess) {
  auto first = desktop.addWindow(editorPid, start);
  auto second = desktop.addWindow(editorPid, start);
  // Each element read hands out a fresh handle; equality must look through it.
  EXPECT_EQ((AXWindow{desktop.windowElement(first), 7}),
            (AXWindow{desktop.windowElement(first), 8}));
  EXPECT_FALSE((AXWindow{desktop.windowElement(first), 7}) ==
               (AXWindow{desktop.windowElement(second), 7}));
}

TEST_F(WindowAccessTest, FocusedWindowIsWhateverTheFrontApplicationNames) {
  EXPECT_FALSE(access.focusedWindow()) << "no frontmost application";
  EXPECT_THAT(calls(), IsEmpty());
  desktop.setFrontmostApplication(editorPid);
  EXPECT_FALSE(access.focusedWindow()) << "an application without a focused window";

  desktop.addWindow(editorPid, start, "Draft");
  auto panel = addPanel();
  desktop.setFocusedWindow(editorPid, panel);
  desktop.clearCalls();
  auto focused = access.focusedWindow();
  ASSERT_TRUE(focused);
  EXPECT_EQ(desktop.windowIdOf(focused->element), panel);
  EXPECT_EQ(focused->pid, editorPid);
  EXPECT_THAT(calls(), ElementsAre("createApplication app7", "copy app7 AXFocusedWindow"));
}

TEST_F(WindowAccessTest, StandardWindowsKeepTheListOrderAndStopAtTheFirstFailedTest) {
  const auto set = [this](std::string_view name, AttributeValue value) {
    return
        [this, name, value](sim::SimWindowId id) { desktop.setAttributeOverride(id, name, value); };
  };
  const auto unreadable = [this](std::string_view name) {
    return [this, name](sim::SimWindowId id) { desktop.makeUnreadable(id, name); };
  };
  const auto size = [](double width, double height) {
    return AttributeValue{AXGeometryValue{AXGeometryValue::Kind::size, width, height}};
  };
  // Each window is asked these in turn, up to the first test it fails.
  const char* tests[] = {"AXRole",       "AXSubrole",  "AXMinimized",
                         "AXFullScreen", "AXPosition", "AXSize"};
  const struct {
    std::function<void(sim::SimWindowId)> arrange;
    std::size_t asked;
    bool kept;
  } rows[] = {
      {[](sim::SimWindowId) {}, 6, true},
      {set("AXRole", true), 1, false},
      {set("AXRole", std::string("AXSheet")), 1, false},
      {set("AXSubrole", std::string("AXDialog")), 2, false},
      {unreadable("AXSubrole"), 2, false},
      {set("AXMinimized", true), 3, false},
      {unreadable("AXMinimized"), 6, true},
      {set("AXMinimized", std::string("yes")), 6, true},
      {set("AXFullScreen", true), 4, false},
      {unreadable("AXFullScreen"), 6, true},
      {unreadable("AXPosition"), 5, false},
      {set("AXSize", size(1.0, 200)), 6, false},
      {set("AXSize", size(200, 1.0)), 6, false},
      {set("AXSize", size(1.5, 1.5)), 6, true},
  };
  std::vector<sim::SimWindowId> listed;
  for (const auto& row : rows) {
    listed.push_back(desktop.addWindow(editorPid, start));
    row.arrange(listed.back());
  }
  // The list is the application's front-to-back order, not the order of creation.
  desktop.bringToFront(listed.back());
  std::rotate(listed.begin(), listed.end() - 1, listed.end());
  std::vector<sim::SimWindowId> kept;
  std::vector<std::string> expectedCalls{"createApplication app7", "copy app7 AXWindows"};
  for (sim::SimWindowId id : listed) {
    const auto& row = rows[id - 1];
    if (row.kept) kept.push_back(id);
    for (std::size_t i = 0; i < row.asked; ++i) {
      expectedCalls.push_back("copy w" + std::to_string(id) + " " + tests[i]);
    }
  }
  desktop.clearCalls();
  EXPECT_EQ(standardIds(), kept);
  EXPECT_EQ(calls(), expectedCalls);
}

TEST_F(WindowAccessTest, AnApplicationWithoutWindowsGivesAnEmptyList) {
  EXPECT_THAT(standardIds(), IsEmpty());
  desktop.application(editorPid).overrides["AXWindows"] = std::nullopt;
  desktop.addWindow(editorPid, start);
  EXPECT_THAT(standardIds(), IsEmpty()) << "unreadable list";
  desktop.application(editorPid).overrides["AXWindows"] = AttributeValue{std::string("w1")};
  EXPECT_THAT(standardIds(), IsEmpty()) << "list of the wrong kind";
  EXPECT_THAT(access.standardWindows(99), IsEmpty()) << "no such process";
}

TEST_F(WindowAccessTest, ReadFrameTakesPositionThenSizeAndZeroesAHalfOfTheWrongKind) {
  auto id = desktop.addWindow(editorPid, Rect{-1920.5, 25, 720, 875.25});
  desktop.clearCalls();
  EXPECT_EQ(access.readFrame(ax(id)), (Rect{-1920.5, 25, 720, 875.25}));
  EXPECT_THAT(calls(), ElementsAre("copy w1 AXPosition", "copy w1 AXSize"));

  desktop.setAttributeOverride(id, "AXPosition",
                               AXGeometryValue{AXGeometryValue::Kind::size, 5, 6});
  EXPECT_EQ(access.readFrame(ax(id)), (Rect{0, 0, 720, 875.25}));
  desktop.clearOverrides(id);
  desktop.setAttributeOverride(id, "AXSize", std::string("big"));
  EXPECT_EQ(access.readFrame(ax(id)), (Rect{-1920.5, 25, 0, 0}));

  desktop.clearOverrides(id);
  desktop.makeUnreadable(id, "AXSize");
  EXPECT_FALSE(access.readFrame(ax(id)));
  desktop.clearOverrides(id);
  desktop.makeUnreadable(id, "AXPosition");
  desktop.clearCalls();
  EXPECT_FALSE(access.readFrame(ax(id)));
  EXPECT_THAT(calls(), ElementsAre("copy w1 AXPosition")) << "size is not asked";
}

TEST_F(WindowAccessTest, SetFrameSwitchesTheEnhancedInterfaceOffAroundWritesAndReadBack) {
  desktop.addApplication(editorPid, "Editor", true);
  auto id = desktop.addWindow(editorPid, start);
  desktop.clearCalls();

  EXPECT_EQ(access.setFrame(ax(id), leftHalf), leftHalf);
  EXPECT_THAT(
      desktop.callTextsWithInterfaceState({SimPort::accessibility}),
      ElementsAre("createApplication app7 eui=on", "copy app7 AXEnhancedUserInterface eui=on",
                  "set app7 AXEnhancedUserInterface false eui=on",
                  "set w1 AXPosition (0,25) eui=off", "set w1 AXSize 720x875 eui=off",
                  "set w1 AXPosition (0,25) eui=off", "copy w1 AXPosition eui=off",
                  "copy w1 AXSize eui=off", "set app7 AXEnhancedUserInterface true eui=off"));
  EXPECT_EQ(desktop.application(editorPid).enhancedUserInterface, true);
}

TEST_F(WindowAccessTest, SetFrameSwitchesOnlyATrueEnhancedInterfaceAndAlwaysBack) {
  using Arrange = std::function<void(sim::SimDesktop&, sim::SimWindowId)>;
  const Arrange nothing = [](sim::SimDesktop&, sim::SimWindowId) {};
  const struct {
    const char* name;
    std::optional<bool> reported;
    Arrange arrange;
    std::optional<Rect> expected;
    bool switched;
  } cases[] = {
      {"refused writes", true,
       [](sim::SimDesktop& d, sim::SimWindowId id) { d.window(id).refusesFrameWrites = true; },
       start, true},
      {"unreadable size", true,
       [](sim::SimDesktop& d, sim::SimWindowId id) { d.makeUnreadable(id, "AXSize"); },
       std::nullopt, true},
      {"closed between position and size", true,
       [](sim::SimDesktop& d, sim::SimWindowId id) {
         d.setBeforeAccessibilityCall([&d, id](const sim::SimCall& call) {
           if (call.attribute == "AXSize" && call.operation == "set") d.closeWindow(id);
         });
       },
       std::nullopt, true},
      {"false", false, nothing, leftHalf, false},
      {"not reported", std::nullopt, nothing, leftHalf, false},
      {"not a boolean", true,
       [](sim::SimDesktop& d, sim::SimWindowId) {
         d.application(editorPid).overrides["AXEnhancedUserInterface"] =
             AttributeValue{std::string("true")};
       },
       leftHalf, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    desktop.addApplication(editorPid, "Editor", c.reported);
    desktop.setBeforeAccessibilityCall({});
    auto id = desktop.addWindow(editorPid, start);
    c.arrange(desktop, id);
    desktop.clearCalls();

    EXPECT_EQ(access.setFrame(ax(id), leftHalf), c.expected);
    std::vector<std::string> switches;
    int windowCalls = 0;
    for (const std::string& call : desktop.callTextsWithInterfaceState({SimPort::accessibility})) {
      if (call.starts_with("set app7 AXEnhancedUserInterface")) switches.push_back(call);
      if (!call.starts_with("set w") && !call.starts_with("copy w")) continue;
      ++windowCalls;
      if (c.switched) {
        EXPECT_THAT(call, ::testing::EndsWith("eui=off"));
      }
    }
    EXPECT_GE(windowCalls, 4) << "three writes and a read-back";
    const std::vector<std::string> offAndOn{"set app7 AXEnhancedUserInterface false eui=on",
                                            "set app7 AXEnhancedUserInterface true eui=off"};
    EXPECT_EQ(switches, c.switched ? offAndOn : std::vector<std::string>{});
  }
}

TEST_F(WindowAccessTest, SetFrameWritesNothingThatIsNotFiniteAndRaiseAsksTheWindow) {
  auto id = desktop.addWindow(editorPid, start);
  desktop.clearCalls();
  EXPECT_FALSE(access.setFrame(ax(id), {std::numeric_limits<double>::quiet_NaN(), 25, 720, 875}));
  EXPECT_FALSE(access.setFrame(ax(id), {0, 25, std::numeric_limits<double>::infinity(), 875}));
  access.raise(ax(id));
  EXPECT_THAT(calls(), ElementsAre("action w1 AXRaise"));
  EXPECT_EQ(desktop.frame(id), start);
}

}  // namespace
}  // namespace corvella
