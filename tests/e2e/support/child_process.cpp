#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

extern char** environ;

namespace corvella::e2e {

std::string fileText(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), {}};
}

bool readInto(int descriptor, std::string& received, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd readable{descriptor, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
      return false;
    }
    char buffer[4096];
    const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
    if (got <= 0) return true;
    received.append(buffer, static_cast<std::size_t>(got));
  }
  return true;
}

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const Environment& overrides,
                           const std::filesystem::path& outputFile,
                           const std::optional<std::filesystem::path>& errorFile)
    : outputFile_(outputFile) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text(*entry);
    if (!overrides.contains(text.substr(0, text.find('=')))) environment.push_back(text);
  }
  for (const auto& [name, value] : overrides) environment.push_back(name + "=" + value);
  std::vector<char*> argv, envp;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  for (auto& entry : environment) envp.push_back(entry.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  const int appending = O_WRONLY | O_CREAT | O_APPEND;
  posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), appending, 0644);
  if (errorFile) {
    posix_spawn_file_actions_addopen(&actions, 2, errorFile->c_str(), appending, 0644);
  } else {
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
  }
  // Signals blocked in the test (none, normally) must not stay blocked in the child.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), envp.data()) == 0) pid_ = pid;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
}

std::optional<int> ChildProcess::stop(int signal) {
  if (pending()) ::kill(pid_, signal);
  return wait();
}

std::optional<int> ChildProcess::wait() {
  int status = 0;
  while (pending()) {
    if (::waitpid(pid_, &status, 0) == pid_) status_ = status;
    if (!status_ && errno != EINTR) return std::nullopt;
  }
  return status_;
}

bool ChildProcess::running() {
  int status = 0;
  if (pending() && ::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
  return pending();
}

}  // namespace corvella::e2e
