// Reading a stored file a user may have replaced by anything: only a regular
// file is read, opening never blocks (a FIFO), and no more than a limit is
// taken (a link to an endless device, a file grown out of all proportion).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace corvella::xdg {

struct BoundedRead {
  enum class Outcome {
    missing,     // no such file: nothing stored yet
    read,        // content holds the whole file
    unreadable,  // it is there but could not be read; problem says why
    refused,     // not a regular file, or larger than the limit; problem says why
  };
  Outcome outcome = Outcome::missing;
  std::string content;
  std::string problem;
};

BoundedRead readBoundedFile(const std::filesystem::path& file, std::size_t limit);

}  // namespace corvella::xdg
