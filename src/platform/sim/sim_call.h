// SimCall: one recorded port call of the simulated platform, with a compact
// text form that reads well in test assertions.
#pragma once

#include <optional>
#include <string>

#include "core/actions/rect.h"
#include "core/ports/accessibility.h"

namespace corvella::sim {

// The port a call went to.
enum class SimPort {
  accessibility,
  workspace,
  screens,
  sound,
  clock,
  logLocation,
  mainQueue,
  hotKeyService,
  keyboardLayout,
  defaults,
  loginItem,
  updater,
  localizer,
  keyEventMonitor,
  applicationUI,
  settingsWindowUI,
};

struct SimCall {
  SimPort port = SimPort::accessibility;
  // "copy", "set", "action", "createApplication", "beep", "registerHotKey", ...
  std::string operation;
  // "app7" (application element of pid 7), "w3" (window 3), "?" for an element
  // the desktop does not know; empty when the call names no element.
  std::string element;
  // Attribute or action name, or the call's other subject (a key, a URL, ...).
  std::string attribute;
  // The value written, in the form formatValue gives; empty when none.
  std::string value;
  // For Accessibility calls on an application or window element: the owning
  // application's "AXEnhancedUserInterface" just before the call ran (absent
  // when the application does not report it or no longer exists).
  std::optional<bool> enhancedUserInterface;

  // "set w3 AXPosition (0,25)", "copy app7 AXWindows", "beep".
  std::string text() const;
  // text() plus " eui=on", " eui=off" or " eui=none" for Accessibility calls
  // that name an element.
  std::string textWithInterfaceState() const;

  friend bool operator==(const SimCall&, const SimCall&) = default;
};

// A call of a port other than Accessibility (no element, no interface state).
SimCall portCall(SimPort port, std::string operation, std::string subject = {},
                 std::string value = {});

// Compact forms: true/false, numbers in shortest fixed notation ("1440",
// "0.5"), strings in double quotes, elements as "app7"/"w3", lists as
// "[w1,w2]", points "(x,y)", sizes "WxH", other geometry "value(a,b)".
std::string formatNumber(double value);
// "(x,y,w,h)" in the same number form, for frame tables in tests and demos.
std::string formatFrame(const Rect& frame);
std::string formatValue(const AttributeValue& value);
std::string elementName(const ElementRef& element);

}  // namespace corvella::sim
