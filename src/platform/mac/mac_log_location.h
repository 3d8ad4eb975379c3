// MacLogLocation: Logs in the user's Library folder.
#pragma once

#include "core/ports/log_location.h"

namespace corvella::mac {

class MacLogLocation final : public LogLocation {
 public:
  std::optional<std::filesystem::path> logsFolder() override;
  void createFolder(const std::filesystem::path& folder) override;
};

}  // namespace corvella::mac
