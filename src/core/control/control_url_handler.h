// ControlURLHandler: serves the links the system opens with the application
// (corvella://run?action=leftHalf, see control_url.h) through the same
// ControlHandler as the control channel, so a link does exactly what the
// command and the shortcut do. No one reads a link's answer: what the action
// does shows in its windows and its log entry, and a link that asks for
// nothing that can be served is logged as ignored.
//
// The system may hand over the link that started the application before the
// launch sequence has run; such links wait for it and are served in order.
#pragma once

#include <string_view>
#include <vector>

#include "core/control/control_request.h"

namespace corvella {

class ControlHandler;
class Log;

class ControlURLHandler {
 public:
  ControlURLHandler(ControlHandler& control, Log& log) : control_(control), log_(log) {}

  void open(std::string_view url);
  // The launch sequence has run: serves the links that waited for it.
  void launchFinished();

 private:
  void serve(const ControlRequest& request);
  void ignore(std::string_view why);

  ControlHandler& control_;
  Log& log_;
  bool launched_ = false;
  std::vector<ControlRequest> waiting_;
};

}  // namespace corvella
