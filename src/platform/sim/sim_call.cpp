#include "platform/sim/sim_call.h"

#include <charconv>
#include <cmath>
#include <type_traits>

#include "platform/sim/sim_element.h"

namespace corvella::sim {

std::string formatNumber(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  // Shortest round-trip digits in fixed notation: 1440, 0.5, -1920.
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) return "?";
  std::string text(buffer, result.ptr);
  if (text == "-0") text = "0";
  return text;
}

std::string formatFrame(const Rect& frame) {
  return "(" + formatNumber(frame.x) + "," + formatNumber(frame.y) + "," +
         formatNumber(frame.width) + "," + formatNumber(frame.height) + ")";
}

std::string elementName(const ElementRef& element) {
  if (!element) return "null";
  const SimElement* sim = asSimElement(element);
  if (!sim) return "?";
  if (sim->kind() == SimElement::Kind::application) return "app" + std::to_string(sim->pid());
  return "w" + std::to_string(sim->windowId());
}

std::string formatValue(const AttributeValue& value) {
  return std::visit(
      [](const auto& held) -> std::string {
        using T = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<T, bool>) {
          return held ? "true" : "false";
        } else if constexpr (std::is_same_v<T, double>) {
          return formatNumber(held);
        } else if constexpr (std::is_same_v<T, std::string>) {
          return "\"" + held + "\"";
        } else if constexpr (std::is_same_v<T, ElementRef>) {
          return elementName(held);
        } else if constexpr (std::is_same_v<T, std::vector<ElementRef>>) {
          std::string text = "[";
          for (std::size_t i = 0; i < held.size(); ++i) {
            if (i > 0) text += ",";
            text += elementName(held[i]);
          }
          return text + "]";
        } else {
          const std::string a = formatNumber(held.a);
          const std::string b = formatNumber(held.b);
          switch (held.kind) {
            case AXGeometryValue::Kind::point:
              return "(" + a + "," + b + ")";
            case AXGeometryValue::Kind::size:
              return a + "x" + b;
            case AXGeometryValue::Kind::other:
              break;
          }
          return "value(" + a + "," + b + ")";
        }
      },
      value);
}

SimCall portCall(SimPort port, std::string operation, std::string subject, std::string value) {
  SimCall call;
  call.port = port;
  call.operation = std::move(operation);
  call.attribute = std::move(subject);
  call.value = std::move(value);
  return call;
}

std::string SimCall::text() const {
  std::string text = operation;
  for (const std::string* part : {&element, &attribute, &value}) {
    if (!part->empty()) text += " " + *part;
  }
  return text;
}

std::string SimCall::textWithInterfaceState() const {
  if (port != SimPort::accessibility || element.empty()) return text();
  if (!enhancedUserInterface) return text() + " eui=none";
  return text() + (*enhancedUserInterface ? " eui=on" : " eui=off");
}

}  // namespace corvella::sim
