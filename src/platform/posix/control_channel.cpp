#include "platform/posix/control_channel.h"

#include <unistd.h>

namespace corvella::posix {
namespace {

// How often clients' time limits are checked while any is connected.
constexpr double timerInterval = 0.25;

}  // namespace

std::unique_ptr<ControlChannel> ControlChannel::open(FileDescriptor listener, MainQueue& queue,
                                                     Answer answer, std::string* error) {
  return open(std::move(listener), queue, std::move(answer), ControlServer::Limits{}, error);
}

std::unique_ptr<ControlChannel> ControlChannel::open(FileDescriptor listener, MainQueue& queue,
                                                     Answer answer, ControlServer::Limits limits,
                                                     std::string* error) {
  std::unique_ptr<ControlChannel> channel(new ControlChannel(queue));
  auto handler = [&queue, answer = std::move(answer)](const std::string& line,
                                                      ControlServer::Respond respond) {
    queue.post([answer, line, respond = std::move(respond)] { respond(answer(line)); });
  };
  channel->server_ =
      ControlServer::create(std::move(listener), std::move(handler), limits, ::geteuid(), error);
  if (!channel->server_) return nullptr;
  return channel;
}

ControlChannel::~ControlChannel() {
  if (timer_) queue_.invalidate(*timer_);
}

void ControlChannel::handleReadable() {
  server_->handleReadable();
  updateTimer();
}

void ControlChannel::updateTimer() {
  if (server_->clientCount() > 0 && !timer_) {
    timer_ = queue_.scheduleRepeating(timerInterval, [this] {
      server_->handleTimer();
      updateTimer();
    });
  } else if (server_->clientCount() == 0 && timer_) {
    queue_.invalidate(*timer_);
    timer_.reset();
  }
}

}  // namespace corvella::posix
