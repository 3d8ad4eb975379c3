#include "platform/x11/x11_workspace.h"

#include <spawn.h>
#include <sys/wait.h>

#include "platform/x11/x11_window_properties.h"

extern char** environ;

namespace corvella::x11 {

std::optional<RunningApplication> X11Workspace::frontmostApplication() {
  auto active = cache_.activeWindow();
  if (!active) return std::nullopt;
  auto key = cache_.applicationKey(*active);
  if (!key) return std::nullopt;
  std::optional<std::string> name;
  if (!key->className.empty()) name = key->className;
  return RunningApplication{applications_.idOf(*key), std::move(name)};
}

void X11Workspace::openURL(const std::string& url) {
  // Detached in a grandchild, so nothing is left to reap and nothing waits.
  pid_t child = 0;
  std::string program = "/bin/sh";
  std::string flag = "-c";
  std::string script = "xdg-open \"$0\" >/dev/null 2>&1 &";
  std::string argument = url;
  char* arguments[] = {program.data(), flag.data(), script.data(), argument.data(), nullptr};
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ) == 0) {
    ::waitpid(child, nullptr, 0);
  }
}

}  // namespace corvella::x11
