// corvella-demo: the real core on a simulated desktop. Two applications'
// windows on two screens, then a scripted series of shortcuts and one menu
// choice, printing every window's frame after each step and the log lines the
// step wrote.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/actions/window_manager.h"
#include "core/app/corvella.h"
#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/default_shortcuts.h"
#include "core/hotkeys/hot_key_center.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_screen_arrangements.h"

namespace {

using corvella::Rect;
using corvella::WindowAction;
using corvella::sim::SimPlatform;
using corvella::sim::SimWindowId;

constexpr corvella::ProcessID editorPid = 501;
constexpr corvella::ProcessID terminalPid = 502;

// The log lives in the simulated platform's memory, under this name.
const std::filesystem::path logFolder = "/simulated/Library/Logs";

class Demo {
 public:
  Demo() : platform_(logFolder), logFile_(logFolder / "Corvella.log") {
    auto& desktop = platform_.desktop;
    desktop.setScreens(corvella::sim::sideBySideScreens());
    desktop.addApplication(editorPid, "Editor");
    desktop.addApplication(terminalPid, "터미널");
    const char* titles[] = {
        "Draft — notes.txt",      "README.md", "plan.md", "todo.txt", "main.cpp", "log.txt",
        "한국어 메모 ✍️"};
    for (int i = 0; i < 7; ++i) {
      const double offset = 40.0 * i;
      windows_.push_back(
          desktop.addWindow(editorPid, Rect{60 + offset, 80 + offset, 640, 420}, titles[i]));
    }
    windows_.push_back(desktop.addWindow(terminalPid, Rect{1600, 200, 800, 500}, "zsh"));
    desktop.setFrontmostApplication(editorPid);
    desktop.setFocusedWindow(editorPid, windows_.front());
  }

  void run() {
    std::cout << "Corvella demo on a simulated desktop\n"
              << "Screens: 1440×900 primary, 1920×1080 to its right "
                 "(visible frames below 25-point menu bars)\n";

    app_.prepareToRun();
    app_.delegate().applicationDidFinishLaunching();
    printStep("launch");

    press(WindowAction::leftHalf);
    press(WindowAction::rightHalf);
    press(WindowAction::nextThird);
    press(WindowAction::nextThird);
    press(WindowAction::previousThird);
    press(WindowAction::center);
    press(WindowAction::larger);
    press(WindowAction::smaller);
    press(WindowAction::nextDisplay);
    press(WindowAction::previousDisplay);
    press(WindowAction::tileAppColumns);

    // A grid from the status menu: the first built-in layout, 3 columns × 2
    // rows, for 7 windows — one is left where it is.
    const auto& layouts = app_.services().gridLayoutStore().layouts();
    if (!layouts.empty()) {
      app_.delegate().runGrid(layouts.front().id.uuidString());
      printStep("menu: " + std::string("grid ") + std::to_string(layouts.front().columns) + "×" +
                std::to_string(layouts.front().rows));
    }

    press(WindowAction::undo);
    press(WindowAction::redo);
    std::cout << "\nDone. Undo stack: " << app_.services().windowManager().undoStack().size()
              << " entries; beeps: " << platform_.desktop.beeps() << "\n";
  }

 private:
  void press(WindowAction action) {
    const auto shortcut = corvella::defaultShortcut(action);
    if (!shortcut) return;
    auto display = corvella::displayString(*shortcut, platform_.keyboardLayout);
    platform_.hotKeyService.press(shortcut->keyCode,
                                  corvella::carbonModifiers(shortcut->modifiers));
    platform_.mainQueue.runUntilIdle();
    printStep(display + "  " + std::string(corvella::rawValue(action)));
  }

  void printStep(const std::string& heading) {
    std::cout << "\n== " << heading << "\n";
    for (SimWindowId id : windows_) {
      const auto& window = platform_.desktop.window(id);
      const auto& app = platform_.desktop.application(window.pid);
      const bool focused = app.focusedWindow == id && window.pid == editorPid;
      std::cout << (focused ? " *" : "  ") << " w" << id << "  " << app.localizedName.value_or("?")
                << "  " << corvella::frameText(window.frame) << "  " << window.title << "\n";
    }
    printNewLogLines();
  }

  void printNewLogLines() {
    const std::string text = platform_.logLocation.fileText(logFile_).value_or("");
    std::istringstream lines(text.substr(std::min(logOffset_, text.size())));
    for (std::string line; std::getline(lines, line);) std::cout << "   log | " << line << "\n";
    logOffset_ = text.size();
  }

  SimPlatform platform_;
  corvella::Corvella app_{platform_.services()};
  std::filesystem::path logFile_;
  std::vector<SimWindowId> windows_;
  std::size_t logOffset_ = 0;
};

}  // namespace

int main() {
  Demo demo;
  demo.run();
  return 0;
}
