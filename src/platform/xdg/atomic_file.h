// Replacing a whole file so that a crash at any moment leaves either the old
// content or the new one: a temporary file in the same folder, written and
// flushed to disk, then renamed over the old one, then the folder flushed.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvella::xdg {

// Absent on success, else what failed. The new file gets the mode given.
std::optional<std::string> replaceFileAtomically(const std::filesystem::path& file,
                                                 std::string_view content, mode_t mode);

// Creates the folder and missing parents with the mode given (existing
// folders keep theirs). Absent on success, else what failed.
std::optional<std::string> createFolders(const std::filesystem::path& folder, mode_t mode);

}  // namespace corvella::xdg
