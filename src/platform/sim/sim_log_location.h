// SimLogLocation: the log's folder and files, in memory. A test chooses the
// folder, reads what was written, and makes the file system misbehave: a
// folder that cannot be created or is refused, a disk that fills up (writes
// cut short), something at the file's place that cannot be opened.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/ports/log_location.h"
#include "platform/sim/sim_desktop.h"

namespace corvella::sim {

class SimLogLocation final : public LogLocation {
 public:
  SimLogLocation(SimDesktop& desktop, std::optional<std::filesystem::path> folder)
      : desktop_(desktop), folder_(std::move(folder)) {}

  std::optional<std::filesystem::path> logsFolder() override;
  bool createFolder(const std::filesystem::path& folder) override;
  std::optional<std::size_t> appendToFile(const std::filesystem::path& file,
                                          std::string_view bytes) override;
  bool writeWholeFile(const std::filesystem::path& file, std::string_view bytes) override;

  // Absent: the platform gives no folder at all.
  void setFolder(std::optional<std::filesystem::path> folder) { folder_ = std::move(folder); }
  // While set, createFolder creates nothing (its errors are ignored anyway).
  void setCreateFails(bool fails) { createFails_ = fails; }
  // While set, createFolder answers that the folder must not hold the log.
  void setFolderRefused(bool refused) { folderRefused_ = refused; }
  // How many more bytes the disk takes; a write beyond it is cut short.
  // Absent: no limit.
  void setSpaceLeft(std::optional<std::size_t> bytes) { spaceLeft_ = bytes; }

  // The file's content, absent when there is no such file.
  std::optional<std::string> fileText(const std::filesystem::path& file) const;
  bool folderExists(const std::filesystem::path& folder) const { return folders_.contains(folder); }
  // As another program would: write a file, remove one, or remove a folder
  // with everything in it.
  void putFile(const std::filesystem::path& file, std::string text);
  void removeFile(const std::filesystem::path& file) { files_.erase(file); }
  void removeFolder(const std::filesystem::path& folder);
  // Something at the path that is not a regular file (a socket, a link):
  // it exists but never opens for writing.
  void putUnopenable(const std::filesystem::path& path) { unopenable_.insert(path); }
  // The folders createFolder was asked for, in order.
  const std::vector<std::filesystem::path>& createRequests() const { return createRequests_; }

 private:
  // How much of a write of this size the disk still takes.
  std::size_t takes(std::size_t size);

  SimDesktop& desktop_;
  std::optional<std::filesystem::path> folder_;
  bool createFails_ = false;
  bool folderRefused_ = false;
  std::optional<std::size_t> spaceLeft_;
  std::set<std::filesystem::path> folders_;
  std::map<std::filesystem::path, std::string> files_;
  std::set<std::filesystem::path> unopenable_;
  std::vector<std::filesystem::path> createRequests_;
};

}  // namespace corvella::sim
