#include "platform/xdg/xdg_log_location.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "core/text/visible_text.h"
#include "platform/posix/append_file.h"
#include "platform/posix/atomic_file.h"

namespace corvella::xdg {
namespace {

constexpr const char* applicationFolder = "Corvella";
constexpr mode_t privateFolderMode = 0700;
constexpr mode_t privateFileMode = 0600;

}  // namespace

void XdgLogLocation::warnOnStandardError(const std::string& line) {
  std::fprintf(stderr, "%s\n", line.c_str());
}

XdgLogLocation::XdgLogLocation(EnvironmentReader environment, Warning warn)
    : environment_(std::move(environment)), warn_(std::move(warn)) {}

std::optional<std::filesystem::path> XdgLogLocation::logsFolder() {
  if (auto state = absoluteVariable(environment_, "XDG_STATE_HOME")) {
    return *state / applicationFolder;
  }
  if (auto home = absoluteVariable(environment_, "HOME")) {
    return *home / ".local" / "state" / applicationFolder;
  }
  return std::nullopt;
}

bool XdgLogLocation::createFolder(const std::filesystem::path& folder) {
  // Each missing folder is made 0700 from the start, so the log's folder is
  // never readable by others, not even for a moment. A failure shows in the
  // checks below or in the writes that follow.
  (void)posix::createFolders(folder, privateFolderMode);

  // Checked and narrowed through one descriptor, so the folder looked at is
  // the folder changed.
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return true;  // nothing there to refuse: the writes fail
  struct stat status {};
  std::string refusal;
  if (::fstat(descriptor, &status) != 0) {
    refusal = std::string("cannot be examined (") + std::strerror(errno) + ")";
  } else if (status.st_uid != ::geteuid()) {
    refusal = "belongs to another user (uid " + std::to_string(status.st_uid) + ")";
  } else if ((status.st_mode & 07777) != privateFolderMode &&
             ::fchmod(descriptor, privateFolderMode) != 0) {
    refusal = std::string("cannot be made private (") + std::strerror(errno) + ")";
  }
  ::close(descriptor);
  if (refusal.empty()) return true;
  if (warn_) {
    warn_("corvella: not logging: the log folder " + visibleText(folder.string()) + " " + refusal);
  }
  return false;
}

std::optional<std::size_t> XdgLogLocation::appendToFile(const std::filesystem::path& file,
                                                        std::string_view bytes) {
  return posix::appendWithOneWrite(file, bytes);
}

bool XdgLogLocation::writeWholeFile(const std::filesystem::path& file, std::string_view bytes) {
  return !posix::replaceFileAtomically(file, bytes, privateFileMode);
}

}  // namespace corvella::xdg
