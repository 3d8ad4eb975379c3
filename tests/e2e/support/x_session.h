// XSession: a private X desktop for one end-to-end test: its own 1440×900 Xvfb (from -displayfd, so
// it never collides with another server), openbox binding no keys, real clients, and the corvella
// under test with its own folders. Every wait is bounded and wakes on events (X events and round
// trips, inotify on the log folder, XKB bells); nothing sleeps.
#pragma once

#include <sys/wait.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <tuple>

#include "child_process.h"

namespace corvella::e2e {

// Physical X key codes of the evdev keyboard Xvfb has.
namespace keys {
inline constexpr std::uint8_t super = 133, alt = 64, control = 37, shift = 50;
inline constexpr std::uint8_t left = 113, right = 114, up = 111, down = 116;
inline constexpr std::uint8_t a = 38, c = 54, f = 41, z = 52;
inline constexpr std::uint8_t capsLock = 66, numLock = 77;
}  // namespace keys

// A window's outer frame (decorations included) in root pixels.
struct Frame {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const Frame&, const Frame&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Frame& f) {
    return out << "(" << f.x << "," << f.y << " " << f.width << "x" << f.height << ")";
  }
};

// A reply that xcb allocated, freed with it.
template <typename Reply>
auto owned(Reply* reply) {
  return std::unique_ptr<Reply, decltype(&std::free)>(reply, &std::free);
}
// A property of 32-bit values (none when it is missing or of another format).
std::vector<std::uint32_t> cardinals(xcb_connection_t* connection, xcb_window_t window,
                                     xcb_atom_t name, xcb_atom_t type);

struct FrameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// A command's exit status (-1 when it did not exit), output and errors.
using Outcome = std::tuple<int, std::string, std::string>;

class XSession {
 public:
  XSession() { ready_ = setUp(); }
  ~XSession();

  bool ready() const { return ready_; }
  const std::string& why() const { return why_; }
  const std::string& display() const { return display_; }
  const std::filesystem::path& folder() const { return folder_; }
  xcb_connection_t* xcb() const { return connection_; }
  xcb_window_t root() const { return root_; }

  // Starts the test client, one window per description, and waits until those
  // with a _NET_WM_PID are managed.
  ChildProcess* startTestClient(const std::vector<std::string>& windows);
  // Runs a program (xrandr, ...) to its end.
  std::optional<int> run(const std::vector<std::string>& arguments);
  std::vector<xcb_window_t> managedWindowsOf(pid_t pid);
  std::optional<xcb_window_t> windowTitled(const std::string& title);
  std::optional<Frame> outerFrame(xcb_window_t window);
  FrameExtents frameExtents(xcb_window_t window);
  std::optional<xcb_window_t> activeWindow();
  // Asks the window manager as a pager to focus or move the window, and waits until it has.
  bool activate(xcb_window_t window);
  bool moveWindow(xcb_window_t window, const Frame& outer);
  // Sends a 32-bit client message about the window to the root, as a pager does.
  void sendToRoot(xcb_window_t window, const char* type, std::initializer_list<std::uint32_t> data);
  // End the X server under the running programs, or the window manager.
  void stopServer() { server_->stop(SIGTERM); }
  void stopWindowManager() { windowManager_->stop(SIGTERM); }
  pid_t windowManagerPid() const { return windowManager_ ? windowManager_->pid() : -1; }
  bool grabKey(std::uint8_t key, std::uint16_t modifiers);
  // True once the window manager has answered a request sent now, so has
  // handled everything it was sent before (it handles its messages in order).
  bool windowManagerAnswers(int attempts = 1,
                            std::chrono::milliseconds each = std::chrono::seconds(5));

  // Presses the keys in order and releases them in reverse, through XTEST.
  void press(const std::vector<std::uint8_t>& keys);
  int bells() const { return bells_; }
  // The keyboard's modifier and lock state (Lock 0x2, Num Lock usually Mod2 0x10).
  std::uint16_t modifierState();

  void writeDefaults(const std::string& json);
  // Starts corvella and waits for its launch's last line; false when it never came.
  bool startCorvella(const std::vector<std::string>& arguments = {}, const Environment& extra = {});
  pid_t corvellaPid() const { return corvella_ ? corvella_->pid() : -1; }
  bool corvellaRunning() { return corvella_ && corvella_->running(); }
  std::optional<int> stopCorvella() { return corvella_ ? corvella_->stop(SIGTERM) : std::nullopt; }
  std::optional<int> waitForCorvella() { return corvella_ ? corvella_->wait() : std::nullopt; }
  std::string corvellaOutput() const { return corvella_ ? corvella_->output() : ""; }
  // The log's entries without their time stamps; continuation lines joined by "\n".
  std::vector<std::string> logEntries() const;
  // Does what is asked (or presses) and gives the new log entry (empty when none came).
  std::string entryAfter(const std::function<void()>& action);
  std::string pressForEntry(const std::vector<std::uint8_t>& keys) {
    return entryAfter([&] { press(keys); });
  }
  bool pressForBell(const std::vector<std::uint8_t>& keys) {
    const int before = bells_;
    press(keys);
    return waitUntil([&] { return bells_ > before; });
  }

  // Runs corvella with the arguments (with none: a second daemon) to its end.
  Outcome runCorvella(const std::vector<std::string>& arguments, const Environment& changes = {});
  std::filesystem::path controlSocket() const { return folder_ / "runtime/corvella/control"; }
  // The environment corvella runs in (display, home, XDG folders), with the changes.
  Environment corvellaEnvironment(const Environment& changes = {}) const;
  // The build's program, or the one $CORVELLA_E2E_PROGRAM names (an installed package's).
  static std::string corvellaProgram();

  // Re-checks the condition after every event.
  bool waitUntil(const std::function<bool()>& condition,
                 std::chrono::milliseconds limit = std::chrono::seconds(10));
  // The waits also wake on changes in the (existing) folder.
  void watchFolder(const std::filesystem::path& folder);
  // Sees every X event the waits read.
  std::function<void(const xcb_generic_event_t&)> onEvent;
  xcb_atom_t atom(const char* name);

 private:
  bool setUp();
  // Reads what has arrived (counting bells); true when there was an X event.
  bool drainEvents();

  bool ready_ = false;
  std::string why_;
  std::filesystem::path folder_;
  std::string display_;
  std::unique_ptr<ChildProcess> server_, windowManager_, corvella_;
  std::vector<std::unique_ptr<ChildProcess>> clients_;
  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = XCB_WINDOW_NONE;
  std::uint8_t xkbEvent_ = 0;
  int bells_ = 0;
  int folderWatch_ = -1;
};

}  // namespace corvella::e2e
