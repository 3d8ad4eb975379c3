#include "tray_desktop.h"

#include <signal.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>

namespace corvella::e2e {

// The session's connection watches the root's properties; the tray adds its
// MANAGER announcement, icons docking (reparented) and popups mapping.
constexpr std::uint32_t rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE |
                                     XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                     XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;

TrayDesktop::TrayDesktop(XSession& session)
    : session_(session), connection_(session.xcb()), root_(session.root()) {
  xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &rootEvents);
  session_.onEvent = [this](const xcb_generic_event_t& event) { noteFocus(event); };
}

void TrayDesktop::noteFocus(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  const auto& focus = reinterpret_cast<const xcb_focus_in_event_t&>(event);
  if ((type == XCB_FOCUS_IN || type == XCB_FOCUS_OUT) && focus.event == focused_) {
    if (focus.mode == XCB_NOTIFY_MODE_GRAB) grabbed_ = true;
    if (focus.mode == XCB_NOTIFY_MODE_UNGRAB) grabbed_ = false;
  }
}

bool TrayDesktop::waitForFile(const std::filesystem::path& file,
                              const std::optional<std::string>& part) {
  return session_.waitUntil([&] {
    // Folders that do not exist yet are watched from their parent on.
    auto folder = file.parent_path();
    while (!std::filesystem::is_directory(folder)) folder = folder.parent_path();
    session_.watchFolder(folder);
    const bool there = std::filesystem::exists(file);
    return part ? there && fileText(file).find(*part) != std::string::npos : !there;
  });
}

xcb_window_t TrayDesktop::trayOwner() {
  const auto cookie = xcb_get_selection_owner(connection_, session_.atom("_NET_SYSTEM_TRAY_S0"));
  const auto owner = owned(xcb_get_selection_owner_reply(connection_, cookie, nullptr));
  return owner ? owner->owner : xcb_window_t{XCB_WINDOW_NONE};
}

bool TrayDesktop::startHost() {
  host_ = std::make_unique<ChildProcess>(std::vector<std::string>{"tint2", "-c", CORVELLA_TINT2_RC},
                                         session_.corvellaEnvironment(),
                                         session_.folder() / "tint2.log");
  return session_.waitUntil([&] { return trayOwner() != XCB_WINDOW_NONE || !host_->running(); }) &&
         host_->running();
}

bool TrayDesktop::stopHost() {
  if (host_) host_->stop(SIGTERM);
  host_.reset();
  return session_.waitUntil([&] { return trayOwner() == XCB_WINDOW_NONE; });
}

std::optional<xcb_window_t> TrayDesktop::waitForIcon(pid_t corvella) {
  // A shown window of corvella's below another client's window, and not its
  // own frame (a managed window): the docked icon.
  const xcb_atom_t pidAtom = session_.atom("_NET_WM_PID");
  const std::vector<std::uint32_t> itsPid{static_cast<std::uint32_t>(corvella)};
  std::optional<xcb_window_t> icon;
  session_.waitUntil([&] {
    const auto managed = session_.managedWindowsOf(corvella);
    std::vector<xcb_window_t> pending{root_};
    while (!pending.empty() && !icon) {
      const xcb_window_t window = pending.back();
      pending.pop_back();
      auto tree =
          owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
      if (!tree) continue;
      const xcb_window_t* children = xcb_query_tree_children(tree.get());
      pending.insert(pending.end(), children,
                     children + xcb_query_tree_children_length(tree.get()));
      if (window == root_ || tree->parent == root_ ||
          cardinals(connection_, window, pidAtom, XCB_ATOM_CARDINAL) != itsPid) {
        continue;
      }
      const auto attributes = owned(xcb_get_window_attributes_reply(
          connection_, xcb_get_window_attributes(connection_, window), nullptr));
      if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) {
        // Shown a moment later: its MapNotify wakes the wait.
        const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &events);
      } else if (std::find(managed.begin(), managed.end(), window) == managed.end()) {
        icon = window;
      }
    }
    return icon.has_value();
  });
  return icon;
}

bool TrayDesktop::choose(int steps) {
  const std::optional<xcb_window_t> icon = waitForIcon(session_.corvellaPid());
  if (!icon) return false;
  // The menu's keyboard grab takes the keyboard from the focused window.
  focused_ = session_.activeWindow().value_or(root_);
  grabbed_ = false;
  // One mask per window and connection: what the others asked for stays.
  const std::uint32_t focusEvents = XCB_EVENT_MASK_FOCUS_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                    (focused_ == root_ ? rootEvents : 0);
  xcb_change_window_attributes(connection_, focused_, XCB_CW_EVENT_MASK, &focusEvents);
  const std::optional<Frame> frame = session_.outerFrame(*icon);
  if (!frame) return false;
  xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_,
                      static_cast<std::int16_t>(frame->x + frame->width / 2),
                      static_cast<std::int16_t>(frame->y + frame->height / 2), 0);
  xcb_test_fake_input(connection_, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, root_, 0, 0, 0);
  xcb_flush(connection_);
  // The button goes up once the menu is open, as a hand lets go of it.
  const bool opened = session_.waitUntil([&] { return grabbed_; });
  xcb_test_fake_input(connection_, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, root_, 0, 0, 0);
  xcb_flush(connection_);
  if (!opened) return false;
  for (int i = 0; i < std::abs(steps); ++i) session_.press({steps > 0 ? keys::down : keys::up});
  session_.press({36});  // Return
  return session_.waitUntil([&] { return !grabbed_; });
}

}  // namespace corvella::e2e
