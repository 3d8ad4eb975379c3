// MacDefaults: the user's defaults (NSUserDefaults standardUserDefaults).
#pragma once

#include "core/ports/defaults.h"

namespace corvella::mac {

class MacDefaults final : public Defaults {
 public:
  std::optional<Bytes> data(std::string_view key) override;
  std::optional<std::string> string(std::string_view key) override;
  void setData(std::string_view key, const Bytes& value) override;
  void setString(std::string_view key, const std::string& value) override;
};

}  // namespace corvella::mac
