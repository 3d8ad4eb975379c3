#include "platform/sim/sim_log_location.h"

#include <algorithm>
#include <iterator>

namespace corvella::sim {

std::optional<std::filesystem::path> SimLogLocation::logsFolder() {
  desktop_.record(portCall(SimPort::logLocation, "logsFolder"));
  return folder_;
}

bool SimLogLocation::createFolder(const std::filesystem::path& folder) {
  desktop_.record(portCall(SimPort::logLocation, "createFolder", folder.string()));
  createRequests_.push_back(folder);
  if (folderRefused_) return false;
  if (createFails_) return true;
  std::filesystem::path partial;
  for (const auto& component : folder.lexically_normal()) {
    partial /= component;
    folders_.insert(partial);
  }
  return true;
}

std::size_t SimLogLocation::takes(std::size_t size) {
  if (!spaceLeft_) return size;
  const std::size_t taken = std::min(size, *spaceLeft_);
  *spaceLeft_ -= taken;
  return taken;
}

std::optional<std::size_t> SimLogLocation::appendToFile(const std::filesystem::path& file,
                                                        std::string_view bytes) {
  desktop_.record(
      portCall(SimPort::logLocation, "appendToFile", file.string(), std::to_string(bytes.size())));
  if (unopenable_.contains(file)) return 0;
  auto existing = files_.find(file);
  if (existing == files_.end()) return std::nullopt;
  const std::size_t written = takes(bytes.size());
  existing->second.append(bytes.substr(0, written));
  return written;
}

bool SimLogLocation::writeWholeFile(const std::filesystem::path& file, std::string_view bytes) {
  desktop_.record(portCall(SimPort::logLocation, "writeWholeFile", file.string(),
                           std::to_string(bytes.size())));
  if (!folders_.contains(file.parent_path())) return false;
  if (spaceLeft_ && *spaceLeft_ < bytes.size()) return false;  // the temporary file is removed
  takes(bytes.size());
  unopenable_.erase(file);
  files_[file] = std::string(bytes);
  return true;
}

std::optional<std::string> SimLogLocation::fileText(const std::filesystem::path& file) const {
  auto found = files_.find(file);
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

void SimLogLocation::putFile(const std::filesystem::path& file, std::string text) {
  files_[file] = std::move(text);
}

void SimLogLocation::removeFolder(const std::filesystem::path& folder) {
  auto below = [&folder](const std::filesystem::path& path) {
    auto [end, ignored] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return end == folder.end();
  };
  std::erase_if(folders_, below);
  std::erase_if(files_, [&](const auto& file) { return below(file.first); });
}

}  // namespace corvella::sim
