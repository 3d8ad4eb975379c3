// corvella-daemon and corvella-desktop: the daemon that corvella becomes.
// It claims the control socket (one instance per user), builds the ports over
// $DISPLAY, hands them to the core, runs the launch sequence and then the
// event loop until SIGTERM or SIGINT (a clean exit), the status menu's Quit,
// or until the X connection is lost. corvella-desktop (built with
// CORVELLA_QT) adds the tray icon and the settings window unless --headless.
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/app/corvella.h"
#include "core/control/command_line.h"
#include "core/control/control_handler.h"
#include "core/control/daemon_notices.h"
#include "core/hotkeys/linux_shortcut_text.h"
#include "platform/posix/control_channel.h"
#include "platform/posix/control_client.h"
#include "platform/posix/control_socket_claim.h"
#include "platform/x11/x11_platform.h"
#include "platform/x11/x11_session_checks.h"
#include "platform/xdg/xdg_control_socket.h"
#ifdef CORVELLA_QT
#include "platform/qt/desktop_shell.h"
#endif

namespace {

// The program a user starts, which the autostart entry names: corvella,
// which starts the daemon with its own path as the first argument.
std::filesystem::path thisProgram(const char* argument) {
  std::error_code error;
  if (std::filesystem::path given(argument); given.is_absolute()) return given;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return path;
  return std::filesystem::absolute(argument, error);
}

void printError(const std::string& text) {
  std::fputs(text.c_str(), stderr);
}

// The socket this daemon serves; absent when there is none to serve (the
// reason is printed). Sets *alreadyRunning when another daemon serves it.
std::unique_ptr<corvella::posix::ControlSocket> claimControlSocket(
    const std::optional<std::filesystem::path>& path, bool* alreadyRunning) {
  using corvella::posix::ControlSocketClaim;
  if (!path) {
    printError(corvella::controlChannelOffNotice("no folder for its socket can be named"));
    return nullptr;
  }
  ControlSocketClaim claim = corvella::posix::claimControlSocket(*path);
  switch (claim.result) {
    case ControlSocketClaim::Result::claimed:
      return std::move(claim.socket);
    case ControlSocketClaim::Result::alreadyRunning:
      *alreadyRunning = true;
      printError(corvella::alreadyRunningNotice(path->string()));
      return nullptr;
    case ControlSocketClaim::Result::failed:
      printError(corvella::controlChannelOffNotice(claim.error));
      return nullptr;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit must not end the program: a write past it fails, the
  // log drops that entry and a save reports it.
  ::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const corvella::CommandLine command = corvella::parseCommandLine(arguments);
  const auto socketPath = corvella::xdg::controlSocketPath();
  // A command, or --settings shown by a running Corvella; else this is the daemon.
  if (auto exit = corvella::posix::actAsClient(command, socketPath, CORVELLA_VERSION)) return *exit;
  if (corvella::x11::waylandWithoutX(corvella::xdg::processEnvironment)) {
    printError(corvella::waylandWithoutXNotice());
    return 1;
  }
  // Before the display is touched: a second daemon leaves the first one's
  // key grabs alone.
  bool alreadyRunning = false;
  auto controlSocket = claimControlSocket(socketPath, &alreadyRunning);
  if (alreadyRunning) return 0;

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
  if (!command.headless) desktop = std::make_unique<corvella::qt::DesktopShell>(argc, argv);
  const auto loopFactory =
      desktop ? desktop->loopFactory() : corvella::x11::X11Platform::LoopFactory{};
  const bool hasSettingsWindow = desktop != nullptr;
#else
  if (command.settings) std::fprintf(stderr, "corvella: no settings window to show\n");
  const corvella::x11::X11Platform::LoopFactory loopFactory;
  const bool hasSettingsWindow = false;
#endif

  std::string error;
  auto platform = corvella::x11::X11Platform::open("", thisProgram(argv[0]), &error, loopFactory);
  if (!platform) {
    std::fprintf(stderr, "corvella: %s\n", error.c_str());
    return 1;
  }

  if (!corvella::x11::ewmhWindowManagerRuns(platform->connection())) {
    printError(corvella::noWindowManagerNotice());
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
  corvella::ControlHandler control(
      app.services(), app.delegate(),
      corvella::ControlIdentity{CORVELLA_VERSION, ::getpid(), corvella::linuxShortcutText,
                                hasSettingsWindow});
  std::unique_ptr<corvella::posix::ControlChannel> channel;
  if (controlSocket) {
    std::string channelError;
    channel = corvella::posix::ControlChannel::open(
        controlSocket->takeListener(), loop,
        [&control](const std::string& line) { return control.answerLine(line); }, &channelError);
    if (channel) {
      loop.watch(channel->descriptor(), [&channel] { channel->handleReadable(); });
    } else {
      printError(corvella::controlChannelOffNotice(channelError));
    }
  }
  if (signals >= 0) {
    loop.watch(signals, [&loop, signals] {
      signalfd_siginfo info;
      while (::read(signals, &info, sizeof info) == sizeof info) loop.stop();
    });
  }
  loop.post([&app, &control] {
    app.delegate().applicationDidFinishLaunching();
    // Someone who started it by hand learns at once which shortcuts to bind
    // elsewhere; an autostarted daemon has no one to tell (status says it).
    if (::isatty(STDERR_FILENO)) {
      printError(corvella::refusedShortcutsNotice(control.refusedShortcuts()));
    }
  });
#ifdef CORVELLA_QT
  if (desktop && command.settings) desktop->openSettings();
#endif

  const auto exit = loop.run();
  if (signals >= 0) ::close(signals);
  if (exit == corvella::x11::X11MainLoop::Exit::connectionLost) {
    reportConnectionLost();
    return 1;
  }
  return 0;
}
