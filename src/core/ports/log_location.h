// LogLocation: the folder that holds the log file, and the two ways the log
// writes to a file there.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace corvella {

class LogLocation {
 public:
  virtual ~LogLocation() = default;
  // The folder the log file belongs in (not yet created), or absent when the
  // platform can give none at all.
  virtual std::optional<std::filesystem::path> logsFolder() = 0;
  // Creates the folder with any missing parents. The log holds window titles,
  // so a platform that has permissions makes it private to the user.
  // Errors in creating it are ignored (the writes that follow fail in turn);
  // false only when the folder exists but must not hold the log (another
  // user's, or one that cannot be made private); the platform has then said
  // so where the user can see it.
  virtual bool createFolder(const std::filesystem::path& folder) = 0;
  // Appends the bytes to the existing file with a single write, never
  // through a symbolic link and never to anything but a regular file. Gives
  // how many bytes reached the file: all of them, fewer when a full disk or
  // a file-size limit cut the write short, 0 when nothing could be written
  // or the file could not be opened. Absent when there is no such file.
  virtual std::optional<std::size_t> appendToFile(const std::filesystem::path& file,
                                                  std::string_view bytes) = 0;
  // Makes the file hold exactly the bytes, all at once: a reader sees the
  // old state or the whole new file, never part of it. False when that
  // failed; nothing is left behind then.
  virtual bool writeWholeFile(const std::filesystem::path& file, std::string_view bytes) = 0;
};

}  // namespace corvella
