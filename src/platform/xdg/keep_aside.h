// Keeping a damaged stored file for the user: it is renamed to a name of its
// own next to it (defaults.json.bad, then defaults.json.bad.2, ...), never
// over an earlier copy.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace corvella::xdg {

struct KeptAside {
  std::optional<std::filesystem::path> copy;  // where the file now is
  std::string error;                          // why it could not be moved, when it was not
};

KeptAside keepAside(const std::filesystem::path& file);

}  // namespace corvella::xdg
