// WindowAccess: reading and writing other applications' windows through the
// Accessibility port. Every failed read gives absent; nothing here logs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/access/ax_window.h"
#include "core/actions/rect.h"
#include "core/ports/accessibility.h"
#include "core/ports/workspace.h"

namespace corvella {

class WindowAccess {
 public:
  WindowAccess(Accessibility& accessibility, Workspace& workspace);

  // Typed reads: one attribute copy each. The list, string and boolean reads
  // give absent for a value of another kind; the element and value reads
  // take the value as it comes.
  std::optional<ElementRef> elementAttribute(std::string_view name, const ElementRef& element);
  std::optional<std::vector<ElementRef>> elementsAttribute(std::string_view name,
                                                           const ElementRef& element);
  std::optional<AttributeValue> valueAttribute(std::string_view name, const ElementRef& element);
  std::optional<std::string> stringAttribute(std::string_view name, const ElementRef& element);
  std::optional<bool> boolAttribute(std::string_view name, const ElementRef& element);

  std::optional<AXWindow> focusedWindow();
  std::vector<AXWindow> standardWindows(ProcessID pid);
  std::optional<Rect> readFrame(const AXWindow& window);
  // Writes position, size, position with the enhanced interface off, and
  // gives the frame read back.
  std::optional<Rect> setFrame(const AXWindow& window, const Rect& frame);
  void raise(const AXWindow& window);

  Accessibility& accessibility() { return accessibility_; }
  Workspace& workspace() { return workspace_; }

 private:
  Accessibility& accessibility_;
  Workspace& workspace_;
};

}  // namespace corvella
