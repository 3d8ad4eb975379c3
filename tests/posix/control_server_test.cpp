// The daemon's end of the control channel against clients that behave and
// clients that do not: one line in, one answer out, and no client can stall
// the loop, grow without bound or reach it from another user's account.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "control_test_support.h"
#include "core/control/control_answer.h"

namespace corvella::posix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing_support::ServerHarness;

class ControlServerTest : public ::testing::Test, protected ServerHarness {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }
  // A client whose request the application holds on to.
  FileDescriptor deferredRequest() {
    deferring = true;
    FileDescriptor client = connect();
    EXPECT_TRUE(send(client.get(), "slow\n"));
    pump();
    EXPECT_EQ(held.size(), 1u);
    return client;
  }
  // The error of an answer line (with its line feed).
  static std::string errorOf(const std::string& line) {
    auto answer = decodeControlAnswer(line.substr(0, line.find('\n')));
    return answer ? answer->error : "(not an answer: " + line + ")";
  }
};

TEST_F(ControlServerTest, ARequestLineIsHandedOverAndItsAnswerSentBeforeTheEnd) {
  FileDescriptor client = connect();
  ASSERT_TRUE(send(client.get(), "{\"request\":\"status\"}\nnot read\n"));
  EXPECT_EQ(readToEnd(client.get()), "answer to {\"request\":\"status\"}\n");
  EXPECT_THAT(lines, ElementsAre("{\"request\":\"status\"}"));
  EXPECT_EQ(server->clientCount(), 0u);
}

TEST_F(ControlServerTest, ALastLineWithoutItsLineFeedCountsOnceTheClientStopsWriting) {
  FileDescriptor client = connect();
  ASSERT_TRUE(send(client.get(), "{\"request\":\"list\"}\r"));
  pump();
  EXPECT_THAT(lines, IsEmpty()) << "more may come";
  ::shutdown(client.get(), SHUT_WR);
  EXPECT_EQ(readToEnd(client.get()), "answer to {\"request\":\"list\"}\r\n");
}

TEST_F(ControlServerTest, AClientThatSaysNothingAndLeavesCostsNothing) {
  FileDescriptor client = connect();
  EXPECT_EQ(server->clientCount(), 1u);
  client.reset();
  pump();
  EXPECT_EQ(server->clientCount(), 0u);
  EXPECT_THAT(lines, IsEmpty());
}

TEST_F(ControlServerTest, TheLongestLineIsFourKibibytesWithItsLineFeed) {
  FileDescriptor longest = connect();
  ASSERT_TRUE(send(longest.get(), std::string(4095, 'a') + "\n"));
  EXPECT_EQ(readToEnd(longest.get()), "answer to " + std::string(4095, 'a') + "\n");

  FileDescriptor tooLong = connect();
  ASSERT_TRUE(send(tooLong.get(), std::string(4096, 'a') + "\n"));
  EXPECT_EQ(errorOf(readToEnd(tooLong.get())), "request longer than 4096 bytes");
  EXPECT_EQ(lines.size(), 1u);
}

TEST_F(ControlServerTest, AMebibyteOfGarbageIsReadAwayAndAnsweredWithOneError) {
  std::mt19937 random(7);
  std::string garbage(1 << 20, '\0');
  for (char& byte : garbage) {
    byte = static_cast<char>(random() % 255 + 1);
    if (byte == '\n') byte = '~';
  }
  FileDescriptor client = connect();
  // The server reads the whole mebibyte away, so the client is never stuck writing.
  ASSERT_TRUE(send(client.get(), garbage));
  ::shutdown(client.get(), SHUT_WR);
  const std::string answer = readToEnd(client.get());
  EXPECT_EQ(errorOf(answer), "request longer than 4096 bytes");
  EXPECT_EQ(decodeControlAnswer(answer.substr(0, answer.size() - 1))->exit, ExitStatus::usage);
  EXPECT_THAT(lines, IsEmpty());
  // What is still buffered is read away, 64 KiB a turn, up to the client's end.
  for (int turn = 0; turn < 100 && server->clientCount() > 0; ++turn) pump();
  EXPECT_EQ(server->clientCount(), 0u);
}

TEST_F(ControlServerTest, ASilentClientWaitsAloneAndIsDroppedWhenItsTimeIsUp) {
  FileDescriptor silent = connect();
  FileDescriptor other = connect();
  ASSERT_TRUE(send(other.get(), "ping\n"));
  EXPECT_EQ(readToEnd(other.get()), "answer to ping\n");
  EXPECT_EQ(server->clientCount(), 1u);

  server->handleTimer(ControlServer::Clock::now() + std::chrono::milliseconds(4000));
  EXPECT_EQ(server->clientCount(), 1u) << "five seconds are not up";
  server->handleTimer(ControlServer::Clock::now() + std::chrono::milliseconds(5001));
  EXPECT_EQ(server->clientCount(), 0u);
  EXPECT_EQ(readToEnd(silent.get()), "");
}

TEST_F(ControlServerTest, AnAnswerCanComeOnALaterTurnAndIsNotTimedOutWhileItIsMade) {
  FileDescriptor client = deferredRequest();
  ASSERT_EQ(held.size(), 1u);
  EXPECT_FALSE(hasArrived(client.get()));
  server->handleTimer(ControlServer::Clock::now() + std::chrono::hours(1));
  EXPECT_EQ(server->clientCount(), 1u);
  held[0]("done");
  held[0]("twice");  // a second answer to the same request goes nowhere
  EXPECT_EQ(readToEnd(client.get()), "done\n");
}

TEST_F(ControlServerTest, AnAnswerForAClientThatLeftIsDropped) {
  FileDescriptor client = deferredRequest();
  client.reset();
  pump();
  EXPECT_EQ(server->clientCount(), 0u);
  ASSERT_EQ(held.size(), 1u);
  held[0]("nobody listens");
  // A new client is not handed the old answer.
  deferring = false;
  FileDescriptor next = connect();
  ASSERT_TRUE(send(next.get(), "fresh\n"));
  EXPECT_EQ(readToEnd(next.get()), "answer to fresh\n");
}

TEST_F(ControlServerTest, AnAnswerAfterTheServerIsGoneDoesNothing) {
  FileDescriptor client = deferredRequest();
  ASSERT_EQ(held.size(), 1u);
  server.reset();
  held[0]("too late");
  char byte;
  EXPECT_EQ(::recv(client.get(), &byte, 1, 0), 0) << "closed without an answer";
}

TEST(ControlServerLimitsTest, ClientsBeyondTheLimitAreToldTheServerIsBusy) {
  ServerHarness harness;
  ControlServer::Limits limits;
  limits.maxClients = 1;
  ASSERT_TRUE(harness.start(limits));
  FileDescriptor first = harness.connect();
  FileDescriptor second = harness.connect();
  const std::string answer = harness.readToEnd(second.get());
  EXPECT_EQ(decodeControlAnswer(answer.substr(0, answer.find('\n')))->error,
            "busy: too many clients at once");
  EXPECT_EQ(harness.server->clientCount(), 1u);
}

TEST(ControlServerLimitsTest, AnotherUsersConnectionIsRefusedBeforeItIsRead) {
  ServerHarness harness;
  // A server that runs as someone else sees this test's process as a stranger.
  ASSERT_TRUE(harness.start({}, ::geteuid() + 1));
  FileDescriptor client = harness.connect();
  harness.send(client.get(), "{\"request\":\"run\",\"action\":\"leftHalf\"}\n");
  const std::string answer = harness.readToEnd(client.get());
  const auto refused = decodeControlAnswer(answer.substr(0, answer.find('\n')));
  ASSERT_TRUE(refused.has_value()) << answer;
  EXPECT_EQ(refused->exit, ExitStatus::failed);
  EXPECT_EQ(refused->error, "refused: this channel serves only its own user");
  EXPECT_THAT(harness.lines, IsEmpty());
  EXPECT_EQ(harness.server->clientCount(), 0u);
}

}  // namespace
}  // namespace corvella::posix
