// MacAccessibility: the Accessibility port over AXUIElement. Every call here is
// a live, blocking query of another application; nothing is cached.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include <string>

#include "core/ports/accessibility.h"

namespace corvella::mac {

class MacAccessibility final : public Accessibility {
 public:
  ElementRef createApplication(ProcessID pid) override;
  std::optional<AttributeValue> copyAttributeValue(const ElementRef& element,
                                                   std::string_view attribute) override;
  void setAttributeValue(const ElementRef& element, std::string_view attribute,
                         const AttributeValue& value) override;
  void performAction(const ElementRef& element, std::string_view action) override;
  bool isProcessTrusted() override;
  bool isProcessTrustedWithPrompt() override;

  // The last AX call that did not succeed, e.g. "copy AXPosition:
  // kAXErrorCannotComplete (-25204)". Only for inspecting in a debugger: the
  // core never sees AX error codes.
  const std::string& lastFailure() const { return lastFailure_; }

 private:
  void noteFailure(std::string_view call, std::string_view name, AXError error);

  std::string lastFailure_;
};

}  // namespace corvella::mac
