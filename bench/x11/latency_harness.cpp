// corvella-latency: how long a shortcut takes on a real X server, from the
// key press (injected through XTEST) until the window manager reports the
// window at its target (a ConfigureNotify with that frame), measured in one
// run against
//   - the floor: a bare _NET_MOVERESIZE_WINDOW from a client already connected;
//   - the key floor: the same request sent by a client that holds the same
//     key grab and answers the press with nothing else, so that what the key's
//     way through the server and one more process costs is seen apart from
//     what corvella does;
//   - the alternative a Linux user has today: xbindkeys running
//     `wmctrl -r :ACTIVE: -e ...` on the same press.
// corvella runs the half moves headless (its own poll loop) and with the
// desktop interface (its icon in a tray, tint2, and Qt's event loop running
// the X11 shell), in alternate blocks; for each its resident memory and its
// wake-ups while idle are read from /proc.
// Also counts the X requests and round trips corvella's code makes per action,
// by running the same core and ports inside this process, and times tiling
// 20 and 200 windows there.
//
//   corvella-latency [PRESSES]   (default 200)
#include <poll.h>
#include <signal.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <dirent.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/app/corvella.h"
#include "latency_stats.h"
#include "platform/x11/x11_platform.h"
#include "tray_desktop.h"
#include "x_session.h"

namespace {

using corvella::e2e::Frame;
using corvella::e2e::FrameExtents;
using corvella::e2e::XSession;
namespace keys = corvella::e2e::keys;
using Clock = std::chrono::steady_clock;

constexpr auto eventLimit = std::chrono::seconds(2);

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A connection of the harness's own: it injects the presses and watches the
// windows, so nothing else reads its events.
class Probe {
 public:
  explicit Probe(const std::string& display) : connection_(xcb_connect(display.c_str(), nullptr)) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  }
  ~Probe() { xcb_disconnect(connection_); }
  bool broken() const { return xcb_connection_has_error(connection_) != 0; }

  // Watches the window manager's frame around the client: its ConfigureNotify
  // carries the outer frame in root coordinates, for moves and resizes alike.
  void watch(xcb_window_t window) {
    auto* tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr);
    const xcb_window_t frame = tree && tree->parent != root_ ? tree->parent : window;
    std::free(tree);
    const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, frame, XCB_CW_EVENT_MASK, &events);
    sync();
  }
  void sync() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
  }
  void press(const std::vector<std::uint8_t>& keys) {
    for (auto key : keys) {
      xcb_test_fake_input(connection_, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, root_, 0, 0, 0);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
      xcb_test_fake_input(connection_, XCB_KEY_RELEASE, *key, XCB_CURRENT_TIME, root_, 0, 0, 0);
    }
    xcb_flush(connection_);
  }
  void moveResize(xcb_window_t window, const Frame& outer, const FrameExtents& extents) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_MOVERESIZE_WINDOW");
    message.data.data32[0] = 1 | (0xf << 8) | (2 << 12);
    message.data.data32[1] = static_cast<std::uint32_t>(outer.x);
    message.data.data32[2] = static_cast<std::uint32_t>(outer.y);
    message.data.data32[3] = static_cast<std::uint32_t>(outer.width - extents.left - extents.right);
    message.data.data32[4] =
        static_cast<std::uint32_t>(outer.height - extents.top - extents.bottom);
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
  }
  // Waits for a ConfigureNotify showing some watched frame at the target.
  bool waitForFrame(const Frame& outer) { return waitForFrames({outer}); }
  // Waits until ConfigureNotify events have shown a watched frame at each of
  // the targets.
  bool waitForFrames(std::vector<Frame> targets) {
    const auto deadline = Clock::now() + eventLimit;
    while (!broken()) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        if ((event->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY) {
          const auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event);
          const int border = 2 * configure->border_width;
          const Frame shown{configure->x, configure->y, configure->width + border,
                            configure->height + border};
          const auto reached = std::find(targets.begin(), targets.end(), shown);
          if (reached != targets.end()) targets.erase(reached);
        }
        std::free(event);
        if (targets.empty()) return true;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return false;
      pollfd readable{xcb_get_file_descriptor(connection_), POLLIN, 0};
      ::poll(&readable, 1, static_cast<int>(left.count()));
    }
    return false;
  }

 private:
  xcb_atom_t atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
  }
  xcb_connection_t* connection_;
  xcb_window_t root_ = XCB_WINDOW_NONE;
};

// The key floor's client: grabs the halves' keys on the root and answers
// each press with the bare request, on a thread of its own so that the
// harness's connection only watches.
class KeyFloor {
 public:
  KeyFloor(const std::string& display, xcb_window_t window, std::function<Frame(int)> target,
           const FrameExtents& extents)
      : sender_(display),
        connection_(xcb_connect(display.c_str(), nullptr)),
        window_(window),
        target_(std::move(target)),
        extents_(extents) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    for (std::uint8_t key : {keys::left, keys::right}) {
      xcb_grab_key(connection_, 0, root_, XCB_MOD_MASK_4 | XCB_MOD_MASK_1, key, XCB_GRAB_MODE_ASYNC,
                   XCB_GRAB_MODE_ASYNC);
    }
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    thread_ = std::thread([this] { run(); });
  }
  ~KeyFloor() {
    stop_ = true;
    thread_.join();
    xcb_ungrab_key(connection_, XCB_GRAB_ANY, root_, XCB_MOD_MASK_ANY);
    xcb_disconnect(connection_);
  }
  KeyFloor(const KeyFloor&) = delete;
  KeyFloor& operator=(const KeyFloor&) = delete;

 private:
  void run() {
    int presses = 0;
    while (!stop_ && !xcb_connection_has_error(connection_)) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        if ((event->response_type & 0x7f) == XCB_KEY_PRESS) {
          sender_.moveResize(window_, target_(presses++), extents_);
        }
        std::free(event);
      }
      pollfd readable{xcb_get_file_descriptor(connection_), POLLIN, 0};
      ::poll(&readable, 1, 100);
    }
  }

  Probe sender_;
  xcb_connection_t* connection_;
  xcb_window_t root_ = XCB_WINDOW_NONE;
  xcb_window_t window_;
  std::function<Frame(int)> target_;
  FrameExtents extents_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

struct Series {
  std::string name;
  std::vector<double> samples;
  int missed = 0;
  std::vector<int> steps;  // which of two alternating steps each sample timed

  void record(int step, double milliseconds) {
    samples.push_back(milliseconds);
    steps.push_back(step);
  }
  // The samples of one step alone: tilings in columns and in rows cost the
  // window manager differently, and a median across both says neither.
  Series ofStep(int step, const std::string& label) const {
    Series one{label, {}, 0, {}};
    for (std::size_t i = 0; i < samples.size(); ++i) {
      if (steps[i] == step) one.record(step, samples[i]);
    }
    return one;
  }
  double p50() const { return corvella::latency::percentile(samples, 50); }
  double p99() const { return corvella::latency::percentile(samples, 99); }
};

// Alternates the two steps, timing each until its target frame is reported.
Series measure(const std::string& name, int count, Probe& probe,
               const std::function<void(int)>& step, const std::function<Frame(int)>& target) {
  Series series{name, {}, 0, {}};
  for (int i = 0; i < count; ++i) {
    probe.sync();
    const auto start = Clock::now();
    step(i);
    if (probe.waitForFrame(target(i))) {
      series.record(i % 2, millisecondsSince(start));
    } else {
      ++series.missed;
      std::fprintf(stderr, "  %s: press %d did not reach its target within %lld ms\n", name.c_str(),
                   i, static_cast<long long>(eventLimit.count() * 1000));
    }
  }
  return series;
}

void print(const Series& series, double floorP50) {
  std::printf("  %-44s %8.2f %8.2f   %5.2f×%s\n", series.name.c_str(), series.p50(), series.p99(),
              floorP50 > 0 ? series.p50() / floorP50 : 0.0,
              series.missed ? ("  (" + std::to_string(series.missed) + " missed)").c_str() : "");
}

// What a running corvella costs while it waits: resident memory, and how
// often any of its threads ran during an idle stretch.
struct IdleFigures {
  long residentKilobytes = 0;
  long wakeups = 0;
};

long statusField(const std::string& file, const std::string& field) {
  std::ifstream status(file);
  long total = 0;
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field, 0) == 0) total += std::atol(line.c_str() + field.size());
  }
  return total;
}

long contextSwitches(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  long total = 0;
  if (DIR* folder = ::opendir(tasks.c_str())) {
    while (const dirent* entry = ::readdir(folder)) {
      if (entry->d_name[0] == '.') continue;
      const std::string status = tasks + "/" + entry->d_name + "/status";
      total += statusField(status, "voluntary_ctxt_switches:") +
               statusField(status, "nonvoluntary_ctxt_switches:");
    }
    ::closedir(folder);
  }
  return total;
}

IdleFigures idleFigures(pid_t pid, std::chrono::seconds idle) {
  // What the last press set going (the window manager's answers) settles first.
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const long before = contextSwitches(pid);
  std::this_thread::sleep_for(idle);
  return {statusField("/proc/" + std::to_string(pid) + "/status", "VmRSS:"),
          contextSwitches(pid) - before};
}

struct Counts {
  double requests = 0;
  double roundTrips = 0;
};

// Runs the core on the X11 ports in this process and counts what one action costs.
Counts countAction(XSession& session, corvella::WindowAction first, corvella::WindowAction second,
                   int repetitions) {
  ::setenv("XDG_STATE_HOME", (session.folder() / "state").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (session.folder() / "config").c_str(), 1);
  std::string error;
  auto platform = corvella::x11::X11Platform::open(session.display(), "/proc/self/exe", &error);
  if (!platform) return {};
  corvella::Corvella app(platform->services());
  auto& connection = platform->connection();
  auto& manager = app.services().windowManager();
  manager.perform(second);  // warm: the first query learns what the window manager supports
  platform->finishWork();
  Counts total;
  for (int i = 0; i < repetitions; ++i) {
    const auto sequence = connection.nextSequence();
    const auto roundTrips = connection.roundTrips();
    manager.perform(i % 2 ? second : first);
    platform->finishWork();
    // The counting request itself is not the action's.
    total.requests += static_cast<double>(connection.nextSequence() - sequence - 1);
    total.roundTrips += static_cast<double>(connection.roundTrips() - roundTrips);
  }
  return {total.requests / repetitions, total.roundTrips / repetitions};
}

// Tiles the windows of one application, alternately in columns and in rows,
// with the core and ports in this process: milliseconds from perform() until
// it returns, every window placed, handled by the window manager and read
// back; and what each tiling costs on the connection.
struct TilingFigures {
  Series series;
  Counts counts;
  // Where the last tiling in columns and the last in rows left each window.
  std::vector<Frame> columns, rows;
};

TilingFigures timeTiling(XSession& session, const std::vector<xcb_window_t>& windows,
                         int repetitions) {
  TilingFigures figures{{"", {}, 0, {}}, {}, {}, {}};
  const xcb_window_t focused = windows.front();
  std::string error;
  auto platform = corvella::x11::X11Platform::open(session.display(), "/proc/self/exe", &error);
  if (!platform) return figures;
  corvella::Corvella app(platform->services());
  auto& connection = platform->connection();
  auto& manager = app.services().windowManager();
  session.activate(focused);
  manager.perform(corvella::WindowAction::tileAppRows);  // warm, as for the counts
  platform->finishWork();
  for (int i = 0; i < repetitions; ++i) {
    // What the last tiling set going reaches this process first, as it
    // would reach the daemon's loop between two presses.
    connection.sync();
    platform->mainLoop().dispatchEvents();
    const auto sequence = connection.nextSequence();
    const auto roundTrips = connection.roundTrips();
    const auto start = Clock::now();
    manager.perform(i % 2 ? corvella::WindowAction::tileAppRows
                          : corvella::WindowAction::tileAppColumns);
    platform->finishWork();
    figures.series.record(i % 2, millisecondsSince(start));
    figures.counts.requests += static_cast<double>(connection.nextSequence() - sequence - 1);
    figures.counts.roundTrips += static_cast<double>(connection.roundTrips() - roundTrips);
    if (i + 2 < repetitions) continue;
    // The last two tilings' frames, once the window manager has placed
    // every window (those past the wait budget too).
    connection.sync();
    session.windowManagerAnswers();
    auto& frames = i % 2 ? figures.rows : figures.columns;
    for (xcb_window_t window : windows) {
      frames.push_back(session.outerFrame(window).value_or(Frame{}));
    }
  }
  figures.counts.requests /= repetitions;
  figures.counts.roundTrips /= repetitions;
  return figures;
}

// What any tiler that places one window after another pays at least: the
// frames corvella's tilings left, alternately in columns and in rows, each
// asked for by a bare _NET_MOVERESIZE_WINDOW, the next one sent only once
// the window manager reports the frame at its target.
// With `together`, every move is sent before any is waited for: what the
// window manager and the server need for the frames themselves.
Series timeBareTiling(XSession& session, const std::vector<xcb_window_t>& windows,
                      const TilingFigures& tiled, int repetitions, bool together) {
  Series series{"", {}, 0, {}};
  Probe sender(session.display());
  std::vector<FrameExtents> extents;
  for (xcb_window_t window : windows) {
    sender.watch(window);
    extents.push_back(session.frameExtents(window));
  }
  for (int i = 0; i < repetitions; ++i) {
    const std::vector<Frame>& targets = i % 2 ? tiled.rows : tiled.columns;
    sender.sync();
    const auto start = Clock::now();
    bool reached = targets.size() == windows.size();
    for (std::size_t w = 0; reached && w < windows.size(); ++w) {
      sender.moveResize(windows[w], targets[w], extents[w]);
      // A frame the window manager reports otherwise ends the run.
      if (!together) reached = sender.waitForFrame(targets[w]);
    }
    if (together && reached) reached = sender.waitForFrames(targets);
    if (reached) {
      series.record(i % 2, millisecondsSince(start));
    } else {
      ++series.missed;
    }
  }
  return series;
}

// A client with this many windows of one class, placed in a cascade.
corvella::e2e::ChildProcess* startWindows(XSession& session, const std::string& prefix, int count,
                                          const std::string& className) {
  std::vector<std::string> windows;
  for (int i = 0; i < count; ++i) {
    windows.push_back("title=" + prefix + std::to_string(i) +
                      ";size=200x150;at=" + std::to_string(40 + (50 * i) % 1000) + "," +
                      std::to_string(30 + (35 * i) % 600) +
                      (className.empty() ? "" : ";class=" + className));
  }
  return session.startTestClient(windows);
}

}  // namespace

int main(int argc, char** argv) {
  const int presses = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
  ::signal(SIGPIPE, SIG_IGN);
  XSession session;
  if (!session.ready()) {
    std::fprintf(stderr, "corvella-latency: %s\n", session.why().c_str());
    return 1;
  }
  if (!session.startTestClient({"title=Bench;size=600x400;at=200,150;class=Bench"})) {
    std::fprintf(stderr, "corvella-latency: %s\n", session.why().c_str());
    return 1;
  }
  const xcb_window_t window = *session.windowTitled("Bench");
  session.activate(window);
  const FrameExtents extents = session.frameExtents(window);
  Probe probe(session.display());
  probe.watch(window);
  const Frame leftHalf{0, 0, 720, 900}, rightHalf{720, 0, 720, 900};
  auto halves = [&](int i) { return i % 2 ? rightHalf : leftHalf; };

  std::printf(
      "Xvfb 1440×900, openbox, %d presses per path; milliseconds from the press (or\n"
      "request) until the window manager reports the window at its target\n\n",
      presses);
  std::printf("  %-44s %8s %8s   %s\n", "path", "p50", "p99", "p50 / floor");

  const Series floor = measure(
      "floor: bare _NET_MOVERESIZE_WINDOW", presses, probe,
      [&](int i) { probe.moveResize(window, halves(i), extents); }, halves);
  print(floor, floor.p50());
  auto pressHalves = [&](int i) {
    probe.press({keys::super, keys::alt, i % 2 ? keys::right : keys::left});
  };

  // corvella headless and with its tray icon, in alternate blocks (so that
  // both meet the same load on the machine), with the tray's panel on the
  // screen for both: it takes 30 pixels off the bottom.
  const Frame leftAbovePanel{0, 0, 720, 870}, rightAbovePanel{720, 0, 720, 870};
  auto halvesAbovePanel = [&](int i) { return i % 2 ? rightAbovePanel : leftAbovePanel; };
  Series corvella{"corvella leftHalf / rightHalf (⌥⌘← / ⌥⌘→)", {}, 0, {}};
  Series withTray{"corvella with its tray icon, same presses", {}, 0, {}};
  IdleFigures headlessAtRest, withTrayAtRest;
  constexpr int blocks = 4;
  constexpr auto idle = std::chrono::seconds(5);
  auto add = [](Series& total, const Series& block) {
    total.samples.insert(total.samples.end(), block.samples.begin(), block.samples.end());
    total.steps.insert(total.steps.end(), block.steps.begin(), block.steps.end());
    total.missed += block.missed;
  };
  corvella::e2e::TrayDesktop tray(session);
  if (!tray.startHost()) {
    std::fprintf(stderr, "corvella-latency: the tray (tint2) did not start\n");
    return 1;
  }
  // The key floor under the same conditions as corvella: the panel on the
  // screen, the same presses.
  Series keyFloor;
  {
    KeyFloor client(session.display(), window, halvesAbovePanel, extents);
    keyFloor = measure("key floor: the press answered by that request", presses, probe, pressHalves,
                       halvesAbovePanel);
  }
  for (int block = 0; block < blocks; ++block) {
    const bool last = block == blocks - 1;
    if (!session.startCorvella({"--headless"}, {})) {
      std::fprintf(stderr, "corvella-latency: corvella did not start\n%s",
                   session.corvellaOutput().c_str());
      return 1;
    }
    add(corvella, measure(corvella.name, presses / blocks, probe, pressHalves, halvesAbovePanel));
    if (last) headlessAtRest = idleFigures(session.corvellaPid(), idle);
    session.stopCorvella();
#ifdef CORVELLA_LATENCY_TRAY
    if (!session.startCorvella() || !tray.waitForIcon(session.corvellaPid())) {
      std::fprintf(stderr, "corvella-latency: corvella with its tray icon did not start\n%s",
                   session.corvellaOutput().c_str());
      return 1;
    }
    add(withTray, measure(withTray.name, presses / blocks, probe, pressHalves, halvesAbovePanel));
    if (last) withTrayAtRest = idleFigures(session.corvellaPid(), idle);
    session.stopCorvella();
#endif
  }
  tray.stopHost();
  print(keyFloor, floor.p50());
  print(corvella, floor.p50());
#ifdef CORVELLA_LATENCY_TRAY
  print(withTray, floor.p50());
#endif

  // The alternative: the same presses bound by xbindkeys to wmctrl.
  const auto rc = session.folder() / "xbindkeysrc";
  auto wmctrl = [&](const Frame& f) {
    return "\"wmctrl -r :ACTIVE: -e 0," + std::to_string(f.x) + "," + std::to_string(f.y) + "," +
           std::to_string(f.width - extents.left - extents.right) + "," +
           std::to_string(f.height - extents.top - extents.bottom) + "\"\n";
  };
  // The last binding (F12, unused) tells when xbindkeys has made its grabs.
  std::ofstream(rc) << wmctrl(leftHalf) << "  Mod4+Mod1 + Left\n"
                    << wmctrl(rightHalf) << "  Mod4+Mod1 + Right\n"
                    << "\"true\"\n  Mod4+Mod1 + F12\n";
  corvella::e2e::ChildProcess xbindkeys({"xbindkeys", "-n", "-f", rc.string()},
                                        {{"DISPLAY", session.display()}},
                                        session.folder() / "xbindkeys.log");
  // Ready once its last grab refuses ours. Should ours come first, xbindkeys
  // only loses the unused key, and the wait ends at its limit.
  constexpr std::uint8_t f12 = 96;
  session.waitUntil([&] {
    if (session.grabKey(f12, XCB_MOD_MASK_4 | XCB_MOD_MASK_1)) {
      xcb_ungrab_key(session.xcb(), f12, session.root(), XCB_MOD_MASK_4 | XCB_MOD_MASK_1);
      return false;
    }
    return true;
  });
  const Series alternative =
      measure("xbindkeys + wmctrl -r :ACTIVE: -e", presses, probe, pressHalves, halves);
  print(alternative, floor.p50());
  xbindkeys.stop(SIGTERM);

  // Twenty windows of one application, alternately in columns and in rows.
  corvella::e2e::ChildProcess* many = startWindows(session, "T", 20, "");
  if (!many) {
    std::fprintf(stderr, "corvella-latency: %s\n", session.why().c_str());
    return 1;
  }
  const auto tiled = session.managedWindowsOf(many->pid());
  for (xcb_window_t w : tiled) probe.watch(w);
  session.activate(tiled.front());
  session.startCorvella();
  // The last cell is written last, after every other window has settled.
  const Frame lastColumn{1368, 0, 72, 900}, lastRow{0, 855, 1440, 45};
  auto tiles = [&](int i) { return i % 2 ? lastRow : lastColumn; };
  const Series tiling = measure(
      "corvella tile 20 windows", presses, probe,
      [&](int i) {
        if (i % 2) {
          probe.press({keys::super, keys::alt, keys::shift, keys::a});
        } else {
          probe.press({keys::super, keys::alt, keys::a});
        }
      },
      tiles);
  print(tiling.ofStep(0, "  in columns (⌥⌘A)"), floor.p50());
  print(tiling.ofStep(1, "  in rows (⌥⇧⌘A)"), floor.p50());
  session.stopCorvella();

  std::printf("\n  corvella against the alternative: p50 %.1f× faster, p99 %.1f× faster\n",
              alternative.p50() / corvella.p50(), alternative.p99() / corvella.p99());
  std::printf("  corvella against the floor: p50 %.2f×, p99 %.2f×\n", corvella.p50() / floor.p50(),
              corvella.p99() / floor.p99());
  std::printf("  corvella against the key floor: p50 %.2f×, p99 %.2f×\n",
              corvella.p50() / keyFloor.p50(), corvella.p99() / keyFloor.p99());
  std::printf("\n  corvella at rest (%lld s idle after the presses):\n",
              static_cast<long long>(idle.count()));
  std::printf("    headless                 %6.1f MB resident  %3ld wake-ups\n",
              static_cast<double>(headlessAtRest.residentKilobytes) / 1024, headlessAtRest.wakeups);
#ifdef CORVELLA_LATENCY_TRAY
  std::printf("    with the tray icon       %6.1f MB resident  %3ld wake-ups\n",
              static_cast<double>(withTrayAtRest.residentKilobytes) / 1024, withTrayAtRest.wakeups);
  std::printf("  with the tray icon against headless: p50 %.2f×, p99 %.2f×\n",
              withTray.p50() / corvella.p50(), withTray.p99() / corvella.p99());
#endif

  session.activate(window);
  const Counts half =
      countAction(session, corvella::WindowAction::leftHalf, corvella::WindowAction::rightHalf, 20);
  session.activate(tiled.front());
  const Counts tile = countAction(session, corvella::WindowAction::tileAppColumns,
                                  corvella::WindowAction::tileAppRows, 10);
  std::printf("\n  X requests and round trips per action (core and ports run in this process):\n");
  std::printf("    leftHalf / rightHalf     %6.1f requests  %5.1f round trips\n", half.requests,
              half.roundTrips);
  std::printf("    tile 20 windows          %6.1f requests  %5.1f round trips\n", tile.requests,
              tile.roundTrips);

  // Tiling timed in this process, for 20 windows and for 200.
  const int tilings = std::max(10, presses / 10);
  TilingFigures twentyTiled = timeTiling(session, tiled, tilings);
  const Series twentyBare = timeBareTiling(session, tiled, twentyTiled, tilings, false);
  const Series twentyTogether = timeBareTiling(session, tiled, twentyTiled, tilings, true);
  corvella::e2e::ChildProcess* hundreds = startWindows(session, "H", 200, "Many");
  if (!hundreds) {
    std::fprintf(stderr, "corvella-latency: %s\n", session.why().c_str());
    return 1;
  }
  const auto twoHundred = session.managedWindowsOf(hundreds->pid());
  TilingFigures twoHundredTiled = timeTiling(session, twoHundred, tilings);
  const Series twoHundredBare =
      timeBareTiling(session, twoHundred, twoHundredTiled, tilings, false);
  const Series twoHundredTogether =
      timeBareTiling(session, twoHundred, twoHundredTiled, tilings, true);
  std::printf("\n  tiling in this process, %d times each (perform() until it returns):\n", tilings);
  std::printf("  %-44s %8s %8s   %s\n", "windows", "p50", "p99",
              "requests (per window), round trips");
  const char* layouts[] = {"in columns", "in rows"};
  for (const auto& [count, figures] : {std::pair<int, const TilingFigures&>{20, twentyTiled},
                                       {static_cast<int>(twoHundred.size()), twoHundredTiled}}) {
    for (int step = 0; step < 2; ++step) {
      const Series one = figures.series.ofStep(step, "");
      std::printf("  %4d %-39s %8.2f %8.2f   %.0f (%.1f), %.0f\n", count, layouts[step], one.p50(),
                  one.p99(), figures.counts.requests, figures.counts.requests / std::max(count, 1),
                  figures.counts.roundTrips);
    }
  }
  const struct {
    const char* name;
    const Series& twenty;
    const Series& hundreds;
  } floors[] = {
      {"floor: the same frames by bare requests, one window after another:", twentyBare,
       twoHundredBare},
      {"floor: the same frames by bare requests, all sent at once:", twentyTogether,
       twoHundredTogether},
  };
  for (const auto& each : floors) {
    std::printf("  %s\n", each.name);
    for (const auto& [count, series] : {std::pair<int, const Series&>{20, each.twenty},
                                        {static_cast<int>(twoHundred.size()), each.hundreds}}) {
      for (int step = 0; step < 2; ++step) {
        const Series one = series.ofStep(step, "");
        std::printf("  %4d %-39s %8.2f %8.2f\n", count, layouts[step], one.p50(), one.p99());
      }
      std::printf("  %4d %-39s (%d of %d missed)\n", count, "", series.missed, tilings);
    }
  }
  return 0;
}
