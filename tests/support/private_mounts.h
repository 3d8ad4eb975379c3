// A folder made read-only by a read-only bind mount, which stops root and the folder's owner alike.
// The mount lives in a mount namespace of the test process's own (under a user namespace when not
// root), so nothing is seen outside it; where the system allows neither, the test is skipped.
#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace corvella::testing_support {

inline std::string systemError(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

// Absent once this process has a mount namespace of its own; else why not.
inline std::optional<std::string> enterPrivateMountNamespace() {
  static const std::optional<std::string> result = []() -> std::optional<std::string> {
    if (::geteuid() != 0) {
      const uid_t uid = ::geteuid();
      const gid_t gid = ::getegid();
      if (::unshare(CLONE_NEWUSER) != 0) return systemError("not root, and no user namespace");
      // This user stays the owner of its files inside the namespace.
      std::ofstream("/proc/self/setgroups") << "deny";
      std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
      std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
    }
    if (::unshare(CLONE_NEWNS) != 0) return systemError("unshare(CLONE_NEWNS)");
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      return systemError("making the mounts private");
    }
    return std::nullopt;
  }();
  return result;
}

// The folder read-only for as long as this lives.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::filesystem::path& folder) : folder_(folder) {
    problem_ = enterPrivateMountNamespace();
    if (problem_) return;
    if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) {
      problem_ = systemError("bind mount");
      return;
    }
    bound_ = true;
    if (::mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
      problem_ = systemError("read-only remount");
    }
  }
  ~ReadOnlyFolder() {
    if (bound_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  const std::optional<std::string>& problem() const { return problem_; }

 private:
  std::filesystem::path folder_;
  bool bound_ = false;
  std::optional<std::string> problem_;
};

}  // namespace corvella::testing_support
