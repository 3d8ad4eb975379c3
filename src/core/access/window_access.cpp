#include "core/access/window_access.h"

#include <cmath>
#include <utility>
#include <variant>

namespace corvella {
namespace {

constexpr std::string_view windowsAttribute = "AXWindows";
constexpr std::string_view focusedWindowAttribute = "AXFocusedWindow";
constexpr std::string_view roleAttribute = "AXRole";
constexpr std::string_view subroleAttribute = "AXSubrole";
constexpr std::string_view minimizedAttribute = "AXMinimized";
constexpr std::string_view fullScreenAttribute = "AXFullScreen";
constexpr std::string_view positionAttribute = "AXPosition";
constexpr std::string_view sizeAttribute = "AXSize";
constexpr std::string_view enhancedUserInterfaceAttribute = "AXEnhancedUserInterface";
constexpr std::string_view raiseAction = "AXRaise";

// Reads the wrapped structure of the wanted kind out of a value. A value of
// another kind leaves the structure zeroed, as the platform's unpacking does.
std::pair<double, double> unpack(const AttributeValue& value, AXGeometryValue::Kind kind) {
  if (const auto* geometry = std::get_if<AXGeometryValue>(&value)) {
    if (geometry->kind == kind) return {geometry->a, geometry->b};
  }
  return {0, 0};
}

bool isFinite(const Rect& frame) {
  return std::isfinite(frame.x) && std::isfinite(frame.y) && std::isfinite(frame.width) &&
         std::isfinite(frame.height);
}

}  // namespace

WindowAccess::WindowAccess(Accessibility& accessibility, Workspace& workspace)
    : accessibility_(accessibility), workspace_(workspace) {}

std::optional<ElementRef> WindowAccess::elementAttribute(std::string_view name,
                                                         const ElementRef& element) {
  auto value = accessibility_.copyAttributeValue(element, name);
  if (!value) return std::nullopt;
  // A value that is not an element cannot be used as one: every later call on
  // it would fail, so it reads as absent here.
  auto* found = std::get_if<ElementRef>(&*value);
  if (!found || !*found) return std::nullopt;
  return *found;
}

std::optional<std::vector<ElementRef>> WindowAccess::elementsAttribute(std::string_view name,
                                                                       const ElementRef& element) {
  auto value = accessibility_.copyAttributeValue(element, name);
  if (!value) return std::nullopt;
  auto* list = std::get_if<std::vector<ElementRef>>(&*value);
  if (!list) return std::nullopt;
  return std::move(*list);
}

std::optional<AttributeValue> WindowAccess::valueAttribute(std::string_view name,
                                                           const ElementRef& element) {
  return accessibility_.copyAttributeValue(element, name);
}

std::optional<std::string> WindowAccess::stringAttribute(std::string_view name,
                                                         const ElementRef& element) {
  auto value = accessibility_.copyAttributeValue(element, name);
  if (!value) return std::nullopt;
  auto* text = std::get_if<std::string>(&*value);
  if (!text) return std::nullopt;
  return std::move(*text);
}

std::optional<bool> WindowAccess::boolAttribute(std::string_view name, const ElementRef& element) {
  auto value = accessibility_.copyAttributeValue(element, name);
  if (!value) return std::nullopt;
  auto* flag = std::get_if<bool>(&*value);
  if (!flag) return std::nullopt;
  return *flag;
}

std::optional<AXWindow> WindowAccess::focusedWindow() {
  auto application = workspace_.frontmostApplication();
  if (!application) return std::nullopt;
  ElementRef appElement = accessibility_.createApplication(application->processIdentifier);
  auto focused = elementAttribute(focusedWindowAttribute, appElement);
  if (!focused) return std::nullopt;
  return AXWindow{std::move(*focused), application->processIdentifier};
}

std::vector<AXWindow> WindowAccess::standardWindows(ProcessID pid) {
  ElementRef appElement = accessibility_.createApplication(pid);
  std::vector<ElementRef> elements =
      elementsAttribute(windowsAttribute, appElement).value_or(std::vector<ElementRef>{});

  std::vector<AXWindow> kept;
  for (ElementRef& element : elements) {
    if (!element) continue;
    AXWindow window{std::move(element), pid};
    // The tests run in this order and stop at the first that fails, so a
    // window is asked no more than it must be.
    if (stringAttribute(roleAttribute, window.element) != "AXWindow") continue;
    if (stringAttribute(subroleAttribute, window.element) != "AXStandardWindow") continue;
    if (boolAttribute(minimizedAttribute, window.element) == true) continue;
    if (boolAttribute(fullScreenAttribute, window.element) == true) continue;
    auto frame = readFrame(window);
    if (!frame) continue;
    if (!(frame->width > 1.0 && frame->height > 1.0)) continue;
    kept.push_back(std::move(window));
  }
  return kept;
}

std::optional<Rect> WindowAccess::readFrame(const AXWindow& window) {
  auto position = valueAttribute(positionAttribute, window.element);
  if (!position) return std::nullopt;
  auto size = valueAttribute(sizeAttribute, window.element);
  if (!size) return std::nullopt;
  auto [x, y] = unpack(*position, AXGeometryValue::Kind::point);
  auto [width, height] = unpack(*size, AXGeometryValue::Kind::size);
  return Rect{x, y, width, height};
}

std::optional<Rect> WindowAccess::setFrame(const AXWindow& window, const Rect& frame) {
  // A frame that is not finite would hand the other application nonsense;
  // nothing is written and no frame comes back, so the caller sees a failure.
  if (!isFinite(frame)) return std::nullopt;

  ElementRef appElement = accessibility_.createApplication(window.pid);
  // Applications with the enhanced interface on animate and fight frame
  // writes, so it is switched off for the writes and the read-back.
  const bool enhancedWasOn = boolAttribute(enhancedUserInterfaceAttribute, appElement) == true;
  if (enhancedWasOn) {
    accessibility_.setAttributeValue(appElement, enhancedUserInterfaceAttribute,
                                     AttributeValue{false});
  }

  const AttributeValue position{AXGeometryValue{AXGeometryValue::Kind::point, frame.x, frame.y}};
  const AttributeValue size{
      AXGeometryValue{AXGeometryValue::Kind::size, frame.width, frame.height}};
  // A size change can shift the window (an application may keep it on screen
  // while it grows), so the position is written once more afterwards.
  accessibility_.setAttributeValue(window.element, positionAttribute, position);
  accessibility_.setAttributeValue(window.element, sizeAttribute, size);
  accessibility_.setAttributeValue(window.element, positionAttribute, position);

  auto readBack = readFrame(window);

  if (enhancedWasOn) {
    accessibility_.setAttributeValue(appElement, enhancedUserInterfaceAttribute,
                                     AttributeValue{true});
  }
  return readBack;
}

void WindowAccess::raise(const AXWindow& window) {
  accessibility_.performAction(window.element, raiseAction);
}

}  // namespace corvella
