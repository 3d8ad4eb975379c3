#include "core/access/window_access.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>

#include "../actions/window_manager_test_desktop.h"

namespace corvella {
namespace {

using fixtures::editorPid;
using sim::SimPort;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const Rect start{100, 100, 800, 600};
const Rect leftHalf{0, 25, 720, 875};

AttributeValue size(double width, double height) {
  return AXGeometryValue{AXGeometryValue::Kind::size, width, height};
}

class WindowAccessTest : public fixtures::DesktopTest {
 protected:
  std::vector<sim::SimWindowId> standardIds() {
    std::vector<sim::SimWindowId> result;
    for (const AXWindow& window : access.standardWindows(editorPid)) {
      result.push_back(*desktop.windowIdOf(window.element));
    }
    return result;
  }

  WindowAccess& access = manager.access();
};

TEST_F(WindowAccessTest, FocusedWindowIsWhateverTheFrontApplicationNames) {
  EXPECT_FALSE(access.focusedWindow()) << "an application without a focused window";
  desktop.setFrontmostApplication(std::nullopt);
  desktop.clearCalls();
  EXPECT_FALSE(access.focusedWindow()) << "no frontmost application";
  EXPECT_THAT(calls(), IsEmpty());

  desktop.setFrontmostApplication(editorPid);
  addWindow(start, "Draft");
  auto panelId = addFocusedPanel({});
  auto focused = access.focusedWindow();
  ASSERT_TRUE(focused);
  // Each element read hands out a fresh handle; equality looks through it and at nothing else.
  EXPECT_EQ(*focused, (AXWindow{desktop.windowElement(panelId), 8}));
  EXPECT_EQ(focused->pid, editorPid);
  // Something that is not a window element cannot be used as one.
  desktop.application(editorPid).overrides["AXFocusedWindow"] = AttributeValue{true};
  EXPECT_FALSE(access.focusedWindow());
}

TEST_F(WindowAccessTest, StandardWindowsKeepTheListOrderAndStopAtTheFirstFailedTest) {
  // Each window is asked these in turn, up to the first test it fails.
  const char* tests[] = {"AXRole",       "AXSubrole",  "AXMinimized",
                         "AXFullScreen", "AXPosition", "AXSize"};
  // attribute, value (none: unreadable), tests asked, kept.
  const std::tuple<const char*, std::optional<AttributeValue>, std::size_t, bool> rows[] = {
      {"AXTitle", std::string("plain"), 6, true},
      {"AXRole", std::string("AXSheet"), 1, false},
      {"AXSubrole", std::string("AXDialog"), 2, false},
      {"AXMinimized", true, 3, false},
      {"AXMinimized", std::nullopt, 6, true},
      {"AXFullScreen", true, 4, false},
      {"AXPosition", std::nullopt, 5, false},
      {"AXSize", size(1.0, 200), 6, false},
      {"AXSize", size(1.5, 1.5), 6, true},
  };
  std::vector<sim::SimWindowId> listed;
  for (const auto& [attribute, value, asked, kept] : rows) {
    listed.push_back(addWindow(start));
    if (value) desktop.setAttributeOverride(listed.back(), attribute, *value);
    if (!value) desktop.makeUnreadable(listed.back(), attribute);
  }
  // The list is the application's front-to-back order, not the order of creation.
  desktop.bringToFront(listed.back());
  std::rotate(listed.begin(), listed.end() - 1, listed.end());
  std::vector<sim::SimWindowId> kept;
  std::vector<std::string> expectedCalls{"createApplication app7", "copy app7 AXWindows"};
  for (sim::SimWindowId id : listed) {
    if (std::get<3>(rows[id - 1])) kept.push_back(id);
    for (std::size_t i = 0; i < std::get<2>(rows[id - 1]); ++i) {
      expectedCalls.push_back("copy w" + std::to_string(id) + " " + tests[i]);
    }
  }
  desktop.clearCalls();
  EXPECT_EQ(standardIds(), kept);
  EXPECT_EQ(calls(), expectedCalls);
}

TEST_F(WindowAccessTest, ReadFrameTakesPositionThenSizeAndZeroesAHalfOfTheWrongKind) {
  // No readable list of windows, one of the wrong kind, no such process: none.
  addWindow(start);
  desktop.application(editorPid).overrides["AXWindows"] = std::nullopt;
  EXPECT_THAT(standardIds(), IsEmpty());
  desktop.application(editorPid).overrides["AXWindows"] = AttributeValue{std::string("w1")};
  EXPECT_THAT(standardIds(), IsEmpty());
  EXPECT_THAT(access.standardWindows(99), IsEmpty());
  desktop.application(editorPid).overrides.erase("AXWindows");

  const sim::SimWindowId id = 1;  // the window above, moved
  desktop.window(id).frame = {-1920.5, 25, 720, 875.25};
  desktop.clearCalls();
  EXPECT_EQ(access.readFrame(ax(id)), (Rect{-1920.5, 25, 720, 875.25}));
  EXPECT_THAT(calls(), ElementsAre("copy w1 AXPosition", "copy w1 AXSize"));

  desktop.setAttributeOverride(id, "AXSize", std::string("big"));
  EXPECT_EQ(access.readFrame(ax(id)), (Rect{-1920.5, 25, 0, 0}));
  desktop.makeUnreadable(id, "AXSize");
  EXPECT_FALSE(access.readFrame(ax(id)));
  desktop.makeUnreadable(id, "AXPosition");
  desktop.clearCalls();
  EXPECT_FALSE(access.readFrame(ax(id)));
  EXPECT_THAT(calls(), ElementsAre("copy w1 AXPosition")) << "size is not asked";
}

TEST_F(WindowAccessTest, SetFrameSwitchesOnlyATrueEnhancedInterfaceOffAroundWritesAndReadBack) {
  desktop.application(editorPid).enhancedUserInterface = true;
  const auto window = addWindow(start);
  desktop.clearCalls();
  EXPECT_EQ(access.setFrame(ax(window), leftHalf), leftHalf);
  EXPECT_THAT(
      desktop.callTextsWithInterfaceState({SimPort::accessibility}),
      ElementsAre("createApplication app7 eui=on", "copy app7 AXEnhancedUserInterface eui=on",
                  "set app7 AXEnhancedUserInterface false eui=on",
                  "set w1 AXPosition (0,25) eui=off", "set w1 AXSize 720x875 eui=off",
                  "set w1 AXPosition (0,25) eui=off", "copy w1 AXPosition eui=off",
                  "copy w1 AXSize eui=off", "set app7 AXEnhancedUserInterface true eui=off"));
  using Arrange = std::function<void(sim::SimDesktop&, sim::SimWindowId)>;
  // name, reported, arrange, expected, switched.
  const std::tuple<const char*, std::optional<bool>, Arrange, std::optional<Rect>, bool> cases[] = {
      {"closed between position and size", true,
       [](sim::SimDesktop& d, sim::SimWindowId id) {
         d.setBeforeAccessibilityCall([&d, id](const sim::SimCall& call) {
           if (call.text() == "set w1 AXSize 720x875") d.closeWindow(id);
         });
       },
       std::nullopt, true},
      {"false", false, {}, leftHalf, false},
      {"not a boolean", true,
       [](sim::SimDesktop& d, sim::SimWindowId) {
         d.application(editorPid).overrides["AXEnhancedUserInterface"] =
             AttributeValue{std::string("true")};
       },
       leftHalf, false},
  };
  const std::vector<std::string> offAndOn{"set app7 AXEnhancedUserInterface false eui=on",
                                          "set app7 AXEnhancedUserInterface true eui=off"};
  for (const auto& [name, reported, arrange, expected, switched] : cases) {
    SCOPED_TRACE(name);
    fixtures::DesktopHarness fresh;
    fresh.desktop.application(editorPid).enhancedUserInterface = reported;
    auto id = fresh.addWindow(start);
    if (arrange) arrange(fresh.desktop, id);
    fresh.desktop.clearCalls();

    EXPECT_EQ(fresh.manager.access().setFrame(fresh.ax(id), leftHalf), expected);
    std::vector<std::string> switches;
    for (const std::string& call :
         fresh.desktop.callTextsWithInterfaceState({SimPort::accessibility})) {
      if (call.starts_with("set app7")) switches.push_back(call);
    }
    EXPECT_EQ(switches, switched ? offAndOn : std::vector<std::string>{});
  }
  // Nothing that is not finite is written; raise asks the window.
  desktop.clearCalls();
  EXPECT_FALSE(
      access.setFrame(ax(window), {std::numeric_limits<double>::quiet_NaN(), 25, 720, 875}));
  EXPECT_FALSE(access.setFrame(ax(window), {0, 25, std::numeric_limits<double>::infinity(), 875}));
  access.raise(ax(window));
  EXPECT_THAT(calls(), ElementsAre("action w1 AXRaise"));
}

}  // namespace
}  // namespace corvella
