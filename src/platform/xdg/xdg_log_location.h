// XdgLogLocation: the log folder in the user's XDG state folder,
// $XDG_STATE_HOME/Corvella, else ~/.local/state/Corvella.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/ports/log_location.h"
#include "platform/xdg/xdg_environment.h"

namespace corvella::xdg {

class XdgLogLocation final : public LogLocation {
 public:
  explicit XdgLogLocation(EnvironmentReader environment = processEnvironment);

  // Absent when neither an absolute XDG_STATE_HOME nor an absolute HOME is set.
  std::optional<std::filesystem::path> logsFolder() override;
  // Creates missing folders private to the user (0700) and makes the log's
  // own folder 0700 even when it already existed: the log holds window titles.
  void createFolder(const std::filesystem::path& folder) override;

 private:
  EnvironmentReader environment_;
};

}  // namespace corvella::xdg
