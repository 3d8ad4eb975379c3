// XSession's command-line helpers: corvella run with the session's
// environment, its standard output and error kept apart.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "x_session.h"

extern char** environ;

namespace corvella::e2e {
namespace {

std::string contents(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

}  // namespace

CommandResult XSession::runCorvella(const std::vector<std::string>& arguments,
                                    const Environment& changes) {
  Environment overrides = environment();
  for (const auto& [name, value] : changes) overrides[name] = value;
  std::vector<std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    std::string text(*entry);
    if (!overrides.contains(text.substr(0, text.find('=')))) variables.push_back(text);
  }
  for (const auto& [name, value] : overrides) variables.push_back(name + "=" + value);

  std::vector<std::string> command{corvellaProgram()};
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& argument : command) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);

  const auto out = folder_ / "command.out";
  const auto err = folder_ / "command.err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  CommandResult result;
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = status;
  }
  posix_spawn_file_actions_destroy(&actions);
  result.output = contents(out);
  result.error = contents(err);
  return result;
}

std::string XSession::corvellaProgram() {
  // An installed program stands in for the built one when the package check
  // names it.
  const char* installed = std::getenv("CORVELLA_E2E_PROGRAM");
  return installed && *installed ? installed : CORVELLA_PROGRAM;
}

std::filesystem::path XSession::controlSocket() const {
  return folder_ / "runtime" / "corvella" / "control";
}

void XSession::stopWindowManager() {
  if (windowManager_) windowManager_->stop(SIGTERM);
}

}  // namespace corvella::e2e
