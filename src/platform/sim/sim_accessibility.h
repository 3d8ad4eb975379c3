// SimAccessibility: the Accessibility port over the simulated desktop.
//
// Application elements read "AXWindows" (open windows, front to back),
// "AXFocusedWindow" and "AXEnhancedUserInterface"; window elements read
// "AXRole", "AXSubrole", "AXMinimized", "AXFullScreen", "AXPosition"
// (point), "AXSize" (size) and "AXTitle". Overrides, closed windows, quit or
// unresponsive applications and missing trust give absent as the real
// platform does. Writes of "AXPosition" (a point) and "AXSize" (a size)
// move and resize; a size is raised to the minimum size; a value of the wrong
// kind is refused. "AXRaise" brings a window to the front of its
// application's list. Every call is recorded on the desktop.
#pragma once

#include "core/ports/accessibility.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimAccessibility final : public Accessibility {
 public:
  explicit SimAccessibility(SimDesktop& desktop) : desktop_(desktop) {}

  ElementRef createApplication(ProcessID pid) override;
  std::optional<AttributeValue> copyAttributeValue(const ElementRef& element,
                                                   std::string_view attribute) override;
  void setAttributeValue(const ElementRef& element, std::string_view attribute,
                         const AttributeValue& value) override;
  void performAction(const ElementRef& element, std::string_view action) override;
  bool isProcessTrusted() override;
  bool isProcessTrustedWithPrompt() override;

 private:
  SimCall describe(std::string operation, const ElementRef& element, std::string_view attribute,
                   std::string value = {}) const;
  void begin(SimCall call, const ElementRef& element);
  std::optional<AttributeValue> readApplication(ProcessID pid, std::string_view attribute);
  std::optional<AttributeValue> readWindow(SimWindowId id, std::string_view attribute);
  void writeApplication(ProcessID pid, std::string_view attribute, const AttributeValue& value);
  void writeWindow(SimWindowId id, std::string_view attribute, const AttributeValue& value);

  SimDesktop& desktop_;
};

}  // namespace corvella::sim
