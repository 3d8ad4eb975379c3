// The Accessibility port's elements on X11: an application is a process id,
// a window is a managed client window (not the window manager's frame).
#pragma once

#include <xcb/xcb.h>

#include "core/ports/accessibility.h"

namespace corvella::x11 {

class X11ApplicationElement final : public PlatformElement {
 public:
  explicit X11ApplicationElement(ProcessID pid) : pid_(pid) {}
  ProcessID pid() const { return pid_; }
  bool equals(const PlatformElement& other) const override {
    const auto* application = dynamic_cast<const X11ApplicationElement*>(&other);
    return application && application->pid_ == pid_;
  }

 private:
  ProcessID pid_;
};

class X11WindowElement final : public PlatformElement {
 public:
  explicit X11WindowElement(xcb_window_t window) : window_(window) {}
  xcb_window_t window() const { return window_; }
  bool equals(const PlatformElement& other) const override {
    const auto* window = dynamic_cast<const X11WindowElement*>(&other);
    return window && window->window_ == window_;
  }

 private:
  xcb_window_t window_;
};

}  // namespace corvella::x11
