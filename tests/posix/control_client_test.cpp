// The client end: one request, one answer line, and a clear verdict when
// nothing answers, the answer never comes or cannot be read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "control_test_support.h"
#include "platform/posix/control_client.h"

namespace corvella::posix {
namespace {

using ::testing::ElementsAre;
using Result = Exchange::Result;

// The server runs its loop on a thread of its own while the client waits.
class ControlClientTest : public ::testing::Test, protected testing_support::ServerHarness {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }
  void TearDown() override { stopServing(); }
  void serve() {
    serving = std::thread([this] {
      while (!stopping) pump();
    });
  }
  void stopServing() {
    stopping = true;
    if (serving.joinable()) serving.join();
  }

  std::thread serving;
  std::atomic<bool> stopping{false};
};

TEST_F(ControlClientTest, TheAnswerLineComesBackWithoutItsLineFeed) {
  serve();
  const Exchange exchange = exchangeRequest(socketPath, R"({"request":"status"})");
  stopServing();
  EXPECT_EQ(exchange.result, Result::answered) << exchange.why;
  EXPECT_EQ(exchange.answerLine, R"(answer to {"request":"status"})");
  EXPECT_THAT(lines, ElementsAre(R"({"request":"status"})"));
}

TEST_F(ControlClientTest, AnAnswerThatNeverComesEndsAtTheTimeLimit) {
  deferring = true;
  serve();
  const Exchange exchange = exchangeRequest(socketPath, "slow", std::chrono::milliseconds(200));
  EXPECT_EQ(exchange.result, Result::failed);
  EXPECT_EQ(exchange.why, "no answer from Corvella within 200 ms");
}

// A claimed socket that no server serves.
class ControlClientAloneTest : public ::testing::Test {
 protected:
  void claim() {
    claimed = claimControlSocket(socket);
    ASSERT_EQ(claimed.result, ControlSocketClaim::Result::claimed);
  }
  corvella::testing_support::TemporaryFolder folder;
  const std::filesystem::path socket = folder.path() / "control";
  ControlSocketClaim claimed;
};

TEST_F(ControlClientAloneTest, NothingListeningMeansNoInstance) {
  EXPECT_EQ(exchangeRequest(socket, "x").result, Result::noInstance);
  EXPECT_EQ(exchangeRequest(folder.path() / "missing" / "control", "x").result, Result::noInstance);
  claim();
  claimed.socket.reset();  // never served, then gone: only a lock file stays
  EXPECT_EQ(exchangeRequest(socket, "x").result, Result::noInstance);
}

TEST_F(ControlClientAloneTest, AListenerThatNeverAcceptsMakesTheClientGiveUpNotHang) {
  claim();
  // A daemon that hangs: its queue of connections fills up and stays full.
  std::vector<FileDescriptor> waiting;
  while (auto connection = connectTo(socket)) {
    waiting.push_back(std::move(*connection));
    ASSERT_LT(waiting.size(), 1000u);
  }
  const Exchange exchange = exchangeRequest(socket, "x");
  EXPECT_EQ(exchange.result, Result::failed);
  EXPECT_EQ(exchange.why, "Corvella is busy: its queue of connections is full");
}

TEST_F(ControlClientAloneTest, AConnectionClosedWithoutAnAnswerIsAFailure) {
  claim();
  FileDescriptor listener = claimed.socket->takeListener();
  std::thread closer([&] {
    pollfd ready{listener.get(), POLLIN, 0};
    ::poll(&ready, 1, 5000);
    FileDescriptor accepted(::accept(listener.get(), nullptr, nullptr));
    char buffer[64];
    ::recv(accepted.get(), buffer, sizeof buffer, 0);
  });
  const Exchange exchange = exchangeRequest(socket, "x");
  closer.join();
  EXPECT_EQ(exchange.result, Result::failed);
  EXPECT_EQ(exchange.why, "Corvella closed the connection without an answer");
}

TEST_F(ControlClientTest, TheCommandLineReportFollowsTheAnswer) {
  application = [](const std::string& line) {
    if (line == R"({"request":"status"})") return std::string("garbled");
    return encodeControlAnswer(
        ControlAnswer{ExitStatus::failed, "undo: 창 1개 복원\n", "", nlohmann::json{{"n", 1}}});
  };
  serve();
  const ClientReport unreadable = commandLineReport(parseCommandLine({"status"}), socketPath, "");
  const ClientReport list = commandLineReport(parseCommandLine({"list", "--json"}), socketPath, "");
  const ClientReport run = commandLineReport(parseCommandLine({"run", "undo"}), socketPath, "");
  stopServing();
  EXPECT_EQ(unreadable.exit, ExitStatus::failed);
  EXPECT_EQ(unreadable.error, "corvella: Corvella gave an answer this client cannot read\n");
  EXPECT_EQ(list.output, "{\n  \"n\": 1\n}\n");
  EXPECT_EQ(run.output, "undo: 창 1개 복원\n");
  EXPECT_EQ(run.exit, ExitStatus::failed);
  EXPECT_THAT(lines, ElementsAre(R"({"request":"status"})", R"({"request":"list"})",
                                 R"({"request":"run","action":"undo"})"));
}

TEST(ControlClientReportTest, WithoutAFolderForTheSocketNothingCanAnswer) {
  // Help, version, usage errors and a missing instance end the program in
  // the end-to-end tests, where their exit statuses are pinned.
  const ClientReport nameless = commandLineReport(parseCommandLine({"status"}), std::nullopt, "");
  EXPECT_EQ(nameless.exit, ExitStatus::noInstance);
  EXPECT_EQ(nameless.output,
            "Corvella is not running (no folder for its control socket can be named).\n");
  // --settings with no one to show them: this process is to become Corvella.
  EXPECT_EQ(settingsShownByRunningInstance("/nonexistent/corvella/control", ""), std::nullopt);
  EXPECT_EQ(settingsShownByRunningInstance(std::nullopt, ""), std::nullopt);
}

}  // namespace
}  // namespace corvella::posix
