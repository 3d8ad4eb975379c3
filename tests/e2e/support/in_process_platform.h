// A desktop whose X11 platform opens in the test's own process, on the session's display and
// folders: for tests that drive the ports (and the core over them) directly.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>

#include "e2e_fixture.h"
#include "platform/x11/x11_platform.h"

namespace corvella::e2e {

class InProcessDesktopTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    if (HasFatalFailure()) return;
    ::setenv("XDG_STATE_HOME", (session->folder() / "state").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (session->folder() / "config").c_str(), 1);
    std::string error;
    platform = x11::X11Platform::open(session->display(), "/usr/bin/corvella", &error);
    ASSERT_NE(platform, nullptr) << error;
  }

  std::unique_ptr<x11::X11Platform> platform;
};

}  // namespace corvella::e2e
