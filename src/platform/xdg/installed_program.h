// Which corvella launch at login starts: the installed program, looked up at
// the moment the item is switched on. A program inside a build folder (one
// below a folder holding CMakeCache.txt) is never chosen: a rebuild, a clean
// or a moved checkout would leave the entry starting nothing, or an old build.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvella::xdg {

struct InstalledProgram {
  std::optional<std::filesystem::path> path;
  std::string problem;  // why there is none, when path is absent
};

// The running program when it is installed, else the first corvella on the
// search path (absolute entries only) that is installed.
InstalledProgram findInstalledProgram(const std::filesystem::path& running,
                                      std::string_view searchPath);

// The first executable file of that name in the search path's absolute
// folders; a name with a slash is taken as it stands.
std::optional<std::filesystem::path> findProgram(const std::string& name,
                                                 std::string_view searchPath);

bool isExecutableFile(const std::filesystem::path& path);

// True when a folder above the program holds CMakeCache.txt.
bool insideBuildFolder(const std::filesystem::path& program);

}  // namespace corvella::xdg
