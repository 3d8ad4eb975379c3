// corvella: the X11 shell's program. Builds the ports over $DISPLAY, hands
// them to the core, runs the launch sequence and then the event loop until
// SIGTERM or SIGINT (a clean exit), the status menu's Quit, or until the X
// connection is lost.
//
//   corvella              with the tray icon and the settings window (in a
//                         build with the desktop interface)
//   corvella --settings   the same, showing the settings window at once
//   corvella --headless   shortcuts only: no tray icon, no settings window
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "core/app/corvella.h"
#include "platform/x11/x11_platform.h"
#ifdef CORVELLA_QT
#include "platform/qt/desktop_shell.h"
#endif

namespace {

std::filesystem::path thisProgram(const char* argument) {
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return path;
  return std::filesystem::absolute(argument, error);
}

struct Options {
  bool settings = false;
  bool headless = false;
};

std::optional<Options> parseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--settings") == 0) {
      options.settings = true;
    } else if (std::strcmp(argv[i], "--headless") == 0) {
      options.headless = true;
    } else {
      std::fprintf(stderr,
                   "corvella: unknown option %s\nusage: corvella [--settings | --headless]\n",
                   argv[i]);
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = parseOptions(argc, argv);
  if (!options) return 2;

  // The signals that end the program arrive through a descriptor the loop
  // watches, so the program leaves the loop and returns normally. Blocked
  // before any thread starts, so that every thread leaves them to it.
  sigset_t endingSignals;
  sigemptyset(&endingSignals);
  sigaddset(&endingSignals, SIGTERM);
  sigaddset(&endingSignals, SIGINT);
  sigprocmask(SIG_BLOCK, &endingSignals, nullptr);
  const int signals = signalfd(-1, &endingSignals, SFD_CLOEXEC | SFD_NONBLOCK);

#ifdef CORVELLA_QT
  std::unique_ptr<corvella::qt::DesktopShell> desktop;
  if (!options->headless) desktop = std::make_unique<corvella::qt::DesktopShell>(argc, argv);
  const auto loopFactory =
      desktop ? desktop->loopFactory() : corvella::x11::X11Platform::LoopFactory{};
#else
  if (options->settings) std::fprintf(stderr, "corvella: built without a settings window\n");
  const corvella::x11::X11Platform::LoopFactory loopFactory;
#endif

  std::string error;
  auto platform = corvella::x11::X11Platform::open("", thisProgram(argv[0]), &error, loopFactory);
  if (!platform) {
    std::fprintf(stderr, "corvella: %s\n", error.c_str());
    return 1;
  }

#ifdef CORVELLA_QT
  corvella::Corvella app(desktop ? desktop->services(platform->services()) : platform->services());
  const auto attached = desktop ? desktop->attach(app, *platform) : nullptr;
#else
  corvella::Corvella app(platform->services());
#endif
  corvella::Log& log = app.services().log();
  platform->setReporter([&log](const std::string& message) { log.log(message); });
  app.prepareToRun();  // no main menu to install on X11
  const auto reportConnectionLost = [&log] { log.log("X 서버 연결 끊김 — 종료"); };
#ifdef CORVELLA_QT
  if (desktop) {
    desktop->reportConnectionLossAtExit([&platform, &reportConnectionLost] {
      // Qt may have seen the server go before this connection tried to use it.
      platform->connection().sync();
      if (platform->connection().broken()) reportConnectionLost();
    });
  }
#endif

  auto& loop = platform->mainLoop();
  if (signals >= 0) {
    loop.watch(signals, [&loop, signals] {
      signalfd_siginfo info;
      while (::read(signals, &info, sizeof info) == sizeof info) loop.stop();
    });
  }
  loop.post([&app] { app.delegate().applicationDidFinishLaunching(); });
#ifdef CORVELLA_QT
  if (desktop && options->settings) desktop->openSettings();
#endif

  const auto exit = loop.run();
  if (signals >= 0) ::close(signals);
  if (exit == corvella::x11::X11MainLoop::Exit::connectionLost) {
    reportConnectionLost();
    return 1;
  }
  return 0;
}
