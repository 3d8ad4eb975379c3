#include "core/control/control_url_handler.h"

#include <string>

#include "core/app/log.h"
#include "core/control/control_handler.h"
#include "core/control/control_url.h"

namespace corvella {

void ControlURLHandler::open(std::string_view url) {
  ParsedRequest parsed = parseControlURL(url);
  if (!parsed.request) {
    ignore(parsed.error);
  } else if (launched_) {
    serve(*parsed.request);
  } else {
    waiting_.push_back(std::move(*parsed.request));
  }
}

void ControlURLHandler::launchFinished() {
  if (launched_) return;
  launched_ = true;
  std::vector<ControlRequest> waiting;
  waiting.swap(waiting_);
  for (const ControlRequest& request : waiting) serve(request);
}

void ControlURLHandler::serve(const ControlRequest& request) {
  const ControlAnswer answer = control_.serve(request);
  // A refused or unmatched action has written its own entry; a request that
  // could not be served as written (a layout no longer stored) has not.
  if (answer.exit == ExitStatus::usage) ignore(answer.error);
}

void ControlURLHandler::ignore(std::string_view why) {
  log_.log("URL 무시 — " + std::string(why));
}

}  // namespace corvella
