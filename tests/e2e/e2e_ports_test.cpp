#include <variant>

#include "in_process_platform.h"
#include "platform/x11/x11_elements.h"
#include "platform/x11/x11_platform.h"

namespace corvella::e2e {
namespace {

class PortsTest : public InProcessDesktopTest {
 protected:
  // Each read is a piece of work of its own, as each action is in the program.
  std::optional<AttributeValue> attribute(xcb_window_t window, std::string_view name) {
    auto value = platform->services().accessibility.copyAttributeValue(
        std::make_shared<x11::X11WindowElement>(window), name);
    platform->finishWork();
    return value;
  }
  std::optional<RunningApplication> frontmost() {
    auto front = platform->services().workspace.frontmostApplication();
    platform->finishWork();
    return front;
  }
  std::optional<AttributeValue> applicationAttribute(ProcessID pid, std::string_view name) {
    auto& accessibility = platform->services().accessibility;
    auto value = accessibility.copyAttributeValue(accessibility.createApplication(pid), name);
    platform->finishWork();
    return value;
  }
  static xcb_window_t windowOf(const AttributeValue& value) {
    return dynamic_cast<const x11::X11WindowElement&>(*std::get<ElementRef>(value)).window();
  }
};

TEST_F(PortsTest, WindowsApplicationsAndKeyNamesReadThroughThePorts) {
  ChildProcess* client = session->startTestClient(
      {"title=Main;size=400x300;at=100,100", "title=Dialog;size=200x100;at=150,150;type=DIALOG",
       "title=Tool;size=200x100;at=200,200;type=UTILITY",
       "title=Note;size=200x100;at=250,250;transient",
       "title=Splash;size=200x100;at=300,300;type=SPLASH"});
  ASSERT_NE(client, nullptr) << session->why();
  const char* titles[] = {"Main", "Dialog", "Tool", "Note", "Splash"};
  const char* subroles[] = {"AXStandardWindow", "AXDialog", "AXFloatingWindow", "AXDialog",
                            "AXUnknown"};
  const auto text = [](const char* value) { return AttributeValue(std::string(value)); };
  const auto geometry = [](AXGeometryValue::Kind kind, int a, int b) {
    return AttributeValue(AXGeometryValue{kind, double(a), double(b)});
  };
  using enum AXGeometryValue::Kind;
  for (int i = 0; i < 5; ++i) {
    const xcb_window_t window = *session->windowTitled(titles[i]);
    const Frame f = *session->outerFrame(window);  // the outer frame, as the server reports it
    EXPECT_EQ(attribute(window, "AXRole"), text("AXWindow")) << titles[i];
    EXPECT_EQ(attribute(window, "AXSubrole"), text(subroles[i])) << titles[i];
    EXPECT_EQ(attribute(window, "AXTitle"), text(titles[i]));
    EXPECT_EQ(attribute(window, "AXMinimized"), AttributeValue(false)) << titles[i];
    EXPECT_EQ(attribute(window, "AXFullScreen"), AttributeValue(false)) << titles[i];
    EXPECT_FALSE(attribute(window, "AXEnhancedUserInterface").has_value());
    EXPECT_EQ(attribute(window, "AXPosition"), geometry(point, f.x, f.y)) << titles[i];
    EXPECT_EQ(attribute(window, "AXSize"), geometry(size, f.width, f.height)) << titles[i];
  }

  // The focused window belongs to its own application only.
  const xcb_window_t main = *session->windowTitled("Main");
  ASSERT_TRUE(session->activate(main));
  const auto front = frontmost();
  ASSERT_TRUE(front.has_value());
  EXPECT_EQ(front->localizedName, "TestClient");
  const ProcessID application = front->processIdentifier;
  EXPECT_EQ(windowOf(applicationAttribute(application, "AXFocusedWindow").value()), main);
  EXPECT_FALSE(applicationAttribute(application + 100000, "AXFocusedWindow").has_value());
  EXPECT_EQ(frontmost(), front) << "the same application keeps its number";

  // Minimized (IconicState) as a pager asks; its new _NET_WM_STATE wakes the wait.
  const xcb_window_t tool = *session->windowTitled("Tool");
  const std::uint32_t properties = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(session->xcb(), tool, XCB_CW_EVENT_MASK, &properties);
  session->sendToRoot(tool, "WM_CHANGE_STATE", {3});
  EXPECT_TRUE(
      session->waitUntil([&] { return attribute(tool, "AXMinimized") == AttributeValue(true); }));

  // A window that is gone reads as absent everywhere.
  const pid_t pid = client->pid();
  client->stop(SIGKILL);
  ASSERT_TRUE(session->waitUntil([&] { return session->managedWindowsOf(pid).empty(); }));
  for (const char* name : {"AXRole", "AXSubrole", "AXMinimized", "AXPosition", "AXTitle"}) {
    EXPECT_FALSE(attribute(main, name).has_value()) << name;
  }
  EXPECT_EQ(applicationAttribute(application, "AXWindows"),
            AttributeValue(std::vector<ElementRef>{}));

  // An application's windows come front to back, without its docks.
  ASSERT_NE(session->startTestClient({"title=Back;size=300x200;at=100,100",
                                      "title=Front;size=300x200;at=500,100",
                                      "title=Panel;size=1440x30;at=0,0;type=DOCK"}),
            nullptr)
      << session->why();
  ASSERT_TRUE(session->activate(*session->windowTitled("Back")));
  ASSERT_TRUE(session->activate(*session->windowTitled("Front")));
  const auto windows = applicationAttribute(frontmost().value().processIdentifier, "AXWindows");
  std::vector<xcb_window_t> order;
  for (const ElementRef& window : std::get<std::vector<ElementRef>>(windows.value())) {
    order.push_back(windowOf(window));
  }
  EXPECT_EQ(order, (std::vector{*session->windowTitled("Front"), *session->windowTitled("Back")}));

  auto& layout = platform->services().keyboardLayout;
  // Key names follow the layout: arrows name no text; 52 is no key at all.
  const std::pair<std::uint16_t, std::optional<std::string>> names[] = {
      {6, "z"}, {49, " "}, {123, std::nullopt}, {52, std::nullopt}};
  for (const auto& [key, name] : names) EXPECT_EQ(layout.translateKey(key), name) << key;

  // On a German layout the key where US boards have Z types y.
  ASSERT_EQ(session->run({"setxkbmap", "de"}), 0);
  EXPECT_TRUE(session->waitUntil([&] {
    // The mapping change reaches the ports through the loop's event dispatch.
    platform->mainLoop().dispatchEvents();
    return layout.translateKey(6) == "y";
  }));
}

}  // namespace
}  // namespace corvella::e2e
