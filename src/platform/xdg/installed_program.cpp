#include "platform/xdg/installed_program.h"

#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace corvella::xdg {
namespace {

constexpr const char* programName = "corvella";

// Calls back with each absolute folder of a PATH-style list, in order, until
// it answers true.
template <typename Visit>
void eachSearchFolder(std::string_view searchPath, Visit visit) {
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    std::size_t end = searchPath.find(':', start);
    if (end == std::string_view::npos) end = searchPath.size();
    // An empty or relative entry means the current folder, which at login is
    // not where the user stood when switching the item on.
    const std::filesystem::path folder(searchPath.substr(start, end - start));
    if (folder.is_absolute() && visit(folder)) return;
    start = end + 1;
  }
}

}  // namespace

bool isExecutableFile(const std::filesystem::path& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

bool insideBuildFolder(const std::filesystem::path& program) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(program, error);
  if (error) return false;
  for (auto folder = absolute.parent_path(); !folder.empty(); folder = folder.parent_path()) {
    if (std::filesystem::exists(folder / "CMakeCache.txt", error)) return true;
    if (folder == folder.root_path()) break;
  }
  return false;
}

std::optional<std::filesystem::path> findProgram(const std::string& name,
                                                 std::string_view searchPath) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    if (isExecutableFile(name)) return std::filesystem::path(name);
    return std::nullopt;
  }
  std::optional<std::filesystem::path> found;
  eachSearchFolder(searchPath, [&](const std::filesystem::path& folder) {
    if (isExecutableFile(folder / name)) found = folder / name;
    return found.has_value();
  });
  return found;
}

InstalledProgram findInstalledProgram(const std::filesystem::path& running,
                                      std::string_view searchPath) {
  if (!running.empty() && isExecutableFile(running) && !insideBuildFolder(running)) {
    return InstalledProgram{running, {}};
  }
  std::optional<std::filesystem::path> found;
  eachSearchFolder(searchPath, [&](const std::filesystem::path& folder) {
    const auto candidate = folder / programName;
    if (isExecutableFile(candidate) && !insideBuildFolder(candidate)) found = candidate;
    return found.has_value();
  });
  if (found) return InstalledProgram{found, {}};
  const std::string where =
      insideBuildFolder(running) ? " runs from a build folder" : " is not an executable file";
  return InstalledProgram{std::nullopt, "no installed corvella to start at login (" +
                                            running.string() + where + ", none on PATH)"};
}

}  // namespace corvella::xdg
