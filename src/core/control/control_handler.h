// ControlHandler: serves the control channel's requests in the running
// application, on the main loop: runs actions and grids exactly as their
// shortcuts do, and answers list and status. A shell's control server hands
// it each request line and sends back the answer line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/control/control_answer.h"
#include "core/control/control_reports.h"
#include "core/control/control_request.h"
#include "core/hotkeys/shortcut.h"

namespace corvella {

class AppDelegate;
class CoreServices;
class KeyboardLayout;

// What the shell knows of itself.
struct ControlIdentity {
  std::string version;
  std::int64_t processID = 0;
  // How this platform writes a shortcut (linuxShortcutText, displayString).
  std::function<std::string(const Shortcut&, KeyboardLayout&)> spellShortcut;
  // Whether this instance can show a settings window (not when headless).
  bool hasSettingsWindow = false;
};

class ControlHandler {
 public:
  ControlHandler(CoreServices& services, AppDelegate& delegate, ControlIdentity identity);

  // The answer line, without its line feed, for a request line without its own.
  std::string answerLine(std::string_view requestLine);
  ControlAnswer serve(const ControlRequest& request);

  // The shortcuts the last registration could not register, spelled for
  // this platform, with what each stands for.
  std::vector<RefusedShortcut> refusedShortcuts();

 private:
  ControlAnswer runAction(WindowAction action);
  ControlAnswer runGrid(std::int64_t columns, std::int64_t rows);
  ControlAnswer runLayout(const UUID& id);
  ControlAnswer list();
  ControlAnswer status();
  ControlAnswer showSettings();
  std::string spell(const Shortcut& shortcut);

  CoreServices& services_;
  AppDelegate& delegate_;
  ControlIdentity identity_;
};

}  // namespace corvella
