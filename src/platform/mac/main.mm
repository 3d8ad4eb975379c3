// Program entry and composition root of the macOS application: the port
// adapters, the core built over them, the control channel, and the wiring
// between the core's models and the AppKit views that draw them.
//
// With a command (run, grid, list, status, --help, --version) the same
// executable, Corvella.app/Contents/MacOS/Corvella, is the control channel's
// client and asks the running Corvella, as corvella does on Linux. Without
// one it is that application: it claims the control socket first (one
// instance per user; a second one says so in the log and ends before it
// registers a shortcut), then builds the application and runs its event loop.
#import <AppKit/AppKit.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/corvella.h"
#include "core/app/log.h"
#include "core/control/command_line.h"
#include "core/control/control_handler.h"
#include "core/control/control_reports.h"
#include "core/control/control_url_handler.h"
#include "core/control/daemon_notices.h"
#include "core/hotkeys/shortcut.h"
#include "platform/mac/application_delegate.h"
#include "platform/mac/mac_control_socket.h"
#include "platform/mac/mac_descriptor_watch.h"
#include "platform/mac/mac_platform.h"
#include "platform/mac/menu_rendering.h"
#include "platform/mac/views/settings_view_controller.h"
#include "platform/posix/control_channel.h"
#include "platform/posix/control_client.h"
#include "platform/posix/control_socket_claim.h"

#ifndef CORVELLA_VERSION
#error "CORVELLA_VERSION comes from the build (src/platform/mac/CMakeLists.txt)"
#endif

namespace {

void printError(const std::string& text) { std::fputs(text.c_str(), stderr); }

// What the claim of the control socket came to.
struct SocketClaim {
  std::unique_ptr<corvella::posix::ControlSocket> socket;
  bool alreadyRunning = false;
  std::string unavailable;  // why this instance serves no channel; empty when it does
};

SocketClaim claimSocket(const std::optional<std::filesystem::path>& path) {
  using corvella::posix::ControlSocketClaim;
  if (!path) return {nullptr, false, "the system names no Application Support folder"};
  ControlSocketClaim claim = corvella::posix::claimControlSocket(*path);
  switch (claim.result) {
    case ControlSocketClaim::Result::claimed:
      return {std::move(claim.socket), false, {}};
    case ControlSocketClaim::Result::alreadyRunning:
      return {nullptr, true, {}};
    case ControlSocketClaim::Result::failed:
      break;
  }
  return {nullptr, false, claim.error};
}

// A terminal that started the application learns it on standard error; the
// log file is where everyone else looks.
void reportNoChannel(corvella::Log& log, const std::string& why) {
  printError(corvella::controlChannelOffNotice(why));
  log.log(corvella::controlChannelOffLogEntry(why));
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit must not end the program: a write past it fails and
  // the log drops that entry.
  signal(SIGXFSZ, SIG_IGN);
  @autoreleasepool {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const corvella::CommandLine command =
        corvella::parseCommandLine(arguments, corvella::CommandLineShell::mac);
    const auto socketPath = corvella::mac::controlSocketPath();
    // A command, or --settings shown by a running Corvella; else this
    // process becomes Corvella (and shows the settings window if asked).
    if (auto exit = corvella::posix::actAsClient(command, socketPath, CORVELLA_VERSION)) {
      return *exit;
    }

    // Before anything is registered: a second instance leaves the first
    // one's shortcuts and status item alone.
    SocketClaim claim = claimSocket(socketPath);
    if (claim.alreadyRunning) {
      corvella::mac::MacClock clock;
      corvella::mac::MacLogLocation logLocation;
      corvella::Log(clock, logLocation).log(corvella::alreadyRunningLogEntry(socketPath->string()));
      printError(corvella::alreadyRunningNotice(socketPath->string()));
      return 0;
    }

    NSApplication* application = NSApplication.sharedApplication;

    // Owned here for the whole run: the event loop below ends with the process.
    corvella::mac::MacPlatform platform;
    corvella::Corvella app(platform.services());
    corvella::CoreServices& services = app.services();
    corvella::AppDelegate& core = app.delegate();

    corvella::ControlHandler control(
        services, core,
        corvella::ControlIdentity{CORVELLA_VERSION, ::getpid(), corvella::displayString, true});
    corvella::ControlURLHandler links(control, services.log());
    std::unique_ptr<corvella::posix::ControlChannel> channel;
    std::optional<corvella::mac::MacDescriptorWatch> channelWatch;
    if (claim.socket) {
      std::string error;
      channel = corvella::posix::ControlChannel::open(
          claim.socket->takeListener(), platform.mainQueue,
          [&control](const std::string& line) { return control.answerLine(line); }, &error);
      if (channel) {
        channelWatch.emplace(channel->descriptor(), [&channel] { channel->handleReadable(); });
      } else {
        reportNoChannel(services.log(), error);
      }
    } else {
      reportNoChannel(services.log(), claim.unavailable);
    }

    const bool showSettingsAtLaunch = command.settings;
    CorvellaApplicationDelegate* delegate = [[CorvellaApplicationDelegate alloc] initWithApp:&app
        afterLaunch:[&links, &control, &core, showSettingsAtLaunch] {
          links.launchFinished();
          if (showSettingsAtLaunch) core.openSettings();
          // Started from a terminal: which shortcuts to bind elsewhere.
          if (::isatty(STDERR_FILENO)) {
            printError(corvella::refusedShortcutsNotice(control.refusedShortcuts()));
          }
        }
        openURL:[&links](std::string_view url) { links.open(url); }];
    application.delegate = delegate;

    platform.applicationUI.setStatusMenuSource(
        {.buildMenu = [&core] { return core.buildMenu(); },
         .perform = [&core](const corvella::MenuItem& item) { core.performMenuItem(item); }});

    __weak CorvellaSettingsViewController* settingsContent = nil;
    platform.settingsWindowUI.setContentFactory(
        [&core, &services, &settingsContent]() -> NSViewController* {
          corvella::SettingsWindow* window = core.settingsWindow();
          if (!window) return nil;
          CorvellaSettingsViewController* content =
              [[CorvellaSettingsViewController alloc] initWithView:&window->view()
                                                             store:&services.gridLayoutStore()];
          settingsContent = content;
          return content;
        });
    platform.keyEventMonitor.setAfterEachEvent(
        [&settingsContent] { [settingsContent setNeedsRefresh]; });

    application.mainMenu = corvella::mac::makeMainMenu(app.prepareToRun());
    [application run];
  }
  return 0;
}
