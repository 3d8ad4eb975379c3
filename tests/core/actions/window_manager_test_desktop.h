#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/actions/window_manager.h"
#include "core/app/log.h"
#include "platform/sim/sim_platform.h"

namespace corvella {

inline bool operator==(const WindowMove& a, const WindowMove& b) {
  return a.window == b.window && a.frame == b.frame;
}

}  // namespace corvella

namespace corvella::fixtures {

inline constexpr ProcessID editorPid = 7;

// One log entry at the simulated clock's time.
inline std::string entry(std::string_view message) {
  return "2026-01-02T03:04:05Z " + std::string(message) + "\n";
}
// The log line of a window that took its target exactly.
inline std::string okLine(std::string_view frame, std::string_view title) {
  return "  OK 목표=" + std::string(frame) + " 결과=" + std::string(frame) + " " +
         std::string(title);
}

struct DesktopHarness {
  DesktopHarness() {
    desktop.addApplication(editorPid, "Editor");
    desktop.setFrontmostApplication(editorPid);
  }

  sim::SimWindowId addWindow(const Rect& frame, std::string title = {}) {
    return desktop.addWindow(editorPid, frame, std::move(title));
  }
  sim::SimWindowId addFocusedPanel(const Rect& frame, std::string title = {}) {
    sim::SimWindowSpec panel;
    panel.frame = frame;
    panel.title = std::move(title);
    panel.subrole = "AXFloatingWindow";
    const sim::SimWindowId id = desktop.addWindow(editorPid, panel);
    desktop.setFocusedWindow(editorPid, id);
    return id;
  }
  AXWindow ax(sim::SimWindowId id) const { return {desktop.windowElement(id), editorPid}; }
  std::vector<std::string> calls(std::initializer_list<sim::SimPort> ports = {
                                     sim::SimPort::accessibility}) {
    return desktop.callTexts(ports);
  }
  std::string logText() const {
    return platform.logLocation.fileText("/sim/Logs/Corvella.log").value_or("");
  }

  sim::SimPlatform platform{"/sim/Logs"};
  sim::SimDesktop& desktop = platform.desktop;
  Log log{platform.clock, platform.logLocation};
  WindowManager manager{platform.accessibility, platform.workspace, platform.screens,
                        platform.sound, log};
};
struct DesktopTest : ::testing::Test, DesktopHarness {};

}  // namespace corvella::fixtures
