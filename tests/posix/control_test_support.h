// A control server on a socket in a fresh folder, driven by the test itself:
// pump() does one bounded turn of the loop a daemon would run. Clients are
// plain non-blocking sockets that write bytes and read until the end.
#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/control_server.h"
#include "platform/posix/control_socket_claim.h"
#include "platform/posix/unix_socket.h"
#include "tests/support/temporary_folder.h"

namespace corvella::posix::testing_support {

class ServerHarness {
 public:
  // Starts the server; the application answers "answer to " and the line,
  // at once or, while deferring, when a test calls what it holds.
  bool start(ControlServer::Limits limits = {}, uid_t user = ::geteuid()) {
    socketPath = folder.path() / "control";
    claim = claimControlSocket(socketPath);
    if (claim.result != ControlSocketClaim::Result::claimed) return false;
    std::string error;
    server = ControlServer::create(
        claim.socket->takeListener(),
        [this](const std::string& line, ControlServer::Respond respond) {
          lines.push_back(line);
          if (deferring) {
            held.push_back(std::move(respond));
          } else {
            respond(application(line));
          }
        },
        limits, user, &error);
    return server != nullptr;
  }

  // One turn: waits up to 20 ms for the server's descriptor, then lets it work.
  void pump() {
    pollfd ready{server->descriptor(), POLLIN, 0};
    if (::poll(&ready, 1, 20) > 0) server->handleReadable();
  }

  FileDescriptor connect() {
    auto socket = connectTo(socketPath);
    EXPECT_TRUE(socket.has_value());
    if (!socket) return {};
    pump();  // accepted
    return std::move(*socket);
  }

  // Writes all bytes, letting the server work whenever the socket is full;
  // false when the connection broke first.
  bool send(int client, const std::string& bytes) {
    std::size_t sent = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (sent < bytes.size() && std::chrono::steady_clock::now() < deadline) {
      const long n = sendWithoutSignal(client, std::string_view(bytes).substr(sent));
      if (n > 0) {
        sent += static_cast<std::size_t>(n);
      } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
        return false;
      }
      pump();
    }
    return sent == bytes.size();
  }

  // Everything the server sends until it closes (bounded by ten seconds).
  std::string readToEnd(int client) {
    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      char buffer[4096];
      const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
      if (got > 0) {
        received.append(buffer, static_cast<std::size_t>(got));
        continue;
      }
      if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) return received;
      pump();
    }
    ADD_FAILURE() << "the server never closed the connection";
    return received;
  }

  // Whether anything (data or the end) waits to be read by the client.
  static bool hasArrived(int client) {
    pollfd entry{client, POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0;
  }

  corvella::testing_support::TemporaryFolder folder;
  std::filesystem::path socketPath;
  ControlSocketClaim claim;
  std::unique_ptr<ControlServer> server;
  // Every request line the application got.
  std::vector<std::string> lines;
  // Answers held back while deferring.
  std::vector<ControlServer::Respond> held;
  bool deferring = false;
  // The application's answer line for a request line.
  std::function<std::string(const std::string&)> application = [](const std::string& line) {
    return "answer to " + line;
  };
};

}  // namespace corvella::posix::testing_support
