// Log: the plain-text log file, one time-stamped entry per call.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
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

  // An observer sees every message as it is logged, whether or not the file
  // takes it (the control channel reports what an action logged). Gives the
  // id that removes it.
  using Observer = std::function<void(std::string_view message)>;
  std::uint64_t addObserver(Observer observer);
  void removeObserver(std::uint64_t id);

 private:
  Clock& clock_;
  LogLocation& location_;
  bool computed_ = false;
  std::optional<std::filesystem::path> file_;
  std::map<std::uint64_t, Observer> observers_;
  std::uint64_t nextObserver_ = 1;
};

}  // namespace corvella
