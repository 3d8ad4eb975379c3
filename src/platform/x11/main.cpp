// corvella: the X11 shell's program. Builds the ports over $DISPLAY, hands
// them to the core, runs the launch sequence and then the event loop until
// SIGTERM or SIGINT (a clean exit) or until the X connection is lost.
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/app/corvella.h"
#include "platform/x11/x11_platform.h"

namespace {

std::filesystem::path thisProgram(const char* argument) {
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return path;
  return std::filesystem::absolute(argument, error);
}

}  // namespace

int main(int /*argc*/, char** argv) {
  // A file-size limit must not end the program: a write past it fails, the
  // log drops that entry and a save reports it.
  ::signal(SIGXFSZ, SIG_IGN);

  // The signals that end the program arrive through a descriptor the loop
  // watches, so the program leaves the loop and returns normally.
  sigset_t endingSignals;
  sigemptyset(&endingSignals);
  sigaddset(&endingSignals, SIGTERM);
  sigaddset(&endingSignals, SIGINT);
  sigprocmask(SIG_BLOCK, &endingSignals, nullptr);
  const int signals = signalfd(-1, &endingSignals, SFD_CLOEXEC | SFD_NONBLOCK);

  std::string error;
  auto platform = corvella::x11::X11Platform::open("", thisProgram(argv[0]), &error);
  if (!platform) {
    std::fprintf(stderr, "corvella: %s\n", error.c_str());
    return 1;
  }

  corvella::Corvella app(platform->services());
  corvella::Log& log = app.services().log();
  platform->setReporter([&log](const std::string& message) { log.log(message); });
  app.prepareToRun();  // no main menu to install on X11

  auto& loop = platform->mainLoop();
  if (signals >= 0) {
    loop.watch(signals, [&loop, signals] {
      signalfd_siginfo info;
      while (::read(signals, &info, sizeof info) == sizeof info) loop.stop();
    });
  }
  loop.post([&app] { app.delegate().applicationDidFinishLaunching(); });

  const auto exit = loop.run();
  if (signals >= 0) ::close(signals);
  if (exit == corvella::x11::X11MainLoop::Exit::connectionLost) {
    log.log("X 서버 연결 끊김 — 종료");
    return 1;
  }
  return 0;
}
