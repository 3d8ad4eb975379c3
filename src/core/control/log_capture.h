// LogCapture: every message the log takes while the capture lives, in order,
// without time stamps: the entries one action wrote, for its answer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/app/log.h"

namespace corvella {

class LogCapture {
 public:
  explicit LogCapture(Log& log)
      : log_(log), id_(log.addObserver([this](std::string_view message) {
          messages_.emplace_back(message);
        })) {}
  ~LogCapture() { log_.removeObserver(id_); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  const std::vector<std::string>& messages() const { return messages_; }

 private:
  Log& log_;
  std::uint64_t id_;
  std::vector<std::string> messages_;
};

}  // namespace corvella
