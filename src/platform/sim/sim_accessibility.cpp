#include "platform/sim/sim_accessibility.h"

#include <algorithm>

namespace corvella::sim {

namespace {

const AXGeometryValue* geometryOfKind(const AttributeValue& value, AXGeometryValue::Kind kind) {
  const auto* geometry = std::get_if<AXGeometryValue>(&value);
  return geometry && geometry->kind == kind ? geometry : nullptr;
}

}  // namespace

SimCall SimAccessibility::describe(std::string operation, const ElementRef& element,
                                   std::string_view attribute, std::string value) const {
  SimCall call;
  call.port = SimPort::accessibility;
  call.operation = std::move(operation);
  call.element = elementName(element);
  call.attribute = std::string(attribute);
  call.value = std::move(value);
  return call;
}

// The hook runs first, so that what it changes (a window closed) is what the
// call meets and what the record shows.
void SimAccessibility::begin(SimCall call, const ElementRef& element) {
  desktop_.beforeAccessibilityCall(call);
  std::optional<ProcessID> owner;
  if (const SimElement* sim = asSimElement(element)) {
    if (sim->kind() == SimElement::Kind::application) {
      owner = sim->pid();
    } else if (const SimWindow* window = desktop_.findWindow(sim->windowId())) {
      owner = window->pid;
    }
  }
  if (owner) {
    if (const SimApplication* app = desktop_.findApplication(*owner); app && app->running) {
      call.enhancedUserInterface = app->enhancedUserInterface;
    }
  }
  desktop_.record(std::move(call));
}

ElementRef SimAccessibility::createApplication(ProcessID pid) {
  ElementRef element = SimElement::application(pid);
  begin(describe("createApplication", element, {}), element);
  desktop_.afterAccessibilityCall();
  return element;
}

std::optional<AttributeValue> SimAccessibility::copyAttributeValue(const ElementRef& element,
                                                                   std::string_view attribute) {
  begin(describe("copy", element, attribute), element);
  std::optional<AttributeValue> result;
  if (const SimElement* sim = asSimElement(element); sim && desktop_.trusted()) {
    result = sim->kind() == SimElement::Kind::application ? readApplication(sim->pid(), attribute)
                                                          : readWindow(sim->windowId(), attribute);
  }
  desktop_.afterAccessibilityCall();
  return result;
}

void SimAccessibility::setAttributeValue(const ElementRef& element, std::string_view attribute,
                                         const AttributeValue& value) {
  begin(describe("set", element, attribute, formatValue(value)), element);
  if (const SimElement* sim = asSimElement(element); sim && desktop_.trusted()) {
    if (sim->kind() == SimElement::Kind::application) {
      writeApplication(sim->pid(), attribute, value);
    } else {
      writeWindow(sim->windowId(), attribute, value);
    }
  }
  desktop_.afterAccessibilityCall();
}

void SimAccessibility::performAction(const ElementRef& element, std::string_view action) {
  begin(describe("action", element, action), element);
  const SimElement* sim = asSimElement(element);
  if (sim && desktop_.trusted() && sim->kind() == SimElement::Kind::window && action == "AXRaise") {
    SimWindow* window = desktop_.findWindow(sim->windowId());
    SimApplication* app = window ? desktop_.findApplication(window->pid) : nullptr;
    if (window && window->open && app && !app->unresponsive) {
      // Raising makes the window its application's front and focused window.
      desktop_.bringToFront(window->id);
      app->focusedWindow = window->id;
      ++window->raiseCount;
    }
  }
  desktop_.afterAccessibilityCall();
}

bool SimAccessibility::isProcessTrusted() {
  SimCall call;
  call.port = SimPort::accessibility;
  call.operation = "isProcessTrusted";
  begin(std::move(call), nullptr);
  const bool trusted = desktop_.trusted();
  desktop_.afterAccessibilityCall();
  return trusted;
}

bool SimAccessibility::isProcessTrustedWithPrompt() {
  SimCall call;
  call.port = SimPort::accessibility;
  call.operation = "isProcessTrustedWithPrompt";
  begin(std::move(call), nullptr);
  const bool trusted = desktop_.trusted();
  if (!trusted) desktop_.recordPromptShown();
  desktop_.afterAccessibilityCall();
  return trusted;
}

std::optional<AttributeValue> SimAccessibility::readApplication(ProcessID pid,
                                                                std::string_view attribute) {
  const SimApplication* app = desktop_.findApplication(pid);
  if (!app || !app->running || app->unresponsive) return std::nullopt;
  if (auto found = app->overrides.find(attribute); found != app->overrides.end()) {
    return found->second;
  }
  if (attribute == "AXWindows") {
    std::vector<ElementRef> elements;
    elements.reserve(app->windows.size());
    for (SimWindowId id : app->windows) elements.push_back(SimElement::window(id));
    return elements;
  }
  if (attribute == "AXFocusedWindow") {
    if (!app->focusedWindow) return std::nullopt;
    return SimElement::window(*app->focusedWindow);
  }
  if (attribute == "AXEnhancedUserInterface") {
    if (!app->enhancedUserInterface) return std::nullopt;
    return *app->enhancedUserInterface;
  }
  if (attribute == "AXRole") return std::string("AXApplication");
  if (attribute == "AXTitle") {
    if (!app->localizedName) return std::nullopt;
    return *app->localizedName;
  }
  return std::nullopt;
}

std::optional<AttributeValue> SimAccessibility::readWindow(SimWindowId id,
                                                           std::string_view attribute) {
  const SimWindow* window = desktop_.findWindow(id);
  if (!window || !window->open) return std::nullopt;
  const SimApplication* app = desktop_.findApplication(window->pid);
  if (!app || !app->running || app->unresponsive) return std::nullopt;
  if (auto found = window->overrides.find(attribute); found != window->overrides.end()) {
    return found->second;
  }
  if (attribute == "AXRole") return window->role;
  if (attribute == "AXSubrole") {
    if (window->subrole.empty()) return std::nullopt;
    return window->subrole;
  }
  if (attribute == "AXMinimized") return window->minimized;
  if (attribute == "AXFullScreen") return window->fullScreen;
  if (attribute == "AXPosition") {
    return AXGeometryValue{AXGeometryValue::Kind::point, window->frame.x, window->frame.y};
  }
  if (attribute == "AXSize") {
    return AXGeometryValue{AXGeometryValue::Kind::size, window->frame.width, window->frame.height};
  }
  if (attribute == "AXTitle") return window->title;
  return std::nullopt;
}

void SimAccessibility::writeApplication(ProcessID pid, std::string_view attribute,
                                        const AttributeValue& value) {
  SimApplication* app = desktop_.findApplication(pid);
  if (!app || !app->running || app->unresponsive) return;
  // An application that does not report the attribute does not support it.
  if (attribute == "AXEnhancedUserInterface" && app->enhancedUserInterface) {
    if (const bool* flag = std::get_if<bool>(&value)) app->enhancedUserInterface = *flag;
  }
}

void SimAccessibility::writeWindow(SimWindowId id, std::string_view attribute,
                                   const AttributeValue& value) {
  SimWindow* window = desktop_.findWindow(id);
  if (!window || !window->open) return;
  const SimApplication* app = desktop_.findApplication(window->pid);
  if (!app || !app->running || app->unresponsive) return;

  if (attribute == "AXMinimized" || attribute == "AXFullScreen") {
    if (const bool* flag = std::get_if<bool>(&value)) {
      (attribute == "AXMinimized" ? window->minimized : window->fullScreen) = *flag;
    }
    return;
  }
  // A full-screen window keeps its frame, as on the real platform.
  if (window->refusesFrameWrites || window->fullScreen) return;
  if (attribute == "AXPosition") {
    if (const auto* point = geometryOfKind(value, AXGeometryValue::Kind::point)) {
      window->frame.x = point->a;
      window->frame.y = point->b;
    }
  } else if (attribute == "AXSize") {
    if (const auto* size = geometryOfKind(value, AXGeometryValue::Kind::size)) {
      const SimSize minimum = window->minimumSize.value_or(app->minimumSize.value_or(SimSize{}));
      // std::max keeps the minimum when handed a NaN, as a window would.
      window->frame.width = std::max(minimum.width, size->a);
      window->frame.height = std::max(minimum.height, size->b);
    }
  }
}

}  // namespace corvella::sim
