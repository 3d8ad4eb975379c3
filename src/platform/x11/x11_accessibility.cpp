#include "platform/x11/x11_accessibility.h"

#include <algorithm>
#include <variant>

#include "platform/x11/x11_elements.h"
#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {
namespace {

using AtomList = std::vector<xcb_atom_t>;

bool contains(const AtomList& atoms, xcb_atom_t atom) {
  return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

const X11WindowElement* asWindow(const ElementRef& element) {
  return dynamic_cast<const X11WindowElement*>(element.get());
}

}  // namespace

X11Accessibility::X11Accessibility(X11Connection& connection, X11WindowFrames& frames,
                                   X11WorkCache& cache, X11DesktopState& desktop,
                                   X11Applications& applications, MainQueue& mainQueue)
    : connection_(connection),
      frames_(frames),
      cache_(cache),
      desktop_(desktop),
      applications_(applications),
      mainQueue_(mainQueue) {}

ElementRef X11Accessibility::createApplication(ProcessID pid) {
  return std::make_shared<X11ApplicationElement>(pid);
}

std::optional<AttributeValue> X11Accessibility::copyAttributeValue(const ElementRef& element,
                                                                   std::string_view attribute) {
  flushWrites();
  if (!element) return std::nullopt;
  if (const auto* window = asWindow(element)) return windowAttribute(window->window(), attribute);
  if (const auto* application = dynamic_cast<const X11ApplicationElement*>(element.get())) {
    return applicationAttribute(application->pid(), attribute);
  }
  return std::nullopt;
}

std::optional<AttributeValue> X11Accessibility::applicationAttribute(ProcessID pid,
                                                                     std::string_view attribute) {
  auto& ewmh = connection_.ewmh();
  const std::optional<ApplicationKey> application = applications_.keyOf(pid);
  if (attribute == "AXWindows") {
    std::vector<xcb_window_t> stacking = clientListStacking(connection_);
    std::reverse(stacking.begin(), stacking.end());
    std::vector<xcb_window_t> owned;
    if (application) {
      const auto keys = cache_.applicationKeys(stacking);
      for (std::size_t i = 0; i < stacking.size(); ++i) {
        if (keys[i] == application) owned.push_back(stacking[i]);
      }
    }
    // The core examines each of them next: everything it will read about
    // them is asked for now, in one round trip.
    cache_.requestCandidates(owned);
    std::vector<ElementRef> windows;
    for (xcb_window_t window : owned) {
      // A window gone while the window manager still lists it is left out.
      const auto facts = cache_.facts(window);
      if (!facts || contains(facts->kind.types, ewmh._NET_WM_WINDOW_TYPE_DOCK) ||
          contains(facts->kind.types, ewmh._NET_WM_WINDOW_TYPE_DESKTOP)) {
        continue;
      }
      windows.push_back(std::make_shared<X11WindowElement>(window));
    }
    return windows;
  }
  if (attribute == "AXFocusedWindow") {
    auto active = cache_.activeWindow();
    if (!active || !application || cache_.applicationKey(*active) != application) {
      return std::nullopt;
    }
    return ElementRef(std::make_shared<X11WindowElement>(*active));
  }
  return std::nullopt;
}

std::optional<AttributeValue> X11Accessibility::windowAttribute(xcb_window_t window,
                                                                std::string_view attribute) {
  auto& ewmh = connection_.ewmh();
  if (attribute == "AXPosition" || attribute == "AXSize") {
    // Where the window will be is not known yet: reported as not reached.
    if (cache_.unsettled(window)) return std::nullopt;
    const auto geometry = cache_.geometry(window);
    if (!geometry) return std::nullopt;
    const Rect frame = geometry->outerInCoreSpace(desktop_.monitors().front());
    if (attribute == "AXSize") {
      return AXGeometryValue{AXGeometryValue::Kind::size, frame.width, frame.height};
    }
    return AXGeometryValue{AXGeometryValue::Kind::point, frame.x, frame.y};
  }
  if (attribute == "AXRole") {
    if (!cache_.facts(window)) return std::nullopt;
    return std::string("AXWindow");
  }
  if (attribute == "AXSubrole") {
    auto role = subrole(window);
    if (!role) return std::nullopt;
    return *role;
  }
  if (attribute == "AXMinimized" || attribute == "AXFullScreen") {
    auto facts = cache_.facts(window);
    if (!facts) return std::nullopt;
    return contains(facts->states, attribute == "AXMinimized" ? ewmh._NET_WM_STATE_HIDDEN
                                                              : ewmh._NET_WM_STATE_FULLSCREEN);
  }
  if (attribute == "AXTitle") {
    auto title = cache_.title(window);
    if (!title) return std::nullopt;
    return *title;
  }
  return std::nullopt;
}

std::optional<std::string> X11Accessibility::subrole(xcb_window_t window) {
  auto& ewmh = connection_.ewmh();
  auto facts = cache_.facts(window);
  if (!facts) return std::nullopt;  // gone
  const WindowKind* kind = &facts->kind;
  // The first type this shell knows decides, as EWMH asks.
  for (xcb_atom_t type : kind->types) {
    if (type == ewmh._NET_WM_WINDOW_TYPE_NORMAL) return "AXStandardWindow";
    if (type == ewmh._NET_WM_WINDOW_TYPE_DIALOG) return "AXDialog";
    if (type == ewmh._NET_WM_WINDOW_TYPE_UTILITY || type == ewmh._NET_WM_WINDOW_TYPE_TOOLBAR ||
        type == ewmh._NET_WM_WINDOW_TYPE_MENU) {
      return "AXFloatingWindow";
    }
    if (type == ewmh._NET_WM_WINDOW_TYPE_SPLASH || type == ewmh._NET_WM_WINDOW_TYPE_DOCK ||
        type == ewmh._NET_WM_WINDOW_TYPE_DESKTOP ||
        type == ewmh._NET_WM_WINDOW_TYPE_DROPDOWN_MENU ||
        type == ewmh._NET_WM_WINDOW_TYPE_POPUP_MENU || type == ewmh._NET_WM_WINDOW_TYPE_TOOLTIP ||
        type == ewmh._NET_WM_WINDOW_TYPE_NOTIFICATION || type == ewmh._NET_WM_WINDOW_TYPE_COMBO ||
        type == ewmh._NET_WM_WINDOW_TYPE_DND) {
      return "AXUnknown";
    }
  }
  // No type: a transient window is a dialog, anything else a normal window.
  return kind->transient ? "AXDialog" : "AXStandardWindow";
}

void X11Accessibility::setAttributeValue(const ElementRef& element, std::string_view attribute,
                                         const AttributeValue& value) {
  const auto* window = asWindow(element);
  const auto* geometry = std::get_if<AXGeometryValue>(&value);
  if (!window || !geometry) return;
  const bool position = attribute == "AXPosition" && geometry->kind == AXGeometryValue::Kind::point;
  const bool size = attribute == "AXSize" && geometry->kind == AXGeometryValue::Kind::size;
  if (!position && !size) return;

  if (pending_ && pending_->window != window->window()) flushWrites();
  if (!pending_) {
    pending_ = PendingWrite{window->window(), {}};
    // Sent on the next turn at the latest, should nothing be read before.
    mainQueue_.post([this, alive = std::weak_ptr<const bool>(alive_)] {
      if (alive.lock()) flushWrites();
    });
  }
  if (position) {
    pending_->placement.x = geometry->a;
    pending_->placement.y = geometry->b;
  } else {
    pending_->placement.width = geometry->a;
    pending_->placement.height = geometry->b;
  }
}

void X11Accessibility::performAction(const ElementRef& element, std::string_view action) {
  flushWrites();
  const auto* window = asWindow(element);
  if (!window || action != "AXRaise") return;
  cache_.forgetActiveWindow();
  constexpr std::uint32_t sourcePager = 2;
  xcb_ewmh_request_change_active_window(&connection_.ewmh(), 0, window->window(),
                                        static_cast<xcb_ewmh_client_source_type_t>(sourcePager),
                                        XCB_CURRENT_TIME, XCB_WINDOW_NONE);
  connection_.flush();
}

void X11Accessibility::flushWrites() {
  if (!pending_) return;
  PendingWrite write = *pending_;
  pending_.reset();
  const auto geometry = cache_.geometry(write.window);
  if (!geometry) return;  // gone: nothing to place, which is no error
  // The title is read after the move; its answer comes with the move's.
  cache_.requestTitle(write.window);
  const auto placed =
      frames_.place(write.window, *geometry, cache_.states(write.window).value_or(AtomList{}),
                    desktop_.monitors().front(), write.placement, cache_.budget());
  if (!placed.answered) cache_.markUnsettled(write.window);
  cache_.placed(write.window, placed.geometry);
}

}  // namespace corvella::x11
