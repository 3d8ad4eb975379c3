// Appending one entry to a log file with a single write (header-only, shared
// by the shells of Linux and macOS).
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace corvella::posix {

// One write on a descriptor opened for appending, so that the entry lands
// whole at the end even when another writer appends too. A symbolic link is
// never followed and only a regular file is written (a FIFO or a device
// never blocks or swallows the entry). Gives the bytes that reached the file
// (fewer when a full disk or a size limit cut the write short, 0 on any
// error), or absent when there is no such file.
inline std::optional<std::size_t> appendWithOneWrite(const std::filesystem::path& file,
                                                     std::string_view bytes) {
  const int descriptor =
      ::open(file.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    if (errno == ENOENT) return std::nullopt;
    return 0;
  }
  std::size_t written = 0;
  struct stat status {};
  if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
    ssize_t result = 0;
    do {
      result = ::write(descriptor, bytes.data(), bytes.size());
    } while (result < 0 && errno == EINTR);
    if (result > 0) written = static_cast<std::size_t>(result);
  }
  ::close(descriptor);
  return written;
}

}  // namespace corvella::posix
