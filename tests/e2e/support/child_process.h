// ChildProcess: a program started for a test, with its output kept in a file
// so that a failure (or a sanitizer report) can be shown.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvella::e2e {

using Environment = std::map<std::string, std::string>;

class ChildProcess {
 public:
  // The environment is this process's with the given variables replaced.
  // Output and errors go to the log file. extraDescriptor stays open in the
  // child (for -displayfd); -1 for none.
  ChildProcess(const std::vector<std::string>& arguments, const Environment& overrides,
               const std::filesystem::path& outputFile, int extraDescriptor = -1);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool started() const { return pid_ > 0; }
  // Sends the signal and waits for the end. Gives the wait status.
  std::optional<int> stop(int signal);
  // Waits for the program to end by itself.
  std::optional<int> wait();
  bool running();
  std::string output() const;

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
  std::filesystem::path outputFile_;
};

}  // namespace corvella::e2e
