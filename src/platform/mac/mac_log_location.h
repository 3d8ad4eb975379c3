// MacLogLocation: Logs in the user's Library folder.
#pragma once

#include "core/ports/log_location.h"

namespace corvella::mac {

class MacLogLocation final : public LogLocation {
 public:
  std::optional<std::filesystem::path> logsFolder() override;
  bool createFolder(const std::filesystem::path& folder) override;
  std::optional<std::size_t> appendToFile(const std::filesystem::path& file,
                                          std::string_view bytes) override;
  bool writeWholeFile(const std::filesystem::path& file, std::string_view bytes) override;
};

}  // namespace corvella::mac
