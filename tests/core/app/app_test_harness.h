// The core's services and delegate on a fresh simulated platform, with readers
// for log messages, port calls and menu items as one line of text each.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/app_delegate.h"
#include "core/app/core_services.h"
#include "platform/sim/sim_platform.h"

namespace corvella::testing_support {

inline constexpr const char* gridID = "AAAAAAAA-0000-4000-8000-000000000001";

// "Title → selector@target [object] key=… mask=0x… ✓", "---", "## Header";
// the arrow keys' private-use characters are written as U+F700 to U+F703.
inline std::string describe(const MenuItem& item) {
  if (item.kind == MenuItemKind::separator) return "---";
  if (item.kind == MenuItemKind::sectionHeader) return "## " + item.title;
  std::string text = item.title + " → " + std::string(selectorName(item.action));
  if (item.target != MenuTarget::none) {
    text += item.target == MenuTarget::delegate ? "@delegate" : "@updater";
  }
  if (item.representedObject) text += " [" + *item.representedObject + "]";
  std::string key = item.keyEquivalent;
  if (key.starts_with("\xEF\x9C") && key.size() == 3) {  // U+F7xx in UTF-8
    key = "U+F70" + std::to_string(static_cast<unsigned char>(key[2]) - 0x80);
  }
  if (!key.empty()) text += " key=" + key;
  std::ostringstream mask;
  mask << " mask=0x" << std::hex << std::uppercase << item.keyEquivalentModifierMask;
  if (item.keyEquivalentModifierMask != 0) text += mask.str();
  return item.state == MenuItemState::on ? text + " ✓" : text;
}

inline std::vector<std::string> describe(const std::vector<MenuItem>& items) {
  std::vector<std::string> lines;
  for (const MenuItem& item : items) lines.push_back(describe(item));
  return lines;
}

class AppHarness {
 public:
  // The messages of the log file in order, time stamps removed (a stamp is
  // the 20 characters "YYYY-MM-DDTHH:MM:SSZ" and one space).
  std::vector<std::string> logMessages() const {
    std::istringstream stream(platform.logLocation.fileText("/sim/Logs/Corvella.log").value_or(""));
    std::vector<std::string> messages;
    for (std::string line; std::getline(stream, line);) {
      const bool stamped =
          line.size() >= 21 && line[10] == 'T' && line[19] == 'Z' && line[20] == ' ';
      messages.push_back(stamped ? line.substr(21) : line);
    }
    return messages;
  }

  // The recorded calls as text, leaving out the log file's clerical calls
  // (its folder and the localizer), writing each time stamp taken for a log
  // entry as "log" and a run of hot-key registrations as "registerHotKey ×N".
  std::vector<std::string> trace() const {
    std::vector<std::string> lines;
    std::size_t registrations = 0;
    auto flush = [&] {
      if (registrations > 0) lines.push_back("registerHotKey ×" + std::to_string(registrations));
      registrations = 0;
    };
    for (const sim::SimCall& call : platform.desktop.calls()) {
      if (call.port == sim::SimPort::logLocation || call.port == sim::SimPort::localizer) continue;
      if (call.operation == "registerHotKey") {
        ++registrations;
        continue;
      }
      flush();
      lines.push_back(call.port == sim::SimPort::clock ? "log" : call.text());
    }
    flush();
    return lines;
  }

  // The stored "gridLayouts" document a launch will read.
  void storeGrids(const std::string& document) {
    platform.defaults.seedData("gridLayouts", document);
  }
  // One 3×2 grid, gridID, on control-option-1 (0xC0000 = 786432).
  void storeOneGrid() {
    storeGrids(R"([{"id":"AAAAAAAA-0000-4000-8000-000000000001","columns":3,"rows":2,)"
               R"("shortcut":{"keyCode":18,"modifiers":786432}}])");
  }
  // The front application "Notes" (pid 7) with its one window "Draft".
  sim::SimWindowId addDraftWindow(const Rect& frame = {100, 100, 800, 600}) {
    platform.desktop.addApplication(7, "Notes");
    platform.desktop.setFrontmostApplication(7);
    return platform.desktop.addWindow(7, frame, "Draft");
  }

  sim::SimPlatform platform{"/sim/Logs"};
  CoreServices services{platform.services()};
  std::shared_ptr<AppDelegate> delegate = AppDelegate::create(services);
};

}  // namespace corvella::testing_support
