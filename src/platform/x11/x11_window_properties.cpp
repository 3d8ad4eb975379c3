#include "platform/x11/x11_window_properties.h"

#include <algorithm>
#include <cstring>

namespace corvella::x11 {
namespace {

constexpr std::uint32_t maxPropertyWords = 4096;

ReplyPtr<xcb_get_property_reply_t> propertyReply(X11Connection& connection,
                                                 xcb_get_property_cookie_t cookie) {
  return connection.reply(xcb_get_property_reply, cookie);
}

xcb_get_property_cookie_t requestProperty(X11Connection& connection, xcb_window_t window,
                                          xcb_atom_t property, xcb_atom_t type) {
  return xcb_get_property(connection.xcb(), 0, window, property, type, 0, maxPropertyWords);
}

// The 32-bit items of a property reply of the given format.
std::vector<std::uint32_t> cardinals(const xcb_get_property_reply_t* reply) {
  if (!reply || reply->format != 32) return {};
  const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
  const int count = xcb_get_property_value_length(reply) / 4;
  return std::vector<std::uint32_t>(values, values + count);
}

std::string bytes(const xcb_get_property_reply_t* reply) {
  if (!reply || reply->format != 8) return {};
  const auto* data = static_cast<const char*>(xcb_get_property_value(reply));
  return std::string(data, static_cast<std::size_t>(xcb_get_property_value_length(reply)));
}

// Two NUL-terminated strings: the instance name, then the class name.
std::optional<std::string> classNameFromReply(const xcb_get_property_reply_t* reply) {
  std::string both = bytes(reply);
  const auto end = both.find('\0');
  if (end == std::string::npos) return std::nullopt;
  std::string className = both.substr(end + 1);
  if (const auto nul = className.find('\0'); nul != std::string::npos) className.resize(nul);
  if (className.empty()) return std::nullopt;
  return latin1ToUtf8(className);
}

}  // namespace

std::vector<xcb_window_t> clientListStacking(X11Connection& connection) {
  auto reply = propertyReply(
      connection, requestProperty(connection, connection.root(),
                                  connection.ewmh()._NET_CLIENT_LIST_STACKING, XCB_ATOM_WINDOW));
  auto values = cardinals(reply.get());
  return std::vector<xcb_window_t>(values.begin(), values.end());
}

Answer<std::optional<xcb_window_t>> requestActiveWindow(X11Connection& connection) {
  auto cookie = requestProperty(connection, connection.root(), connection.ewmh()._NET_ACTIVE_WINDOW,
                                XCB_ATOM_WINDOW);
  return {connection, {cookie.sequence}, [&connection, cookie]() -> std::optional<xcb_window_t> {
            auto values = cardinals(propertyReply(connection, cookie).get());
            if (values.empty() || values[0] == XCB_WINDOW_NONE) return std::nullopt;
            return values[0];
          }};
}

std::optional<xcb_window_t> activeWindow(X11Connection& connection) {
  return requestActiveWindow(connection)();
}

std::vector<std::optional<WindowClass>> windowClassesOf(X11Connection& connection,
                                                        const std::vector<xcb_window_t>& windows) {
  std::vector<xcb_get_property_cookie_t> cookies;
  cookies.reserve(windows.size());
  for (xcb_window_t window : windows) {
    cookies.push_back(requestProperty(connection, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING));
    connection.noteSent(cookies.back().sequence);
  }
  std::vector<std::optional<WindowClass>> classes;
  classes.reserve(windows.size());
  for (auto cookie : cookies) {
    auto reply = propertyReply(connection, cookie);
    if (!reply) {
      classes.emplace_back();  // the window is gone
    } else {
      classes.push_back(WindowClass{classNameFromReply(reply.get())});
    }
  }
  return classes;
}

Answer<std::optional<WindowKind>> requestWindowKind(X11Connection& connection,
                                                    xcb_window_t window) {
  auto typesCookie =
      requestProperty(connection, window, connection.ewmh()._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM);
  auto transientCookie =
      requestProperty(connection, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW);
  return {connection,
          {typesCookie.sequence, transientCookie.sequence},
          [&connection, typesCookie, transientCookie]() -> std::optional<WindowKind> {
            auto types = propertyReply(connection, typesCookie);
            auto transient = propertyReply(connection, transientCookie);
            if (!types || !transient) return std::nullopt;
            auto typeValues = cardinals(types.get());
            auto transientValues = cardinals(transient.get());
            return WindowKind{std::vector<xcb_atom_t>(typeValues.begin(), typeValues.end()),
                              !transientValues.empty() && transientValues[0] != XCB_WINDOW_NONE};
          }};
}

Answer<std::optional<std::vector<xcb_atom_t>>> requestWindowStates(X11Connection& connection,
                                                                   xcb_window_t window) {
  auto cookie = requestProperty(connection, window, connection.ewmh()._NET_WM_STATE, XCB_ATOM_ATOM);
  return {connection,
          {cookie.sequence},
          [&connection, cookie]() -> std::optional<std::vector<xcb_atom_t>> {
            auto reply = propertyReply(connection, cookie);
            if (!reply) return std::nullopt;
            auto values = cardinals(reply.get());
            return std::vector<xcb_atom_t>(values.begin(), values.end());
          }};
}

Answer<std::optional<std::string>> requestWindowTitle(X11Connection& connection,
                                                      xcb_window_t window) {
  auto& ewmh = connection.ewmh();
  auto utf8Cookie = requestProperty(connection, window, ewmh._NET_WM_NAME, ewmh.UTF8_STRING);
  auto plainCookie =
      requestProperty(connection, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY);
  return {connection,
          {utf8Cookie.sequence, plainCookie.sequence},
          [&connection, utf8Cookie, plainCookie]() -> std::optional<std::string> {
            const xcb_atom_t utf8String = connection.ewmh().UTF8_STRING;
            auto utf8 = propertyReply(connection, utf8Cookie);
            auto plain = propertyReply(connection, plainCookie);
            if (!utf8 || !plain) return std::nullopt;
            if (utf8->type == utf8String && utf8->format == 8) return bytes(utf8.get());
            if (plain->type == XCB_ATOM_STRING) return latin1ToUtf8(bytes(plain.get()));
            if (plain->type == utf8String) return bytes(plain.get());
            // COMPOUND_TEXT and other encodings: the ASCII part is all that can be trusted.
            if (plain->type != XCB_ATOM_NONE && plain->format == 8) {
              std::string text = bytes(plain.get());
              std::replace_if(
                  text.begin(), text.end(),
                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; }, '?');
              return text;
            }
            return std::nullopt;
          }};
}

std::vector<std::optional<Strut>> strutsOf(X11Connection& connection,
                                           const std::vector<xcb_window_t>& windows) {
  auto& ewmh = connection.ewmh();
  std::vector<std::pair<xcb_get_property_cookie_t, xcb_get_property_cookie_t>> cookies;
  for (xcb_window_t window : windows) {
    cookies.emplace_back(
        requestProperty(connection, window, ewmh._NET_WM_STRUT_PARTIAL, XCB_ATOM_CARDINAL),
        requestProperty(connection, window, ewmh._NET_WM_STRUT, XCB_ATOM_CARDINAL));
    connection.noteSent(cookies.back().second.sequence);
  }
  std::vector<std::optional<Strut>> struts;
  for (auto [partialCookie, plainCookie] : cookies) {
    auto partial = cardinals(propertyReply(connection, partialCookie).get());
    auto plain = cardinals(propertyReply(connection, plainCookie).get());
    if (partial.size() >= 12) {
      Strut strut{};
      std::copy_n(partial.begin(), 12, strut.begin());
      struts.push_back(strut);
    } else if (plain.size() >= 4) {
      // The plain form reserves along whole edges.
      constexpr std::uint32_t whole = 0xffffffffu;
      struts.push_back(
          Strut{plain[0], plain[1], plain[2], plain[3], 0, whole, 0, whole, 0, whole, 0, whole});
    } else {
      struts.push_back(std::nullopt);
    }
  }
  return struts;
}

bool windowExists(X11Connection& connection, xcb_window_t window) {
  return connection.reply(xcb_get_window_attributes_reply,
                          xcb_get_window_attributes(connection.xcb(), window)) != nullptr;
}

std::string latin1ToUtf8(const std::string& text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (unsigned char c : text) {
    if (c < 0x80) {
      utf8.push_back(static_cast<char>(c));
    } else {
      utf8.push_back(static_cast<char>(0xc0 | (c >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3f)));
    }
  }
  return utf8;
}

}  // namespace corvella::x11
