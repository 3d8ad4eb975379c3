// Folders a test can make read-only, even when it runs as root (whom
// permission bits do not stop): mounts in a mount namespace of the test
// process's own, so nothing is seen outside it. Without root, a
// user namespace stands in where the system allows one; where nothing
// works, the test is skipped with the reason.
#pragma once

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
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
  static std::optional<std::optional<std::string>> result;
  if (result) return *result;
  auto enter = []() -> std::optional<std::string> {
    if (::geteuid() == 0) {
      if (::unshare(CLONE_NEWNS) != 0) return systemError("unshare(CLONE_NEWNS)");
    } else {
      const uid_t uid = ::geteuid();
      const gid_t gid = ::getegid();
      if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        return systemError("not root, and no user namespace (unshare)");
      }
      // This user stays the owner of its files inside the namespace.
      std::ofstream("/proc/self/setgroups") << "deny";
      std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
      std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      return systemError("making the mounts private");
    }
    return std::nullopt;
  };
  result = enter();
  return *result;
}

// The folder read-only for as long as this lives: its permission bits for
// an ordinary user, a read-only bind mount for root or when asked for (a
// mount also stops the owner from changing the folder's mode).
class ReadOnlyFolder {
 public:
  enum class Way { permissions, mount };
  explicit ReadOnlyFolder(const std::filesystem::path& folder, Way way = Way::permissions)
      : folder_(folder) {
    if (::geteuid() != 0 && way == Way::permissions) {
      struct stat status {};
      ::stat(folder.c_str(), &status);
      mode_ = status.st_mode & 07777;
      if (::chmod(folder.c_str(), 0555) != 0) problem_ = systemError("chmod");
      return;
    }
    if (auto why = enterPrivateMountNamespace()) {
      problem_ = *why;
    } else if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) {
      problem_ = systemError("bind mount");
    } else {
      bound_ = true;
      if (::mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) !=
          0) {
        problem_ = systemError("read-only remount");
      }
    }
  }
  ~ReadOnlyFolder() {
    if (bound_) ::umount2(folder_.c_str(), MNT_DETACH);
    if (mode_) ::chmod(folder_.c_str(), *mode_);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  const std::optional<std::string>& problem() const { return problem_; }

 private:
  std::filesystem::path folder_;
  bool bound_ = false;
  std::optional<mode_t> mode_;
  std::optional<std::string> problem_;
};

}  // namespace corvella::testing_support
