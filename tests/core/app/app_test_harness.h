// AppHarness: the core's services and the application delegate on a fresh
// simulated platform, with the log in memory, plus readers for
// what a test asserts on: log messages and a compact trace of port calls.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/app_delegate.h"
#include "core/app/core_services.h"
#include "platform/sim/sim_platform.h"

namespace corvella::testing_support {

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

  sim::SimPlatform platform{"/sim/Logs"};
  CoreServices services{platform.services()};
  std::shared_ptr<AppDelegate> delegate = AppDelegate::create(services);
};

}  // namespace corvella::testing_support
