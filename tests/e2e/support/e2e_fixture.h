// The fixture of the end-to-end tests: a private desktop that must come up,
// and a corvella that must end with status 0 after SIGTERM (its output shown otherwise).
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "x_session.h"

namespace corvella::e2e {

// "(0,25 720×875)", as the log writes frames.
inline std::string logText(const Frame& frame) {
  return "(" + std::to_string(frame.x) + "," + std::to_string(frame.y) + " " +
         std::to_string(frame.width) + "\u00d7" + std::to_string(frame.height) + ")";
}

inline std::string moveLine(bool ok, const Frame& target, const std::string& result,
                            const std::string& title) {
  return std::string("  ") + (ok ? "OK" : "차이") + " 목표=" + logText(target) + " 결과=" + result +
         " " + title;
}

// A window that took its target exactly.
inline std::string okLine(const Frame& frame, const std::string& title) {
  return moveLine(true, frame, logText(frame), title);
}

// An entry of the label and one OK line per window.
inline std::string okEntry(const std::string& label,
                           const std::vector<std::pair<Frame, std::string>>& windows) {
  std::string entry = label;
  for (const auto& [frame, title] : windows) entry += "\n" + okLine(frame, title);
  return entry;
}

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = std::make_unique<XSession>();
    ASSERT_TRUE(session->ready()) << session->why();
  }
  void TearDown() override {
    if (session && session->corvellaRunning()) expectCleanStop();
  }
  void expectCleanStop() {
    const auto status = session->stopCorvella();
    EXPECT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0)
        << "corvella did not end cleanly:\n"
        << session->corvellaOutput();
  }
  // Starts corvella; the test stops here when it does not come up.
  void startCorvella(const std::vector<std::string>& arguments = {},
                     const Environment& extra = {}) {
    ASSERT_TRUE(session->startCorvella(arguments, extra)) << session->corvellaOutput();
  }
  // Starts a test client, focuses the window with the title and starts corvella, or fails.
  void startFocused(const std::vector<std::string>& windows, const std::string& title,
                    const std::vector<std::string>& arguments = {}, const Environment& extra = {}) {
    focusedClient = session->startTestClient(windows);
    ASSERT_NE(focusedClient, nullptr) << session->why();
    focusedWindow = session->windowTitled(title).value_or(XCB_WINDOW_NONE);
    ASSERT_TRUE(session->activate(focusedWindow));
    startCorvella(arguments, extra);
  }

  Frame frameOf(const std::string& title) {
    return *session->outerFrame(*session->windowTitled(title));
  }

  std::unique_ptr<XSession> session;
  ChildProcess* focusedClient = nullptr;
  xcb_window_t focusedWindow = XCB_WINDOW_NONE;
};

// A desktop with one window, "Alpha" (800×600 at 100,80), focused, and corvella running.
class OneWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    if (!HasFatalFailure()) startFocused({"title=Alpha;size=800x600;at=100,80"}, "Alpha");
  }
};

}  // namespace corvella::e2e
