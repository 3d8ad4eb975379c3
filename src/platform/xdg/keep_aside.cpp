#include "platform/xdg/keep_aside.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace corvella::xdg {
namespace {

// Far more copies than a user keeps; the search stops somewhere.
constexpr int mostCopies = 1000;

std::filesystem::path copyName(const std::filesystem::path& file, int number) {
  std::filesystem::path name = file;
  name += ".bad";
  if (number > 1) name += "." + std::to_string(number);
  return name;
}

// Renames without replacing what is there: 0, or the errno.
int renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system that cannot refuse by itself: look first.
  struct stat existing {};
  if (::lstat(to.c_str(), &existing) == 0) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

KeptAside keepAside(const std::filesystem::path& file) {
  for (int number = 1; number <= mostCopies; ++number) {
    const std::filesystem::path copy = copyName(file, number);
    const int error = renameWithoutReplacing(file, copy);
    if (error == 0) return {copy, {}};
    if (error != EEXIST) return {std::nullopt, std::strerror(error)};
  }
  return {std::nullopt,
          "every name up to " + copyName(file, mostCopies).filename().string() + " is taken"};
}

}  // namespace corvella::xdg
