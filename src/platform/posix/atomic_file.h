// Plain POSIX file operations shared by the shells of Linux and macOS
// (header-only, so each shell's build takes them without a library of
// their own).
//
// Replacing a whole file so that a crash at any moment leaves either the old
// content or the new one: a temporary file in the same folder, created
// exclusively under a name nobody can guess, written and flushed to disk,
// then renamed over the old one, then the folder flushed.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvella::posix {

// "what path: the system's reason", for a line in the log.
inline std::string failure(const std::string& what, const std::filesystem::path& path) {
  return what + " " + path.string() + ": " + std::strerror(errno);
}

// Writes everything, however many writes it takes; false on an error.
inline bool writeAll(int descriptor, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(descriptor, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Absent on success, else what failed. The new file gets the mode given;
// nothing is left behind on failure.
inline std::optional<std::string> replaceFileAtomically(const std::filesystem::path& file,
                                                        std::string_view content, mode_t mode) {
  const std::string pattern =
      (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
  std::vector<char> temporary(pattern.begin(), pattern.end());
  temporary.push_back('\0');
  // Exclusive and unpredictable: no link or file planted in advance is used.
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) return failure("cannot create a temporary file next to", file);
  const std::filesystem::path temporaryPath(temporary.data());

  std::optional<std::string> error;
  if (::fchmod(descriptor, mode) != 0) {
    error = failure("cannot set the mode of", temporaryPath);
  } else if (!writeAll(descriptor, content)) {
    error = failure("cannot write", temporaryPath);
  } else if (::fsync(descriptor) != 0) {
    error = failure("cannot flush", temporaryPath);
  }
  if (::close(descriptor) != 0 && !error) error = failure("cannot close", temporaryPath);
  if (!error && ::rename(temporaryPath.c_str(), file.c_str()) != 0) {
    error = failure("cannot rename over", file);
  }
  if (error) {
    ::unlink(temporaryPath.c_str());
    return error;
  }
  // The rename itself lasts only once the folder is on disk.
  const int folder = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return std::nullopt;
}

// Creates the folder and missing parents with the mode given (existing
// folders keep theirs). Absent on success, else what failed.
inline std::optional<std::string> createFolders(const std::filesystem::path& folder, mode_t mode) {
  std::filesystem::path partial;
  for (const auto& component : folder.lexically_normal()) {
    partial /= component;
    if (component.empty()) continue;
    if (::mkdir(partial.c_str(), mode) != 0 && errno != EEXIST) {
      return failure("cannot create the folder", partial);
    }
  }
  return std::nullopt;
}

}  // namespace corvella::posix
