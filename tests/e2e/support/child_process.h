// ChildProcess: a program started for a test, with its output kept in a file
// so that a failure (or a sanitizer report) can be shown.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvella::e2e {

using Environment = std::map<std::string, std::string>;

// The whole file, or empty when it cannot be read.
std::string fileText(const std::filesystem::path& file);

// Appends what the descriptor gives to received until done() holds or the
// stream ends (true), or until ten seconds pass (false).
bool readInto(int descriptor, std::string& received, const std::function<bool()>& done);

class ChildProcess {
 public:
  // In this process's environment with the overrides; errors go to the output file unless
  // given their own. Descriptors opened without close-on-exec stay open in the child.
  ChildProcess(const std::vector<std::string>& arguments, const Environment& overrides,
               const std::filesystem::path& outputFile,
               const std::optional<std::filesystem::path>& errorFile = std::nullopt);
  ~ChildProcess() { stop(SIGKILL); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Sends the signal (unless the program has ended) and gives the wait status.
  std::optional<int> stop(int signal);
  std::optional<int> wait();
  bool running();
  std::string output() const { return fileText(outputFile_); }

 private:
  bool pending() const { return pid_ > 0 && !status_; }

  pid_t pid_ = -1;
  std::optional<int> status_;
  std::filesystem::path outputFile_;
};

}  // namespace corvella::e2e
