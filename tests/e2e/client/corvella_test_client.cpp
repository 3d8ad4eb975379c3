// corvella-test-client: one X client with several top-level windows, for the
// end-to-end tests and the demo desktop; it lives until killed. Each --window
// is one window: "title=A;size=800x600;at=100,80" (client area, user position),
// min=WxH, vanish (destroyed at its first resize), type=DIALOG (and the other
// _NET_WM_WINDOW_TYPEs), transient (for the first window), strut=N (pixels
// reserved along the top), class=C (TestClient by default), noclass, nopid.
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcb_icccm.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct WindowSpec {
  std::string title = "Window";
  int width = 400, height = 300, x = 0, y = 0;
  std::optional<xcb_point_t> minimum;
  bool vanish = false, transient = false, withClass = true, withPid = true;
  std::string className = "TestClient";
  std::string type;
  int strut = 0;
  xcb_window_t id = 0;
};

std::optional<WindowSpec> parse(const std::string& text) {
  WindowSpec spec;
  std::istringstream fields(text);
  for (std::string field; std::getline(fields, field, ';');) {
    const auto equals = field.find('=');
    const std::string key = field.substr(0, equals);
    const char* value = equals == std::string::npos ? "" : field.c_str() + equals + 1;
    int a = 0, b = 0;
    const bool pair = std::sscanf(value, "%dx%d", &a, &b) == 2;
    if (key == "title") {
      spec.title = value;
    } else if (key == "size" && pair) {
      spec.width = a, spec.height = b;
    } else if (key == "at" && std::sscanf(value, "%d,%d", &a, &b) == 2) {
      spec.x = a, spec.y = b;
    } else if (key == "min" && pair) {
      spec.minimum = xcb_point_t{std::int16_t(a), std::int16_t(b)};
    } else if (key == "vanish" || key == "transient") {
      (key == "vanish" ? spec.vanish : spec.transient) = true;
    } else if (key == "noclass" || key == "nopid") {
      (key == "noclass" ? spec.withClass : spec.withPid) = false;
    } else if ((key == "class" || key == "type") && *value != '\0') {
      (key == "class" ? spec.className : spec.type) = value;
    } else if (key == "strut" && std::sscanf(value, "%d", &a) == 1) {
      spec.strut = a;
    } else {
      return std::nullopt;
    }
  }
  return spec;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<WindowSpec> specs;
  for (int i = 1; i + 1 < argc; i += 2) {
    auto spec = std::string(argv[i]) == "--window" ? parse(argv[i + 1]) : std::nullopt;
    if (!spec) {
      std::fprintf(stderr, "usage: corvella-test-client --window 'title=..;size=WxH;at=X,Y' ...\n");
      return 2;
    }
    specs.push_back(*spec);
  }
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) return 1;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const std::uint32_t pid = static_cast<std::uint32_t>(getpid());
  const auto set32 = [&](xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
                         std::uint32_t value) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, name, type, 32, 1, &value);
  };
  const auto atom = [&](const std::string& name) {
    const auto cookie = xcb_intern_atom(connection, 0, std::uint16_t(name.size()), name.c_str());
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  };

  for (WindowSpec& spec : specs) {
    spec.id = xcb_generate_id(connection);
    const std::uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, spec.id, screen->root,
                      static_cast<std::int16_t>(spec.x), static_cast<std::int16_t>(spec.y),
                      static_cast<std::uint16_t>(spec.width),
                      static_cast<std::uint16_t>(spec.height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_icccm_set_wm_name(connection, spec.id, XCB_ATOM_STRING, 8, spec.title.size(),
                          spec.title.data());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, spec.id, atom("_NET_WM_NAME"),
                        atom("UTF8_STRING"), 8, spec.title.size(), spec.title.data());
    // The instance name, then the class name, each ended by a NUL.
    const std::string wmClass = std::string("corvella-test-client") + '\0' + spec.className + '\0';
    if (spec.withClass) xcb_icccm_set_wm_class(connection, spec.id, wmClass.size(), wmClass.data());
    if (spec.withPid) set32(spec.id, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, pid);
    xcb_size_hints_t hints{};
    xcb_icccm_size_hints_set_position(&hints, 1, spec.x, spec.y);
    xcb_icccm_size_hints_set_size(&hints, 1, spec.width, spec.height);
    if (spec.minimum) xcb_icccm_size_hints_set_min_size(&hints, spec.minimum->x, spec.minimum->y);
    xcb_icccm_set_wm_normal_hints(connection, spec.id, &hints);
    if (!spec.type.empty()) {
      set32(spec.id, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM,
            atom("_NET_WM_WINDOW_TYPE_" + spec.type));
    }
    if (spec.strut > 0) {
      std::uint32_t strut[12] = {};  // top, then top_start_x and top_end_x
      strut[2] = static_cast<std::uint32_t>(spec.strut);
      strut[8] = static_cast<std::uint32_t>(spec.x);
      strut[9] = static_cast<std::uint32_t>(spec.x + spec.width - 1);
      xcb_change_property(connection, XCB_PROP_MODE_REPLACE, spec.id, atom("_NET_WM_STRUT_PARTIAL"),
                          XCB_ATOM_CARDINAL, 32, 12, strut);
    }
    if (spec.transient && &spec != &specs.front())
      xcb_icccm_set_wm_transient_for(connection, spec.id, specs.front().id);
    xcb_map_window(connection, spec.id);
  }
  xcb_flush(connection);

  while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
    const auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event);
    for (WindowSpec& spec : specs) {
      if ((event->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY && spec.vanish &&
          spec.id == configure->window && configure->width != spec.width) {
        xcb_destroy_window(connection, spec.id);
        spec.vanish = false;
        xcb_flush(connection);
      }
    }
    std::free(event);
  }
  xcb_disconnect(connection);
  return 0;
}
