// Window properties of other X clients, read as standard C++ values. Every
// read gives absent (or an empty list) when the window is gone or the
// property is missing or malformed; nothing here fails otherwise.
#pragma once

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/ports/accessibility.h"
#include "platform/x11/x11_answer.h"
#include "platform/x11/x11_connection.h"

namespace corvella::x11 {

struct FrameExtents {
  std::uint32_t left = 0;
  std::uint32_t right = 0;
  std::uint32_t top = 0;
  std::uint32_t bottom = 0;
  friend bool operator==(const FrameExtents&, const FrameExtents&) = default;
};

// _NET_WM_STRUT_PARTIAL's twelve values (a plain _NET_WM_STRUT spans whole edges):
// left, right, top, bottom, left start y, left end y, right start y, right end
// y, top start x, top end x, bottom start x, bottom end x.
using Strut = std::array<std::uint32_t, 12>;

// Managed clients, bottom to top.
std::vector<xcb_window_t> clientListStacking(X11Connection& connection);

// WM_CLASS of a window: its class part ("XTerm" of "xterm", "XTerm"),
// absent when the window sets none.
struct WindowClass {
  std::optional<std::string> className;
};
// The classes of many windows in one round trip; absent for a window that is gone.
std::vector<std::optional<WindowClass>> windowClassesOf(X11Connection& connection,
                                                        const std::vector<xcb_window_t>& windows);

// The focused client; absent when none is.
Answer<std::optional<xcb_window_t>> requestActiveWindow(X11Connection& connection);
std::optional<xcb_window_t> activeWindow(X11Connection& connection);

// What decides a window's kind: its types (_NET_WM_WINDOW_TYPE, in the
// client's order of preference) and whether it is transient for
// another window. Absent when the window is gone.
struct WindowKind {
  std::vector<xcb_atom_t> types;
  bool transient = false;
};
Answer<std::optional<WindowKind>> requestWindowKind(X11Connection& connection, xcb_window_t window);
// _NET_WM_STATE; absent when the window is gone.
Answer<std::optional<std::vector<xcb_atom_t>>> requestWindowStates(X11Connection& connection,
                                                                   xcb_window_t window);
// _NET_WM_NAME, else WM_NAME (Latin-1 converted to UTF-8).
Answer<std::optional<std::string>> requestWindowTitle(X11Connection& connection,
                                                      xcb_window_t window);
// Struts of many windows in one round trip: the partial form, else the plain one.
std::vector<std::optional<Strut>> strutsOf(X11Connection& connection,
                                           const std::vector<xcb_window_t>& windows);
bool windowExists(X11Connection& connection, xcb_window_t window);

// Latin-1 bytes as UTF-8.
std::string latin1ToUtf8(const std::string& text);

}  // namespace corvella::x11
