// The control server on the application's main queue: a request runs on a
// later turn, as a hot-key press does, and the timer that checks clients'
// time runs only while there are clients.
#include <gtest/gtest.h>
#include <poll.h>

#include <string>

#include "platform/posix/control_channel.h"
#include "platform/posix/control_socket_claim.h"
#include "platform/posix/unix_socket.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/temporary_folder.h"

namespace corvella::posix {
namespace {

class ControlChannelTest : public ::testing::Test {
 protected:
  void open(ControlServer::Limits limits = {}) {
    claim = claimControlSocket(folder.path() / "control");
    ASSERT_EQ(claim.result, ControlSocketClaim::Result::claimed);
    std::string error;
    channel = ControlChannel::open(
        claim.socket->takeListener(), platform.mainQueue,
        [this](const std::string& line) {
          asked.push_back(line);
          return "answer to " + line;
        },
        limits, &error);
    ASSERT_NE(channel, nullptr) << error;
  }
  // What the loop does when the channel's descriptor is readable (waiting up to a second).
  void turn() {
    pollfd ready{channel->descriptor(), POLLIN, 0};
    if (::poll(&ready, 1, 1000) > 0) channel->handleReadable();
  }
  FileDescriptor client(const std::string& request) {
    auto socket = connectTo(folder.path() / "control");
    EXPECT_TRUE(socket.has_value());
    if (!request.empty()) sendWithoutSignal(socket->get(), request);
    return std::move(*socket);
  }
  static std::string readAnswer(int socket) {
    std::string answer;
    char buffer[256];
    ssize_t got;
    while ((got = ::recv(socket, buffer, sizeof buffer, 0)) > 0) {
      answer.append(buffer, static_cast<std::size_t>(got));
    }
    return answer;
  }

  corvella::testing_support::TemporaryFolder folder;
  sim::SimPlatform platform;
  ControlSocketClaim claim;
  std::unique_ptr<ControlChannel> channel;
  std::vector<std::string> asked;
};

TEST_F(ControlChannelTest, ARequestRunsOnALaterTurnOfTheMainQueue) {
  open();
  FileDescriptor socket = client("{\"request\":\"status\"}\n");
  turn();  // accepted
  while (asked.empty() && platform.mainQueue.pendingCount() == 0) turn();
  EXPECT_TRUE(asked.empty()) << "posted, not run inside the loop's callback";
  EXPECT_EQ(platform.mainQueue.pendingCount(), 1u);
  platform.mainQueue.runPending();
  EXPECT_EQ(asked, std::vector<std::string>{"{\"request\":\"status\"}"});
  EXPECT_EQ(readAnswer(socket.get()), "answer to {\"request\":\"status\"}\n");
}

TEST_F(ControlChannelTest, TheTimerRunsOnlyWhileClientsAreConnected) {
  ControlServer::Limits limits;
  limits.clientTime = std::chrono::milliseconds(0);
  open(limits);
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u) << "an idle channel never wakes the loop";
  FileDescriptor silent = client("");
  turn();
  EXPECT_EQ(channel->clientCount(), 1u);
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 1u);
  // The silent client's time (none at all) is up at the first tick, which
  // also stops the timer.
  platform.mainQueue.advance(0.25);
  EXPECT_EQ(channel->clientCount(), 0u);
  EXPECT_EQ(platform.mainQueue.activeTimerCount(), 0u);
  EXPECT_EQ(readAnswer(silent.get()), "");
}

}  // namespace
}  // namespace corvella::posix
