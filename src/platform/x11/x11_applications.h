// What counts as one application on X11, as a task bar groups windows: the
// windows whose WM_CLASS has the same class name ("XTerm" for every xterm,
// whichever process runs it, and a Tk program's windows without any
// _NET_WM_PID); a window without a class name belongs with the other windows
// of the same X client. Each application gets a number of its own for the
// whole run, which the core carries as the application's process identifier.
#pragma once

#include <xcb/xcb.h>

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/accessibility.h"
#include "platform/x11/x11_connection.h"

namespace corvella::x11 {

struct ApplicationKey {
  std::string className;     // WM_CLASS's class part; empty when the window has none
  std::uint32_t client = 0;  // the X client's resource base, only without a class name
  auto operator<=>(const ApplicationKey&) const = default;
};

// The keys of many windows in at most two round trips; absent for a window
// that is gone.
std::vector<std::optional<ApplicationKey>> applicationKeysOf(
    X11Connection& connection, const std::vector<xcb_window_t>& windows);

class X11Applications {
 public:
  // The application's number; the same key always gets the same one.
  ProcessID idOf(const ApplicationKey& key);
  // The key a number was given for; absent for a number never given.
  std::optional<ApplicationKey> keyOf(ProcessID id) const;

 private:
  std::map<ApplicationKey, ProcessID> ids_;
  std::vector<ApplicationKey> keys_;  // the key of number i + 1
};

}  // namespace corvella::x11
