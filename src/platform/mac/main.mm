// Program entry and composition root of the macOS application: the port
// adapters, the core built over them, and the wiring between the core's
// models and the AppKit views that draw them.
#import <AppKit/AppKit.h>
#include <signal.h>

#include "core/app/corvella.h"
#include "platform/mac/application_delegate.h"
#include "platform/mac/mac_platform.h"
#include "platform/mac/menu_rendering.h"
#include "platform/mac/views/settings_view_controller.h"

int main() {
  // A file-size limit must not end the program: a write past it fails and
  // the log drops that entry.
  signal(SIGXFSZ, SIG_IGN);
  @autoreleasepool {
    NSApplication* application = NSApplication.sharedApplication;

    // Owned here for the whole run: the event loop below ends with the process.
    corvella::mac::MacPlatform platform;
    corvella::Corvella app(platform.services());
    CorvellaApplicationDelegate* delegate = [[CorvellaApplicationDelegate alloc] initWithApp:&app];
    application.delegate = delegate;

    corvella::AppDelegate& core = app.delegate();
    platform.applicationUI.setStatusMenuSource(
        {.buildMenu = [&core] { return core.buildMenu(); },
         .perform = [&core](const corvella::MenuItem& item) { core.performMenuItem(item); }});

    __weak CorvellaSettingsViewController* settingsContent = nil;
    corvella::CoreServices& services = app.services();
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
