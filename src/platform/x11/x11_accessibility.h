// X11Accessibility: the Accessibility port over EWMH, keeping the core's
// attribute vocabulary.
//
//   application element   an application's number (X11Applications: the
//                         windows of one WM_CLASS class, else of one X client)
//   "AXWindows"           its managed clients front to back
//                         (_NET_CLIENT_LIST_STACKING reversed), docks and
//                         desktops left out
//   "AXFocusedWindow"     _NET_ACTIVE_WINDOW when it belongs to the application
//   "AXRole"              "AXWindow" while the window exists
//   "AXSubrole"           "AXStandardWindow" for normal windows (type NORMAL,
//                         or no type and no WM_TRANSIENT_FOR), "AXDialog",
//                         "AXFloatingWindow" (utilities, toolbars, menus) or
//                         "AXUnknown" (splash screens, docks, ...)
//   "AXMinimized"         _NET_WM_STATE_HIDDEN
//   "AXFullScreen"        _NET_WM_STATE_FULLSCREEN
//   "AXPosition", "AXSize" the outer frame in core space; absent for a window
//                         placed in this work that the window manager has
//                         not handled within the work's budget
//   "AXTitle"             _NET_WM_NAME, else WM_NAME
//   "AXRaise"             activates the window (_NET_ACTIVE_WINDOW, as a pager)
//   "AXEnhancedUserInterface" and anything else: absent; writes of them are ignored
//
// The core writes a frame as position, size, position. Those writes are
// gathered into one _NET_MOVERESIZE_WINDOW, sent when anything is next read
// (the core always reads the frame back) or, failing that, on the next turn
// of the main loop. Trust is always granted: X has no such permission.
#pragma once

#include <memory>
#include <optional>

#include "core/ports/accessibility.h"
#include "core/ports/main_queue.h"
#include "platform/x11/x11_applications.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_desktop_state.h"
#include "platform/x11/x11_window_frames.h"
#include "platform/x11/x11_work_cache.h"

namespace corvella::x11 {

class X11Accessibility final : public Accessibility {
 public:
  X11Accessibility(X11Connection& connection, X11WindowFrames& frames, X11WorkCache& cache,
                   X11DesktopState& desktop, X11Applications& applications, MainQueue& mainQueue);

  ElementRef createApplication(ProcessID pid) override;
  std::optional<AttributeValue> copyAttributeValue(const ElementRef& element,
                                                   std::string_view attribute) override;
  void setAttributeValue(const ElementRef& element, std::string_view attribute,
                         const AttributeValue& value) override;
  void performAction(const ElementRef& element, std::string_view action) override;
  bool isProcessTrusted() override { return true; }
  bool isProcessTrustedWithPrompt() override { return true; }

  // Sends the gathered frame writes, if any, and waits for the answer.
  void flushWrites();

 private:
  struct PendingWrite {
    xcb_window_t window;
    Placement placement;
  };

  std::optional<AttributeValue> applicationAttribute(ProcessID pid, std::string_view attribute);
  std::optional<AttributeValue> windowAttribute(xcb_window_t window, std::string_view attribute);
  std::optional<std::string> subrole(xcb_window_t window);

  X11Connection& connection_;
  X11WindowFrames& frames_;
  X11WorkCache& cache_;
  X11DesktopState& desktop_;
  X11Applications& applications_;
  MainQueue& mainQueue_;
  std::optional<PendingWrite> pending_;
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

}  // namespace corvella::x11
