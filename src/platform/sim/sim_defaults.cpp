#include "platform/sim/sim_defaults.h"

namespace corvella::sim {

std::optional<Bytes> SimDefaults::data(std::string_view key) {
  desktop_.record(portCall(SimPort::defaults, "data", std::string(key)));
  auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  if (const auto* bytes = std::get_if<Bytes>(&found->second)) return *bytes;
  return std::nullopt;
}

std::optional<std::string> SimDefaults::string(std::string_view key) {
  desktop_.record(portCall(SimPort::defaults, "string", std::string(key)));
  auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  if (const auto* text = std::get_if<std::string>(&found->second)) return *text;
  return std::nullopt;
}

void SimDefaults::setData(std::string_view key, const Bytes& value) {
  desktop_.record(portCall(SimPort::defaults, "setData", std::string(key),
                           std::to_string(value.size()) + " bytes"));
  ++writes_;
  values_.insert_or_assign(std::string(key), value);
}

void SimDefaults::setString(std::string_view key, const std::string& value) {
  desktop_.record(portCall(SimPort::defaults, "setString", std::string(key), "\"" + value + "\""));
  ++writes_;
  values_.insert_or_assign(std::string(key), value);
}

void SimDefaults::seed(std::string_view key, SimDefaultsValue value) {
  values_.insert_or_assign(std::string(key), std::move(value));
}

void SimDefaults::seedData(std::string_view key, std::string_view text) {
  seed(key, Bytes(text.begin(), text.end()));
}

void SimDefaults::remove(std::string_view key) {
  if (auto found = values_.find(key); found != values_.end()) values_.erase(found);
}

std::optional<SimDefaultsValue> SimDefaults::value(std::string_view key) const {
  auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> SimDefaults::dataText(std::string_view key) const {
  auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  const auto* bytes = std::get_if<Bytes>(&found->second);
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

}  // namespace corvella::sim
