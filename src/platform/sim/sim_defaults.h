// SimDefaults: an in-memory user-defaults store. A key holds data, a string
// or (seeded by a test only) a number, so that a read of the wrong kind can
// be tried.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <variant>

#include "core/ports/defaults.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

using SimDefaultsValue = std::variant<Bytes, std::string, double>;

class SimDefaults final : public Defaults {
 public:
  explicit SimDefaults(SimDesktop& desktop) : desktop_(desktop) {}

  std::optional<Bytes> data(std::string_view key) override;
  std::optional<std::string> string(std::string_view key) override;
  void setData(std::string_view key, const Bytes& value) override;
  void setString(std::string_view key, const std::string& value) override;

  // Stores a value without counting a write (a state from an earlier run).
  void seed(std::string_view key, SimDefaultsValue value);
  // Data holding the bytes of the text (a stored JSON document).
  void seedData(std::string_view key, std::string_view text);
  void remove(std::string_view key);

  std::optional<SimDefaultsValue> value(std::string_view key) const;
  // The data under key as text (for asserting on stored JSON), absent when
  // missing or not data.
  std::optional<std::string> dataText(std::string_view key) const;
  // setData and setString calls so far.
  std::size_t writeCount() const { return writes_; }

 private:
  SimDesktop& desktop_;
  std::map<std::string, SimDefaultsValue, std::less<>> values_;
  std::size_t writes_ = 0;
};

}  // namespace corvella::sim
