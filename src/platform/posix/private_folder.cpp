#include "platform/posix/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/unix_socket.h"

namespace corvella::posix {
namespace {

constexpr mode_t privateMode = 0700;

}  // namespace

std::optional<std::string> preparePrivateFolder(const std::filesystem::path& folder) {
  // Missing parents are made private from the start, as the log's folder is.
  std::filesystem::path partial;
  for (const auto& component : folder.lexically_normal()) {
    partial /= component;
    if (component.empty() || component == "/") continue;
    if (::mkdir(partial.c_str(), privateMode) != 0 && errno != EEXIST) {
      return systemError("cannot create " + partial.string());
    }
  }
  struct stat status {};
  if (::lstat(folder.c_str(), &status) != 0)
    return systemError("cannot inspect " + folder.string());
  if (!S_ISDIR(status.st_mode)) return folder.string() + " is not a folder";
  if (status.st_uid != ::geteuid()) return folder.string() + " belongs to another user";
  if ((status.st_mode & 077) != 0 && ::chmod(folder.c_str(), privateMode) != 0) {
    return systemError("cannot make " + folder.string() + " private");
  }
  return std::nullopt;
}

}  // namespace corvella::posix
