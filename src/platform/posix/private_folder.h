// A folder only its owner can enter, for the control socket and its lock.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace corvella::posix {

// Creates the folder (and missing parents) as 0700, or checks the one that
// is there: a real folder, not a link, owned by this user; one of ours that
// others may enter is made 0700. Gives the reason when it cannot be used.
std::optional<std::string> preparePrivateFolder(const std::filesystem::path& folder);

}  // namespace corvella::posix
