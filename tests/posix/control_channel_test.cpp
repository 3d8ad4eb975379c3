// The control channel at both ends: one line in, one answer out; no client stalls the daemon, grows
// without bound or reaches it from another account; and the client gets a clear verdict when
// nothing answers. One daemon per user: the socket is claimed under a lock in a private folder, a
// stale one is replaced, anything else in the way is left alone.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/control/control_answer.h"
#include "platform/posix/control_channel.h"
#include "platform/posix/control_client.h"
#include "platform/posix/control_server.h"
#include "platform/posix/control_socket_claim.h"
#include "platform/posix/peer_credentials.h"
#include "platform/posix/unix_socket.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/temporary_folder.h"

namespace corvella::posix {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Result = Exchange::Result;

// A server (or a channel on a main queue) in a fresh folder; pump() is one
// bounded turn of a daemon's loop; clients are plain non-blocking sockets.
class ControlTest : public ::testing::Test {
 protected:
  bool claimSocket() {
    claim = claimControlSocket(socketPath);
    return claim.result == ControlSocketClaim::Result::claimed;
  }

  // Starts the server; the application answers "answer to " and the line,
  // at once or, while deferring, when a test calls what it holds.
  bool start(ControlServer::Limits limits = {}, uid_t user = ::geteuid()) {
    if (!claimSocket()) return false;
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

  // Starts a channel on the queue instead, answering as the application does.
  bool openChannel(MainQueue& queue, ControlServer::Limits limits = {}) {
    if (!claimSocket()) return false;
    std::string error;
    channel = ControlChannel::open(
        claim.socket->takeListener(), queue,
        [this](const std::string& line) {
          lines.push_back(line);
          return application(line);
        },
        limits, &error);
    return channel != nullptr;
  }

  // One turn: waits up to 20 ms for the descriptor, then lets the server work.
  void pump() {
    pollfd ready{channel ? channel->descriptor() : server->descriptor(), POLLIN, 0};
    if (::poll(&ready, 1, 20) <= 0) return;
    if (channel) {
      channel->handleReadable();
    } else {
      server->handleReadable();
    }
  }

  FileDescriptor connect() {
    auto socket = connectTo(socketPath);
    pump();  // accepted
    return socket ? std::move(*socket) : FileDescriptor();
  }

  // Writes the bytes (which fit in the socket's buffer) and lets the server work.
  bool send(int client, const std::string& bytes) {
    const bool sent = sendWithoutSignal(client, bytes) == static_cast<long>(bytes.size());
    pump();
    return sent;
  }

  // Everything the server sends until it closes (bounded: 500 turns of up to 20 ms).
  std::string readToEnd(int client) {
    std::string received;
    for (int turn = 0; turn < 500; ++turn) {
      char buffer[4096];
      const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
      if (got == 0 || (got < 0 && errno != EAGAIN)) return received;
      if (got > 0) received.append(buffer, static_cast<std::size_t>(got));
      if (got < 0) pump();
    }
    ADD_FAILURE() << "the server never closed the connection";
    return received;
  }

  // The exit status and error of the answer line sent: "1 busy: ...".
  std::string errorOf(int client) {
    const std::string line = readToEnd(client);
    auto answer = decodeControlAnswer(line.substr(0, line.find('\n')));
    return answer ? std::to_string(int(answer->exit)) + " " + answer->error
                  : "(not one: " + line + ")";
  }

  // A socket bound at the path, as another process left it.
  FileDescriptor boundSocket() {
    fs::create_directories(socketPath.parent_path());
    FileDescriptor bound = streamSocket();
    const auto address = socketAddress(socketPath);
    EXPECT_EQ(::bind(bound.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address),
              0);
    return bound;
  }

  corvella::testing_support::TemporaryFolder folder;
  const fs::path socketPath = folder.path() / "run/corvella/control";
  ControlSocketClaim claim;
  std::unique_ptr<ControlServer> server;
  std::unique_ptr<ControlChannel> channel;
  std::vector<std::string> lines;
  std::vector<ControlServer::Respond> held;
  bool deferring = false;
  std::function<std::string(const std::string&)> application = [](const std::string& line) {
    return "answer to " + line;
  };
};

using ControlServerTest = ControlTest;

TEST_F(ControlServerTest, OneLineIsAnsweredAndALastLineWithoutItsLineFeedCountsAtTheEnd) {
  ASSERT_TRUE(start());
  FileDescriptor client = connect();
  ASSERT_TRUE(send(client.get(), "{\"request\":\"status\"}\nnot read\n"));
  EXPECT_EQ(readToEnd(client.get()), "answer to {\"request\":\"status\"}\n");
  FileDescriptor unended = connect();
  ASSERT_TRUE(send(unended.get(), "{\"request\":\"list\"}\r"));
  pump();
  EXPECT_THAT(lines, ElementsAre("{\"request\":\"status\"}")) << "more may come";
  ::shutdown(unended.get(), SHUT_WR);
  EXPECT_EQ(readToEnd(unended.get()), "answer to {\"request\":\"list\"}\r\n");
}

TEST_F(ControlServerTest, TheLongestLineIsFourKibibytesWithItsLineFeed) {
  ASSERT_TRUE(start());
  FileDescriptor longest = connect();
  ASSERT_TRUE(send(longest.get(), std::string(4095, 'a') + "\n"));
  EXPECT_EQ(readToEnd(longest.get()), "answer to " + std::string(4095, 'a') + "\n");
  FileDescriptor tooLong = connect();
  ASSERT_TRUE(send(tooLong.get(), std::string(4096, 'a') + "\n"));
  EXPECT_EQ(errorOf(tooLong.get()), "2 request longer than 4096 bytes");
}

TEST_F(ControlServerTest, ASilentClientWaitsAloneAndIsDroppedWhenItsTimeIsUp) {
  ASSERT_TRUE(start());
  FileDescriptor silent = connect();
  FileDescriptor leaving = connect();
  FileDescriptor other = connect();
  leaving.reset();  // says nothing and leaves: costs nothing
  ASSERT_TRUE(send(other.get(), "ping\n"));
  EXPECT_EQ(readToEnd(other.get()), "answer to ping\n");
  EXPECT_EQ(server->clientCount(), 1u);
  server->handleTimer(ControlServer::Clock::now() + std::chrono::milliseconds(4000));
  EXPECT_EQ(server->clientCount(), 1u) << "five seconds are not up";
  server->handleTimer(ControlServer::Clock::now() + std::chrono::milliseconds(5001));
  EXPECT_EQ(readToEnd(silent.get()), "");
}

TEST_F(ControlServerTest, AnAnswerComesOnALaterTurnUntimedAndNowhereOnceItsClientIsGone) {
  ASSERT_TRUE(start());
  deferring = true;
  FileDescriptor client = connect();
  FileDescriptor leaving = connect();
  ASSERT_TRUE(send(client.get(), "slow\n"));
  ASSERT_TRUE(send(leaving.get(), "slow\n"));
  pump();
  ASSERT_EQ(held.size(), 2u);
  server->handleTimer(ControlServer::Clock::now() + std::chrono::hours(1));
  EXPECT_EQ(server->clientCount(), 2u) << "not timed out while the answer is made";
  held.at(0)("done");
  held.at(0)("twice");  // a second answer to the same request goes nowhere
  EXPECT_EQ(readToEnd(client.get()), "done\n");
  leaving.reset();
  pump();
  EXPECT_EQ(server->clientCount(), 0u);
  held.at(1)("nobody listens");
  // Neither a new client nor anyone once the server is gone is handed an answer.
  FileDescriptor next = connect();
  ASSERT_TRUE(send(next.get(), "fresh\n"));
  pump();
  ASSERT_EQ(held.size(), 3u);
  server.reset();
  held.at(2)("too late");
  char byte;
  EXPECT_EQ(::recv(next.get(), &byte, 1, 0), 0) << "closed without an answer";
}

TEST_F(ControlServerTest, ClientsBeyondTheLimitAreToldTheServerIsBusy) {
  ASSERT_TRUE(start({.maxClients = 1}));
  FileDescriptor first = connect();
  FileDescriptor second = connect();
  EXPECT_EQ(errorOf(second.get()), "1 busy: too many clients at once");
  EXPECT_EQ(server->clientCount(), 1u);
}

TEST_F(ControlServerTest, AnotherUsersConnectionIsRefusedBeforeItIsRead) {
  // A server that runs as someone else sees this test's process as a stranger.
  ASSERT_TRUE(start({}, ::geteuid() + 1));
  FileDescriptor client = connect();
  send(client.get(), "{\"request\":\"run\",\"action\":\"leftHalf\"}\n");
  EXPECT_EQ(errorOf(client.get()), "1 refused: this channel serves only its own user");
  EXPECT_THAT(lines, IsEmpty());
  // Root is no exception either way, and a peer of unknown user is none.
  EXPECT_FALSE(peerAllowed(0, 1000));
  EXPECT_FALSE(peerAllowed(std::nullopt, 0));
  const FileDescriptor file(::open("/dev/null", O_RDONLY | O_CLOEXEC));
  EXPECT_EQ(peerUserID(file.get()), std::nullopt) << "a file has no peer";
}

class ControlChannelTest : public ControlTest {
 protected:
  // The channel goes before the queue it runs on.
  void TearDown() override { channel.reset(); }
  sim::SimPlatform platform;
};

TEST_F(ControlChannelTest, ARequestRunsOnALaterTurnAndTheTimerOnlyWhileClientsAreConnected) {
  ASSERT_TRUE(openChannel(platform.mainQueue, {.clientTime = std::chrono::milliseconds(0)}));
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u) << "an idle channel never wakes the loop";
  FileDescriptor client = connect();
  ASSERT_TRUE(send(client.get(), "{\"request\":\"status\"}\n"));
  for (int turn = 0; turn < 100 && platform.mainQueue.pendingCount() == 0; ++turn) pump();
  EXPECT_THAT(lines, IsEmpty()) << "posted, not run inside the loop's callback";
  platform.mainQueue.runPending();
  EXPECT_THAT(lines, ElementsAre("{\"request\":\"status\"}"));
  EXPECT_EQ(readToEnd(client.get()), "answer to {\"request\":\"status\"}\n");
  // A silent client's time (none at all) is up at the first tick, which also stops the timer.
  FileDescriptor silent = connect();
  EXPECT_EQ(channel->clientCount(), 1u);
  platform.mainQueue.advance(0.25);
  EXPECT_EQ(channel->clientCount(), 0u);
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u);
}

// The server runs its loop on a thread of its own while the client waits.
class ControlClientTest : public ControlTest {
 protected:
  void serve() {
    ASSERT_TRUE(start());
    serving = std::thread([this] {
      while (!stopping) pump();
    });
  }
  void TearDown() override { stopServing(); }
  void stopServing() {
    stopping = true;
    if (serving.joinable()) serving.join();
  }
  std::thread serving;
  std::atomic<bool> stopping{false};
};

TEST_F(ControlClientTest, TheCommandLineReportFollowsTheAnswer) {
  application = [](const std::string& line) {
    if (line == R"({"request":"status"})") return std::string("garbled");
    return encodeControlAnswer(ControlAnswer{ExitStatus::failed, "undo: 창 1개 복원\n", "", {}});
  };
  serve();
  const ClientReport unreadable = commandLineReport(parseCommandLine({"status"}), socketPath, "");
  const ClientReport run = commandLineReport(parseCommandLine({"run", "undo"}), socketPath, "");
  stopServing();
  EXPECT_EQ(unreadable.error, "corvella: Corvella gave an answer this client cannot read\n");
  EXPECT_EQ(run.output, "undo: 창 1개 복원\n");
  EXPECT_THAT(lines,
              ElementsAre(R"({"request":"status"})", R"({"request":"run","action":"undo"})"));
}

TEST_F(ControlClientTest, AnAnswerThatNeverComesEndsAtTheTimeLimit) {
  deferring = true;
  serve();
  const Exchange exchange = exchangeRequest(socketPath, "slow", std::chrono::milliseconds(200));
  EXPECT_EQ(exchange.result, Result::failed);
  EXPECT_EQ(exchange.why, "no answer from Corvella within 200 ms");
}

TEST_F(ControlClientTest, NothingListeningMeansNoInstance) {
  // Without a folder for the socket nothing can answer; --settings then
  // leaves this process to become Corvella.
  const ClientReport nameless = commandLineReport(parseCommandLine({"status"}), std::nullopt, "");
  EXPECT_EQ(nameless.output,
            "Corvella is not running (no folder for its control socket can be named).\n");
  EXPECT_EQ(settingsShownByRunningInstance(socketPath, ""), std::nullopt);
}

TEST_F(ControlClientTest, AListenerThatNeverAcceptsMakesTheClientGiveUpNotHang) {
  ASSERT_TRUE(claimSocket());
  // A daemon that hangs: its queue of connections fills up and stays full.
  std::vector<FileDescriptor> waiting;
  while (auto connection = connectTo(socketPath)) {
    waiting.push_back(std::move(*connection));
    ASSERT_LT(waiting.size(), 1000u);
  }
  const Exchange exchange = exchangeRequest(socketPath, "x");
  EXPECT_EQ(exchange.result, Result::failed);
  EXPECT_EQ(exchange.why, "Corvella is busy: its queue of connections is full");
}

TEST_F(ControlClientTest, AConnectionClosedWithoutAnAnswerIsAFailure) {
  ASSERT_TRUE(claimSocket());
  FileDescriptor listener = claim.socket->takeListener();
  std::thread closer([&] {
    pollfd ready{listener.get(), POLLIN, 0};
    ::poll(&ready, 1, 5000);
    FileDescriptor accepted(::accept(listener.get(), nullptr, nullptr));
    char buffer[64];
    ::recv(accepted.get(), buffer, sizeof buffer, 0);
  });
  const Exchange exchange = exchangeRequest(socketPath, "x");
  closer.join();
  EXPECT_EQ(exchange.result, Result::failed);
  EXPECT_EQ(exchange.why, "Corvella closed the connection without an answer");
}

mode_t modeOf(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 ? status.st_mode : 0;
}

// The first claim makes the socket's folder and the one above it.
TEST_F(ControlTest, TheFirstClaimMakesAPrivateFolderAndASocketOnlyItsUserCanReach) {
  ASSERT_TRUE(claimSocket()) << claim.error;
  EXPECT_EQ(modeOf(socketPath.parent_path()) & 0777, 0700u);
  EXPECT_EQ(modeOf(folder.path() / "run") & 0777, 0700u) << "made with its parent";
  EXPECT_EQ(modeOf(socketPath) & 077, 0u);
  EXPECT_TRUE(fs::exists(socketPath.parent_path() / "control.lock"));
  claim.socket.reset();
  EXPECT_FALSE(fs::exists(socketPath)) << "removed when the daemon ends";
}

TEST_F(ControlTest, ASocketLeftByACrashedDaemonIsReplacedInAFolderMadePrivate) {
  boundSocket();  // closed without being removed, as a killed daemon leaves it
  ::chmod(socketPath.parent_path().c_str(), 0755);
  EXPECT_EQ(exchangeRequest(socketPath, "x").result, Exchange::Result::noInstance);
  ASSERT_TRUE(claimSocket()) << claim.error;
  EXPECT_TRUE(connectTo(socketPath).has_value());
  EXPECT_EQ(modeOf(socketPath.parent_path()) & 0777, 0700u);
}

TEST_F(ControlTest, AListeningSocketWithoutTheLockStillCountsAsRunning) {
  FileDescriptor other = boundSocket();
  ASSERT_EQ(::listen(other.get(), 1), 0);
  EXPECT_EQ(claimControlSocket(socketPath).result, ControlSocketClaim::Result::alreadyRunning);
  EXPECT_TRUE(S_ISSOCK(modeOf(socketPath)));
}

TEST_F(ControlTest, WhatIsInTheWayIsRefusedAndLeftAlone) {
  const fs::path link = folder.path() / "link";
  const fs::path deep = folder.path() / std::string(120, 'd') / "control";
  fs::create_directories(socketPath.parent_path());
  std::ofstream(socketPath) << "notes";
  fs::create_directory_symlink(socketPath.parent_path(), link);
  const std::pair<fs::path, std::string> rows[] = {
      {socketPath, socketPath.string() + " is in the way (not a socket)"},
      {link / "control", link.string() + " is not a folder"},
      {deep, deep.string() + " is too long for a socket address"},  // refused, not cut
  };
  for (const auto& [path, error] : rows) {
    const ControlSocketClaim refused = claimControlSocket(path);
    EXPECT_EQ(refused.result, ControlSocketClaim::Result::failed) << path;
    EXPECT_EQ(refused.error, error);
  }
  EXPECT_EQ(folder.read("run/corvella/control"), "notes");
  EXPECT_FALSE(fs::exists(deep.parent_path()));
}

}  // namespace
}  // namespace corvella::posix
