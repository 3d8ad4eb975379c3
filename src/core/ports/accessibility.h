// Accessibility: other applications' elements and their named attributes.
//
// The core speaks the platform's attribute vocabulary ("AXWindows",
// "AXPosition", ...). A shell maps it onto its own window system. A read gives
// absent on any error or a null value, exactly like a failed copy.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvella {

using ProcessID = std::int32_t;

// An element of another application, owned by the platform. Copies of an
// ElementRef share it; the element lives as long as any copy does.
class PlatformElement {
 public:
  virtual ~PlatformElement() = default;
  // The platform's element equality (two handles may name one element).
  virtual bool equals(const PlatformElement& other) const = 0;
};
using ElementRef = std::shared_ptr<const PlatformElement>;

// A wrapped geometric value. Kind 1 is a point (a = x, b = y), kind 2 a size
// (a = width, b = height); other kinds exist on the platform and are kept so
// that a reader can see it was handed the wrong one.
struct AXGeometryValue {
  enum class Kind : int { point = 1, size = 2, other = 0 };
  Kind kind = Kind::other;
  double a = 0;
  double b = 0;
  friend bool operator==(const AXGeometryValue&, const AXGeometryValue&) = default;
};

// Any value an attribute can hold. Numbers other than booleans appear only so
// that a reader can be handed a value of the wrong kind.
using AttributeValue =
    std::variant<bool, double, std::string, ElementRef, std::vector<ElementRef>, AXGeometryValue>;

class Accessibility {
 public:
  virtual ~Accessibility() = default;

  // A fresh application element for a process; released when the last copy goes.
  virtual ElementRef createApplication(ProcessID pid) = 0;
  // One attribute copy. Absent on an error code or a null value.
  virtual std::optional<AttributeValue> copyAttributeValue(const ElementRef& element,
                                                           std::string_view attribute) = 0;
  // One attribute write. The platform's result is never examined.
  virtual void setAttributeValue(const ElementRef& element, std::string_view attribute,
                                 const AttributeValue& value) = 0;
  // One action ("AXRaise"). The platform's result is never examined.
  virtual void performAction(const ElementRef& element, std::string_view action) = 0;

  // Whether the user has allowed this process to control the computer.
  virtual bool isProcessTrusted() = 0;
  // The trust check with the prompt option: shows the system's permission
  // prompt when trust is missing. Gives the trust state.
  virtual bool isProcessTrustedWithPrompt() = 0;
};

}  // namespace corvella
