// Log: the plain-text log file, one time-stamped entry per call.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace corvella {

class Clock;
class LogLocation;

class Log {
 public:
  Log(Clock& clock, LogLocation& location);
  // Appends "<ISO 8601 UTC> <message>\n". Never fails towards the caller.
  void log(std::string_view message);
  // The file, computed (and its folder created) on first use.
  std::optional<std::filesystem::path> logFileURL();

 private:
  Clock& clock_;
  LogLocation& location_;
  bool computed_ = false;
  std::optional<std::filesystem::path> file_;
};

}  // namespace corvella
