// Where Corvella.app serves its control channel: the socket "control" in a
// folder of its own in the user's Application Support folder
// (~/Library/Application Support/Corvella/control), made private (0700) by
// the claim. The command-line client looks in the same place.
#pragma once

#include <filesystem>
#include <optional>

namespace corvella::mac {

// Absent when the system names no Application Support folder for the user.
std::optional<std::filesystem::path> controlSocketPath();

}  // namespace corvella::mac
