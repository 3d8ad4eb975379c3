// LogLocation: the folder that holds the log file.
#pragma once

#include <filesystem>
#include <optional>

namespace corvella {

class LogLocation {
 public:
  virtual ~LogLocation() = default;
  // The folder the log file belongs in (not yet created), or absent when the
  // platform can give none at all.
  virtual std::optional<std::filesystem::path> logsFolder() = 0;
  // Creates the folder with any missing parents. The log holds window titles,
  // so a platform that has permissions makes it private to the user.
  // Errors are ignored: the writes that follow fail in turn.
  virtual void createFolder(const std::filesystem::path& folder) = 0;
};

}  // namespace corvella
