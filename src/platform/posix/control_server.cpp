#include "platform/posix/control_server.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "core/control/control_answer.h"
#include "core/control/control_request.h"
#include "platform/posix/peer_credentials.h"
#include "platform/posix/unix_socket.h"

namespace corvella::posix {
namespace {

// Enough for everyone waiting at once; the rest wait for the next turn.
constexpr int acceptsPerTurn = 16;
// Read per client and turn, so that one client cannot keep the loop busy.
constexpr std::size_t readPerTurn = 64 * 1024;

std::string failedAnswerLine(const std::string& error) {
  return encodeControlAnswer(ControlAnswer{ExitStatus::failed, {}, error, nullptr}) + "\n";
}

FileDescriptor acceptOne(int listener) {
#if defined(__linux__)
  return FileDescriptor(::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
#else
  FileDescriptor client(::accept(listener, nullptr, nullptr));
  if (client) {
    ::fcntl(client.get(), F_SETFD, FD_CLOEXEC);
    const int on = 1;
    ::setsockopt(client.get(), SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
    setNonBlocking(client.get());
  }
  return client;
#endif
}

}  // namespace

std::unique_ptr<ControlServer> ControlServer::create(FileDescriptor listener,
                                                     RequestHandler handler, std::string* error) {
  return create(std::move(listener), std::move(handler), Limits{}, ::geteuid(), error);
}

std::unique_ptr<ControlServer> ControlServer::create(FileDescriptor listener,
                                                     RequestHandler handler, Limits limits,
                                                     uid_t ownUser, std::string* error) {
  auto readiness = ReadinessSet::create(error);
  if (!readiness) return nullptr;
  if (!setNonBlocking(listener.get()) || !readiness->watch(listener.get(), true, false)) {
    if (error) *error = systemError("cannot watch the control socket");
    return nullptr;
  }
  return std::unique_ptr<ControlServer>(new ControlServer(std::move(listener), std::move(readiness),
                                                          std::move(handler), limits, ownUser));
}

ControlServer::ControlServer(FileDescriptor listener, std::unique_ptr<ReadinessSet> readiness,
                             RequestHandler handler, Limits limits, uid_t ownUser)
    : listener_(std::move(listener)),
      readiness_(std::move(readiness)),
      handler_(std::move(handler)),
      limits_(limits),
      ownUser_(ownUser) {}

ControlServer::~ControlServer() {
  for (auto& [id, client] : clients_) readiness_->forget(client.socket.get());
  readiness_->forget(listener_.get());
}

void ControlServer::handleReadable() {
  for (const ReadinessSet::Ready& ready : readiness_->ready()) {
    if (ready.descriptor == listener_.get()) {
      acceptClients();
      continue;
    }
    for (auto& [id, client] : clients_) {
      if (client.socket.get() == ready.descriptor) {
        serviceClient(id, ready);
        break;
      }
    }
  }
}

void ControlServer::handleTimer(Clock::time_point now) {
  std::vector<std::uint64_t> late;
  for (const auto& [id, client] : clients_) {
    // The application's own time is not the client's fault.
    if (client.stage != Stage::awaiting && client.deadline <= now) late.push_back(id);
  }
  for (std::uint64_t id : late) drop(id);
}

void ControlServer::acceptClients() {
  for (int i = 0; i < acceptsPerTurn; ++i) {
    FileDescriptor socket = acceptOne(listener_.get());
    if (!socket) return;  // none left (EAGAIN), or this one vanished
    if (!peerAllowed(peerUserID(socket.get()), ownUser_)) {
      sendWithoutSignal(socket.get(),
                        failedAnswerLine("refused: this channel serves only its own user"));
      continue;
    }
    if (clients_.size() >= limits_.maxClients) {
      sendWithoutSignal(socket.get(), failedAnswerLine("busy: too many clients at once"));
      continue;
    }
    const std::uint64_t id = nextClient_++;
    Client& client = clients_[id];
    client.socket = std::move(socket);
    client.deadline = Clock::now() + limits_.clientTime;
    updateInterest(client);
    // A client writes as soon as it is connected: its request is often
    // there already, and is taken now rather than after another wait.
    const int descriptor = client.socket.get();
    serviceClient(id, ReadinessSet::Ready{descriptor, true, false, false});
  }
}

void ControlServer::serviceClient(std::uint64_t id, const ReadinessSet::Ready& ready) {
  Client& client = clients_.at(id);
  if ((client.stage == Stage::reading || client.stage == Stage::draining) &&
      (ready.readable || ready.hungUp)) {
    bool ended = false;
    if (!readFrom(client, ended)) return drop(id);
    if (client.stage == Stage::draining) {
      if (ended) return drop(id);
    } else {
      takeRequest(id, client, ended);
    }
  }
  // takeRequest may have answered and dropped the client already.
  auto still = clients_.find(id);
  if (still == clients_.end()) return;
  Client& current = still->second;
  if (ready.writable && !current.output.empty() && !flush(current)) return drop(id);
  if (current.stage == Stage::writing && current.output.empty()) return drop(id);
  // A client gone while its request runs or its answer waits: nothing to send to.
  if (ready.hungUp && (current.stage == Stage::awaiting || current.stage == Stage::writing)) {
    return drop(id);
  }
  updateInterest(current);
}

bool ControlServer::readFrom(Client& client, bool& ended) {
  char buffer[4096];
  std::size_t total = 0;
  while (total < readPerTurn) {
    const ssize_t got = ::recv(client.socket.get(), buffer, sizeof buffer, 0);
    if (got > 0) {
      total += static_cast<std::size_t>(got);
      if (client.stage == Stage::draining) continue;
      client.input.append(buffer, static_cast<std::size_t>(got));
      // The request is complete, or already too long: the rest does not matter.
      if (client.input.find('\n') != std::string::npos || client.input.size() >= maxRequestBytes) {
        return true;
      }
      continue;
    }
    if (got == 0) {
      ended = true;
      return true;
    }
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK;
  }
  return true;
}

void ControlServer::takeRequest(std::uint64_t id, Client& client, bool ended) {
  const std::size_t end = client.input.find('\n');
  // The line feed counts towards the limit.
  if ((end == std::string::npos ? client.input.size() : end + 1) > maxRequestBytes) {
    return refuse(client, "request longer than " + std::to_string(maxRequestBytes) + " bytes");
  }
  if (end == std::string::npos && !ended) return;  // more to come
  if (end == std::string::npos && client.input.empty()) return drop(id);
  // A last line without its line feed still counts when the client stops writing.
  std::string line = client.input.substr(0, end);
  client.input.clear();
  client.stage = Stage::awaiting;
  updateInterest(client);
  std::weak_ptr<bool> alive = alive_;
  handler_(line, [this, alive, id](const std::string& answerLine) {
    if (alive.lock()) answer(id, answerLine);
  });
}

void ControlServer::answer(std::uint64_t id, const std::string& line) {
  auto found = clients_.find(id);
  if (found == clients_.end() || found->second.stage != Stage::awaiting) return;
  Client& client = found->second;
  client.output = line + "\n";
  client.stage = Stage::writing;
  client.deadline = Clock::now() + limits_.clientTime;
  if (!flush(client) || client.output.empty()) return drop(id);
  updateInterest(client);
}

void ControlServer::refuse(Client& client, const std::string& error) {
  client.output = encodeControlAnswer(usageAnswer(error)) + "\n";
  client.input.clear();
  client.stage = Stage::draining;
  // The client may still be writing; closing now would lose the answer, so
  // the rest is read and dropped until the client ends or its time is up.
  flush(client);
  updateInterest(client);
}

bool ControlServer::flush(Client& client) {
  while (!client.output.empty()) {
    const long sent = sendWithoutSignal(client.socket.get(), client.output);
    if (sent > 0) {
      client.output.erase(0, static_cast<std::size_t>(sent));
      continue;
    }
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    return false;
  }
  // A drained refusal: the client sees the end after the answer.
  if (client.stage == Stage::draining) ::shutdown(client.socket.get(), SHUT_WR);
  return true;
}

void ControlServer::updateInterest(const Client& client) {
  const bool read = client.stage == Stage::reading || client.stage == Stage::draining;
  readiness_->watch(client.socket.get(), read, !client.output.empty());
}

void ControlServer::drop(std::uint64_t id) {
  auto found = clients_.find(id);
  if (found == clients_.end()) return;
  readiness_->forget(found->second.socket.get());
  clients_.erase(found);
}

}  // namespace corvella::posix
