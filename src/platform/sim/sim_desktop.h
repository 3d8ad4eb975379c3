// SimDesktop: the in-memory desktop every simulated port works on —
// applications with their windows and attributes, the frontmost
// application, screens, trust, beeps and the ordered record of port calls.
//
// Window frames are kept in the Accessibility space (origin at the top-left
// of the primary screen, y growing downwards); screens in the platform's
// bottom-left space, as the Screens port gives them.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/actions/rect.h"
#include "core/ports/accessibility.h"
#include "core/ports/screens.h"
#include "platform/sim/sim_call.h"
#include "platform/sim/sim_element.h"

namespace corvella::sim {

struct SimSize {
  double width = 0;
  double height = 0;
  friend bool operator==(const SimSize&, const SimSize&) = default;
};

// An attribute override: absent makes the attribute unreadable (a read gives
// absent), a value replaces what the attribute would give (e.g. a string where
// a boolean belongs, a size where a point belongs).
using AttributeOverrides = std::map<std::string, std::optional<AttributeValue>, std::less<>>;

// What a test states about a new window. Filled field by field; the
// declared constructor keeps addWindow(pid, {x, y, w, h}) unambiguous.
struct SimWindowSpec {
  SimWindowSpec() = default;

  Rect frame;
  std::string title;
  std::string role = "AXWindow";
  std::string subrole = "AXStandardWindow";
  bool minimized = false;
  bool fullScreen = false;
};

struct SimWindow {
  SimWindowId id = 0;
  ProcessID pid = 0;
  Rect frame;  // Accessibility space
  std::string title;
  std::string role = "AXWindow";
  std::string subrole = "AXStandardWindow";
  bool minimized = false;
  bool fullScreen = false;
  bool open = true;
  // Frame writes are ignored (a window that refuses to move or resize).
  bool refusesFrameWrites = false;
  // Overrides the application's minimum size for this window.
  std::optional<SimSize> minimumSize;
  AttributeOverrides overrides;
  int raiseCount = 0;
};

struct SimApplication {
  ProcessID pid = 0;
  std::optional<std::string> localizedName;
  // "AXEnhancedUserInterface": true, false, or absent (not reported; a write
  // to an application that does not report it changes nothing).
  std::optional<bool> enhancedUserInterface;
  // A size write below this is raised to it, per dimension, as real
  // applications do.
  std::optional<SimSize> minimumSize;
  // Every read of the application and its windows gives absent (an
  // application that does not answer).
  bool unresponsive = false;
  // Open windows, front to back: the order "AXWindows" gives.
  std::vector<SimWindowId> windows;
  // What "AXFocusedWindow" gives: any of its windows (a panel or dialog too).
  std::optional<SimWindowId> focusedWindow;
  AttributeOverrides overrides;
  bool running = true;
};

class SimDesktop {
 public:
  SimDesktop();
  SimDesktop(const SimDesktop&) = delete;
  SimDesktop& operator=(const SimDesktop&) = delete;

  // --- Applications and windows -------------------------------------------
  // Adds (or replaces) a running application.
  SimApplication& addApplication(ProcessID pid, std::optional<std::string> localizedName = {},
                                 std::optional<bool> enhancedUserInterface = {});
  // Adds a window at the back of its application's list (so windows added in
  // turn read front to back in that order). The first window of an
  // application without a focused window becomes its focused window. Window
  // ids count from 1 across the desktop. The application must exist.
  SimWindowId addWindow(ProcessID pid, const SimWindowSpec& spec);
  SimWindowId addWindow(ProcessID pid, const Rect& frame, std::string title = {});
  // Quits an application: its windows close, its elements read absent.
  void quitApplication(ProcessID pid);

  SimApplication& application(ProcessID pid);  // must exist
  const SimApplication& application(ProcessID pid) const;
  bool hasApplication(ProcessID pid) const;
  SimWindow& window(SimWindowId id);  // must exist (also when closed)
  const SimWindow& window(SimWindowId id) const;
  bool hasWindow(SimWindowId id) const;
  Rect frame(SimWindowId id) const { return window(id).frame; }

  // Closes a window now: it leaves its application's list and focus; its
  // elements stay valid but every read gives absent and writes do nothing.
  void closeWindow(SimWindowId id);
  // Closes the window right after the n-th Accessibility call from now has
  // run (n = 1: after the next call); n = 0 closes it at once.
  void closeWindowAfterCalls(SimWindowId id, int n);
  // Runs before each Accessibility call is carried out (the call is given as
  // it will be recorded, without its interface state), e.g. to close a window
  // just before "set w3 AXSize 720x875". Calls the hook makes itself are
  // recorded but do not run it again.
  void setBeforeAccessibilityCall(std::function<void(const SimCall&)> hook);

  void setFocusedWindow(ProcessID pid, std::optional<SimWindowId> id);
  // Moves the window to the front of its application's list.
  void bringToFront(SimWindowId id);
  // Attribute overrides of a window (see AttributeOverrides).
  void makeUnreadable(SimWindowId id, std::string_view attribute);
  void setAttributeOverride(SimWindowId id, std::string_view attribute, AttributeValue value);
  // The natural values of a window's attributes again.
  void clearOverrides(SimWindowId id);

  // Elements as the platform would hand them out (not recorded).
  ElementRef windowElement(SimWindowId id) const { return SimElement::window(id); }
  ElementRef applicationElement(ProcessID pid) const { return SimElement::application(pid); }
  // The window a simulated element names.
  std::optional<SimWindowId> windowIdOf(const ElementRef& element) const;

  // --- Workspace, screens, trust, sound ----------------------------------
  void setFrontmostApplication(std::optional<ProcessID> pid);
  std::optional<ProcessID> frontmostApplication() const { return frontmost_; }
  const std::vector<std::string>& openedURLs() const { return openedURLs_; }
  int accessibilitySettingsOpened() const { return accessibilitySettingsOpened_; }

  // Starts as the single 1440×900 screen (see sim_screen_arrangements.h).
  void setScreens(std::vector<PlatformScreen> screens) { screens_ = std::move(screens); }
  const std::vector<PlatformScreen>& screens() const { return screens_; }

  // Trusted by default. Without trust every Accessibility read gives absent
  // and writes and actions do nothing.
  void setTrusted(bool trusted) { trusted_ = trusted; }
  bool trusted() const { return trusted_; }
  // How often the permission prompt was shown (prompt checks while untrusted).
  int promptsShown() const { return promptsShown_; }
  int beeps() const { return beeps_; }

  // --- The record of port calls -------------------------------------------
  const std::vector<SimCall>& calls() const { return calls_; }
  // Text forms of the recorded calls, all or those of the given ports.
  std::vector<std::string> callTexts() const;
  std::vector<std::string> callTexts(std::initializer_list<SimPort> ports) const;
  std::vector<std::string> callTextsWithInterfaceState(std::initializer_list<SimPort> ports) const;
  // Calls made so far (counted even while recording is off).
  std::size_t callCount() const { return callCount_; }
  std::size_t callCount(SimPort port) const;
  void clearCalls();
  // Recording on (the default) keeps every call; off only counts them, for
  // benchmarks.
  void setRecording(bool on) { recording_ = on; }

  // --- For the simulated ports ---------------------------------------------
  void record(SimCall call);
  void recordBeep() { ++beeps_; }
  void recordPromptShown() { ++promptsShown_; }
  void recordOpenedURL(const std::string& url) { openedURLs_.push_back(url); }
  void recordAccessibilitySettingsOpened() { ++accessibilitySettingsOpened_; }
  // Runs the hook before an Accessibility call; afterwards counts down the
  // windows waiting to close.
  void beforeAccessibilityCall(const SimCall& call);
  void afterAccessibilityCall();
  SimApplication* findApplication(ProcessID pid);
  SimWindow* findWindow(SimWindowId id);

 private:
  std::map<ProcessID, SimApplication> applications_;
  std::map<SimWindowId, SimWindow> windows_;
  SimWindowId nextWindowId_ = 1;
  std::vector<std::pair<SimWindowId, int>> pendingCloses_;
  std::function<void(const SimCall&)> beforeCall_;
  bool insideHook_ = false;
  std::optional<ProcessID> frontmost_;
  std::vector<std::string> openedURLs_;
  int accessibilitySettingsOpened_ = 0;
  std::vector<PlatformScreen> screens_;
  bool trusted_ = true;
  int promptsShown_ = 0;
  int beeps_ = 0;
  std::vector<SimCall> calls_;
  std::map<SimPort, std::size_t> callCounts_;
  std::size_t callCount_ = 0;
  bool recording_ = true;
};

}  // namespace corvella::sim
