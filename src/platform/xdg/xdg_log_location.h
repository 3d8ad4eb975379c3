// XdgLogLocation: the log folder in the user's XDG state folder,
// $XDG_STATE_HOME/Corvella, else ~/.local/state/Corvella, private to the user.
#pragma once

#include <cstddef>
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
  // Where a refused folder is reported: the log itself cannot say it.
  using Warning = std::function<void(const std::string& line)>;
  static void warnOnStandardError(const std::string& line);

  explicit XdgLogLocation(EnvironmentReader environment = processEnvironment,
                          Warning warn = warnOnStandardError);

  // Absent when neither an absolute XDG_STATE_HOME nor an absolute HOME is set.
  std::optional<std::filesystem::path> logsFolder() override;
  // Creates missing folders private to the user (0700) and makes the log's
  // own folder 0700 even when it already existed: the log holds window
  // titles. A folder that belongs to another user, or that cannot be made
  // private, is refused with one warning.
  bool createFolder(const std::filesystem::path& folder) override;
  std::optional<std::size_t> appendToFile(const std::filesystem::path& file,
                                          std::string_view bytes) override;
  // Through an exclusive temporary file of an unpredictable name, mode 0600.
  bool writeWholeFile(const std::filesystem::path& file, std::string_view bytes) override;

 private:
  EnvironmentReader environment_;
  Warning warn_;
};

}  // namespace corvella::xdg
