// ControlChannel: the control server run by the application's main queue.
// A request runs as posted work on a later turn of the main loop, as a
// hot-key press does, and a timer runs only while clients are connected, so
// an idle channel never wakes the loop. The loop watches descriptor() and
// calls handleReadable() when it is readable.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/ports/main_queue.h"
#include "platform/posix/control_server.h"

namespace corvella::posix {

class ControlChannel {
 public:
  // The application's answer line for a request line (ControlHandler::answerLine).
  using Answer = std::function<std::string(const std::string& requestLine)>;

  static std::unique_ptr<ControlChannel> open(FileDescriptor listener, MainQueue& queue,
                                              Answer answer, std::string* error);
  static std::unique_ptr<ControlChannel> open(FileDescriptor listener, MainQueue& queue,
                                              Answer answer, ControlServer::Limits limits,
                                              std::string* error);
  ~ControlChannel();

  int descriptor() const { return server_->descriptor(); }
  void handleReadable();
  std::size_t clientCount() const { return server_->clientCount(); }

 private:
  explicit ControlChannel(MainQueue& queue) : queue_(queue) {}
  void updateTimer();

  MainQueue& queue_;
  std::unique_ptr<ControlServer> server_;
  std::optional<TimerID> timer_;
};

}  // namespace corvella::posix
