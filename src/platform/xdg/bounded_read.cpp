#include "platform/xdg/bounded_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace corvella::xdg {
namespace {

const char* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

BoundedRead unreadable(int error) {
  return {BoundedRead::Outcome::unreadable, {}, std::strerror(error)};
}

}  // namespace

BoundedRead readBoundedFile(const std::filesystem::path& file, std::size_t limit) {
  // Non-blocking: opening a FIFO for reading would otherwise wait for a writer.
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return unreadable(errno);
  }
  BoundedRead result;
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) {
    result = unreadable(errno);
  } else if (!S_ISREG(status.st_mode)) {
    result = {BoundedRead::Outcome::refused, {}, kindOf(status.st_mode)};
  } else {
    // One byte beyond the limit tells a file that grew past it while read.
    result.outcome = BoundedRead::Outcome::read;
    char buffer[65536];
    while (result.content.size() <= limit) {
      const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        result = unreadable(errno);
        break;
      }
      if (got == 0) break;
      result.content.append(buffer, static_cast<std::size_t>(got));
    }
    if (result.outcome == BoundedRead::Outcome::read && result.content.size() > limit) {
      result = {BoundedRead::Outcome::refused,
                {},
                "larger than " + std::to_string(limit / (1024 * 1024)) + " MiB"};
    }
  }
  ::close(descriptor);
  return result;
}

}  // namespace corvella::xdg
