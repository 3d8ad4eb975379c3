#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

extern char** environ;

namespace corvella::e2e {

// extraDescriptor needs nothing here: it is opened without close-on-exec, so
// the child inherits it.
ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const Environment& overrides,
                           const std::filesystem::path& outputFile, int /*extraDescriptor*/)
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
  posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                   0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
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

ChildProcess::~ChildProcess() {
  if (started() && !status_) stop(SIGKILL);
}

std::optional<int> ChildProcess::stop(int signal) {
  if (started() && !status_) ::kill(pid_, signal);
  return wait();
}

std::optional<int> ChildProcess::wait() {
  int status = 0;
  while (started() && !status_) {
    if (::waitpid(pid_, &status, 0) == pid_)
      status_ = status;
    else if (errno != EINTR)
      return std::nullopt;
  }
  return status_;
}

bool ChildProcess::running() {
  int status = 0;
  if (started() && !status_ && ::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
  return started() && !status_;
}

std::string ChildProcess::output() const {
  std::ifstream stream(outputFile_);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

}  // namespace corvella::e2e
