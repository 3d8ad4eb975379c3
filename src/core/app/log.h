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
  // Appends "<ISO 8601 UTC> <message>\n" with one write. Never fails towards
  // the caller: an entry that cannot be written is dropped.
  void log(std::string_view message);
  // The file, computed (and its folder created) on first use; absent when
  // there is no folder, or the platform refused the one there is.
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
  // The last entry was cut short (a full disk, a size limit): the next one
  // first ends its line, so the two never share one.
  bool torn_ = false;
  std::map<std::uint64_t, Observer> observers_;
  std::uint64_t nextObserver_ = 1;
};

}  // namespace corvella
