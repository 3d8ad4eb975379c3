#include "x_session.h"

#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace corvella::e2e {
namespace {

auto property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
  return owned(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), nullptr));
}

}  // namespace

std::vector<std::uint32_t> cardinals(xcb_connection_t* connection, xcb_window_t window,
                                     xcb_atom_t name, xcb_atom_t type) {
  const auto reply = property(connection, window, name, type);
  if (!reply || reply->format != 32) return {};
  const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
  return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

XSession::~XSession() {
  if (corvella_) corvella_->stop(SIGKILL);
  clients_.clear();
  // A window manager a test left stopped takes its SIGTERM once continued.
  if (windowManager_ && windowManager_->running()) ::kill(windowManager_->pid(), SIGCONT);
  if (windowManager_) windowManager_->stop(SIGTERM);
  if (connection_) xcb_disconnect(connection_);
  if (server_) server_->stop(SIGTERM);
  if (folderWatch_ >= 0) ::close(folderWatch_);
  std::error_code ignored;
  if (!folder_.empty() && ready_) std::filesystem::remove_all(folder_, ignored);
}

bool XSession::setUp() {
  char pattern[] = "/tmp/corvella-e2e-XXXXXX";
  if (!::mkdtemp(pattern)) return why_ = "no temporary folder", false;
  folder_ = pattern;
  for (const char* sub : {"home", "config/corvella", "state/Corvella", "runtime"}) {
    std::filesystem::create_directories(folder_ / sub);
    ::chmod((folder_ / sub).c_str(), 0700);
  }

  // The server writes its display number to the pipe once it accepts clients
  // (the pipe is opened without close-on-exec, so the server inherits it).
  int pipe[2];
  if (::pipe(pipe) != 0) return why_ = "no pipe", false;
  server_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(pipe[1]), "-noreset",
                               "-nolisten", "tcp", "-screen", "0", "1440x900x24"},
      Environment{}, folder_ / "xvfb.log");
  ::close(pipe[1]);
  std::string number;
  readInto(pipe[0], number, [&] { return number.find('\n') != std::string::npos; });
  ::close(pipe[0]);
  if (number.empty() || !std::isdigit(static_cast<unsigned char>(number[0]))) {
    return why_ = "Xvfb did not report a display: " + server_->output(), false;
  }
  display_ = ":" + number.substr(0, number.find('\n'));
  if (const char* inherited = std::getenv("DISPLAY"); inherited && display_ == inherited) {
    return why_ = "refusing to run on " + display_ + ", which is not this test's own", false;
  }
  connection_ = xcb_connect(display_.c_str(), nullptr);
  if (xcb_connection_has_error(connection_)) return why_ = "cannot connect to " + display_, false;
  root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  const std::uint32_t propertyEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &propertyEvents);

  owned(
      xcb_xkb_use_extension_reply(connection_, xcb_xkb_use_extension(connection_, 1, 0), nullptr));
  xkbEvent_ = xcb_get_extension_data(connection_, &xcb_xkb_id)->first_event;
  xcb_xkb_select_events(connection_, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_EVENT_TYPE_BELL_NOTIFY, 0,
                        XCB_XKB_EVENT_TYPE_BELL_NOTIFY, 0, 0, nullptr);

  folderWatch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  watchFolder(folder_ / "state/Corvella");

  windowManager_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{"openbox", "--config-file", CORVELLA_OPENBOX_RC},
      corvellaEnvironment(), folder_ / "openbox.log");
  // An answer from openbox's event loop shows it manages new windows; a
  // request sent before it listens is lost, so it is asked again until answered.
  if (!windowManagerAnswers(200, std::chrono::milliseconds(50))) {
    return why_ = "openbox does not answer: " + windowManager_->output(), false;
  }
  return true;
}

bool XSession::windowManagerAnswers(int attempts, std::chrono::milliseconds each) {
  const xcb_window_t probe = xcb_generate_id(connection_);
  const std::uint32_t propertyEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, probe, root_, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                    &propertyEvents);
  const xcb_atom_t extents = atom("_NET_FRAME_EXTENTS");
  bool answering = false;
  for (int attempt = 0; attempt < attempts && !answering; ++attempt) {
    sendToRoot(probe, "_NET_REQUEST_FRAME_EXTENTS", {});
    answering = waitUntil(
        [&] { return !cardinals(connection_, probe, extents, XCB_ATOM_CARDINAL).empty(); }, each);
  }
  xcb_destroy_window(connection_, probe);
  return answering;
}

xcb_atom_t XSession::atom(const char* name) {
  const auto cookie = xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name);
  const auto reply = owned(xcb_intern_atom_reply(connection_, cookie, nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

Environment XSession::corvellaEnvironment(const Environment& changes) const {
  Environment variables{{"DISPLAY", display_},
                        {"HOME", (folder_ / "home").string()},
                        {"XDG_CONFIG_HOME", (folder_ / "config").string()},
                        {"XDG_STATE_HOME", (folder_ / "state").string()},
                        {"XDG_RUNTIME_DIR", (folder_ / "runtime").string()},
                        // No sound server, whatever the tests run from: the
                        // beep is the X bell the tests count.
                        {"PULSE_SERVER", "unix:" + (folder_ / "no-sound-server").string()}};
  for (const auto& [name, value] : changes) variables[name] = value;
  return variables;
}

bool XSession::drainEvents() {
  bool any = false;
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
    if ((event->response_type & 0x7f) == xkbEvent_ &&
        reinterpret_cast<const std::uint8_t*>(event)[1] == XCB_XKB_BELL_NOTIFY) {
      ++bells_;
    }
    if (onEvent) onEvent(*event);
    std::free(event);
    any = true;
  }
  for (char buffer[4096]; ::read(folderWatch_, buffer, sizeof buffer) > 0;) continue;
  return any;
}

void XSession::watchFolder(const std::filesystem::path& folder) {
  ::inotify_add_watch(
      folderWatch_, folder.c_str(),
      IN_MODIFY | IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM | IN_CLOSE_WRITE);
}

bool XSession::waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (true) {
    xcb_flush(connection_);
    drainEvents();
    if (condition()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || xcb_connection_has_error(connection_)) return false;
    // The condition's round trips may have read events poll() cannot see.
    if (drainEvents()) continue;
    std::vector<pollfd> descriptors{{xcb_get_file_descriptor(connection_), POLLIN, 0},
                                    {folderWatch_, POLLIN, 0}};
    ::poll(descriptors.data(), descriptors.size(), static_cast<int>(left.count()));
  }
}

ChildProcess* XSession::startTestClient(const std::vector<std::string>& windows) {
  std::vector<std::string> arguments{CORVELLA_TEST_CLIENT};
  for (const auto& window : windows) arguments.insert(arguments.end(), {"--window", window});
  auto& client = clients_.emplace_back(std::make_unique<ChildProcess>(
      arguments, corvellaEnvironment(),
      folder_ / ("client" + std::to_string(clients_.size()) + ".log")));
  const pid_t pid = client->pid();
  const auto withPid = std::ranges::count_if(
      windows, [](const std::string& window) { return window.find("nopid") == std::string::npos; });
  if (!waitUntil([&] { return std::ssize(managedWindowsOf(pid)) == withPid; })) {
    why_ = "client " + std::to_string(pid) + " was not managed on " + display_ + ": " +
           client->output() + " running=" + std::to_string(client->running());
    return nullptr;
  }
  return client.get();
}

std::optional<int> XSession::run(const std::vector<std::string>& arguments) {
  return ChildProcess(arguments, corvellaEnvironment(), folder_ / "run.log").wait();
}

std::vector<xcb_window_t> XSession::managedWindowsOf(pid_t pid) {
  const xcb_atom_t pidAtom = atom("_NET_WM_PID");
  const std::vector<std::uint32_t> itsPid{static_cast<std::uint32_t>(pid)};
  auto windows = cardinals(connection_, root_, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
  std::erase_if(windows, [&](xcb_window_t window) {
    return cardinals(connection_, window, pidAtom, XCB_ATOM_CARDINAL) != itsPid;
  });
  return windows;
}

std::optional<xcb_window_t> XSession::windowTitled(const std::string& title) {
  for (xcb_window_t window :
       cardinals(connection_, root_, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW)) {
    const auto name = property(connection_, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY);
    if (name && name->format == 8 &&
        std::string_view(static_cast<const char*>(xcb_get_property_value(name.get())),
                         xcb_get_property_value_length(name.get())) == title) {
      return window;
    }
  }
  return std::nullopt;
}

FrameExtents XSession::frameExtents(xcb_window_t window) {
  auto v = cardinals(connection_, window, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
  return v.size() < 4 ? FrameExtents{} : FrameExtents{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
}

std::optional<Frame> XSession::outerFrame(xcb_window_t window) {
  const auto geometry =
      owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
  const auto origin = owned(xcb_translate_coordinates_reply(
      connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr));
  if (!geometry || !origin) return std::nullopt;
  const FrameExtents e = frameExtents(window);
  const int border = geometry->border_width;
  return Frame{origin->dst_x - border - e.left, origin->dst_y - border - e.top,
               geometry->width + 2 * border + e.left + e.right,
               geometry->height + 2 * border + e.top + e.bottom};
}

std::optional<xcb_window_t> XSession::activeWindow() {
  auto active = cardinals(connection_, root_, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
  return active.empty() || !active[0] ? std::nullopt : std::optional(active[0]);
}

void XSession::sendToRoot(xcb_window_t window, const char* type,
                          std::initializer_list<std::uint32_t> data) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = atom(type);
  std::copy(data.begin(), data.end(), message.data.data32);
  xcb_send_event(connection_, 0, root_,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
}

bool XSession::activate(xcb_window_t window) {
  sendToRoot(window, "_NET_ACTIVE_WINDOW", {2});  // as a pager
  return waitUntil([&] { return activeWindow() == window; });
}

bool XSession::moveWindow(xcb_window_t window, const Frame& outer) {
  // Its ConfigureNotify events end the wait.
  const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &events);
  const FrameExtents e = frameExtents(window);
  // North-west gravity, all four fields, from a pager; the size is the client's.
  sendToRoot(window, "_NET_MOVERESIZE_WINDOW",
             {1 | (0xf << 8) | (2 << 12), std::uint32_t(outer.x), std::uint32_t(outer.y),
              std::uint32_t(outer.width - e.left - e.right),
              std::uint32_t(outer.height - e.top - e.bottom)});
  return waitUntil([&] { return outerFrame(window) == outer; });
}

bool XSession::grabKey(std::uint8_t key, std::uint16_t modifiers) {
  return !owned(xcb_request_check(
      connection_, xcb_grab_key_checked(connection_, 1, root_, modifiers, key, XCB_GRAB_MODE_ASYNC,
                                        XCB_GRAB_MODE_ASYNC)));
}

void XSession::press(const std::vector<std::uint8_t>& keys) {
  const auto fake = [&](std::uint8_t type, std::uint8_t key) {
    xcb_test_fake_input(connection_, type, key, XCB_CURRENT_TIME, root_, 0, 0, 0);
  };
  for (std::uint8_t key : keys) fake(XCB_KEY_PRESS, key);
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) fake(XCB_KEY_RELEASE, *key);
  owned(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

std::uint16_t XSession::modifierState() {
  const auto pointer =
      owned(xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), nullptr));
  return pointer ? pointer->mask : 0;
}

void XSession::writeDefaults(const std::string& json) {
  std::ofstream(folder_ / "config/corvella/defaults.json") << json;
}

bool XSession::startCorvella(const std::vector<std::string>& arguments, const Environment& extra) {
  // An earlier run's lines may be in the log already.
  const std::size_t earlier = logEntries().size();
  std::vector<std::string> command{corvellaProgram()};
  command.insert(command.end(), arguments.begin(), arguments.end());
  corvella_ =
      std::make_unique<ChildProcess>(command, corvellaEnvironment(extra), folder_ / "corvella.log");
  const bool launched = waitUntil([&] {
    const auto entries = logEntries();
    return std::any_of(entries.begin() + std::min(earlier, entries.size()), entries.end(),
                       [](const std::string& e) { return e.starts_with("자동 업데이트 — "); }) ||
           !corvella_->running();
  });
  return launched && corvella_->running();
}

std::vector<std::string> XSession::logEntries() const {
  // "2026-12-05T16:25:00Z " opens an entry; other lines continue the last one.
  std::ifstream stream(folder_ / "state/Corvella/Corvella.log");
  std::vector<std::string> entries;
  for (std::string line; std::getline(stream, line);) {
    if (line.size() >= 21 && line[4] == '-' && line[10] == 'T' && line[19] == 'Z' &&
        line[20] == ' ') {
      entries.push_back(line.substr(21));
    } else if (!entries.empty()) {
      entries.back() += "\n" + line;
    }
  }
  return entries;
}

std::string XSession::entryAfter(const std::function<void()>& action) {
  const std::size_t before = logEntries().size();
  action();
  std::vector<std::string> entries;
  const bool came = waitUntil([&] { return (entries = logEntries()).size() > before; });
  return came ? entries[before] : std::string();
}

Outcome XSession::runCorvella(const std::vector<std::string>& arguments,
                              const Environment& changes) {
  const auto out = folder_ / "command.out", err = folder_ / "command.err";
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  std::vector<std::string> command{corvellaProgram()};
  command.insert(command.end(), arguments.begin(), arguments.end());
  const auto status = ChildProcess(command, corvellaEnvironment(changes), out, err).wait();
  return {status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1, fileText(out), fileText(err)};
}

std::string XSession::corvellaProgram() {
  const char* installed = std::getenv("CORVELLA_E2E_PROGRAM");
  return installed && *installed ? installed : CORVELLA_PROGRAM;
}

}  // namespace corvella::e2e
