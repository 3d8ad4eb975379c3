// Defaults: the per-user key-value store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

using Bytes = std::vector<std::uint8_t>;

class Defaults {
 public:
  virtual ~Defaults() = default;
  // The byte-string value under key; absent when missing or of another kind.
  virtual std::optional<Bytes> data(std::string_view key) = 0;
  // The string value under key; absent when missing or of another kind.
  virtual std::optional<std::string> string(std::string_view key) = 0;
  virtual void setData(std::string_view key, const Bytes& value) = 0;
  virtual void setString(std::string_view key, const std::string& value) = 0;
};

}  // namespace corvella
