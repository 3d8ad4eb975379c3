// Clients that misbehave on the control socket of a running corvella:
// malformed lines, a mebibyte of garbage, a client that never writes,
// unknown names and grid sizes out of range. Each gets one clear error
// answer, and the daemon keeps answering commands and shortcuts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>

#include "e2e_fixture.h"

namespace corvella::e2e {
namespace {

using namespace keys;

// A raw client: connects, writes bytes, reads to the end (bounded).
class RawClient {
 public:
  explicit RawClient(const std::filesystem::path& socket) {
    descriptor_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    connected_ =
        ::connect(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  }
  ~RawClient() { ::close(descriptor_); }
  bool connected() const { return connected_; }
  // Writes everything (the daemon reads as it goes); false when it broke off.
  bool write(const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
      const ssize_t n = ::send(descriptor_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<std::size_t>(n);
    }
    return true;
  }
  void finishWriting() { ::shutdown(descriptor_, SHUT_WR); }
  std::string readToEnd() {
    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (true) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            deadline - std::chrono::steady_clock::now())
                            .count();
      pollfd readable{descriptor_, POLLIN, 0};
      if (left <= 0 || ::poll(&readable, 1, static_cast<int>(left)) <= 0) {
        ADD_FAILURE() << "no end within ten seconds; so far: " << received;
        return received;
      }
      char buffer[4096];
      const ssize_t got = ::recv(descriptor_, buffer, sizeof buffer, 0);
      if (got <= 0) return received;
      received.append(buffer, static_cast<std::size_t>(got));
    }
  }

 private:
  int descriptor_ = -1;
  bool connected_ = false;
};

class ControlBadInputTest : public OneWindowTest {
 protected:
  // The exit status and error of the answer to the bytes sent.
  std::pair<int, std::string> answerTo(const std::string& bytes) {
    RawClient client(session->controlSocket());
    EXPECT_TRUE(client.connected());
    client.write(bytes);
    const std::string line = client.readToEnd();
    const auto answer = nlohmann::json::parse(line.substr(0, line.find('\n')), nullptr, false);
    if (!answer.is_object()) return {-1, "not an answer: " + line};
    return {answer["exit"].get<int>(), answer["error"].get<std::string>()};
  }
  // The daemon still runs commands and shortcuts.
  void expectStillWorking() {
    const Frame half{0, 0, 720, 900};
    const CommandResult run = session->runCorvella({"run", "leftHalf"});
    EXPECT_EQ(run.exitCode(), 0) << run.error;
    EXPECT_EQ(session->outerFrame(window), half);
    EXPECT_EQ(session->pressForEntry({super, alt, f}),
              "maximize\n" + moveLine(true, {0, 0, 1440, 900}, "(0,0 1440×900)", "Alpha"));
  }
};

TEST_F(ControlBadInputTest, EachMalformedOrUnservableLineGetsOneClearError) {
  const std::string malformed = "malformed request: one JSON object on one line expected";
  const std::string range = "grid size out of range: columns and rows go from 1 to 12";
  const std::pair<std::string, std::string> rows[] = {
      {"\n", malformed},
      {"run leftHalf\n", malformed},
      {"{\"request\":\"run\",\"action\":\"leftHalf\"\n", malformed},
      {std::string("\x00\x01\x02\xff\n", 5), malformed},
      {"{\"request\":\"run\",\"action\":\"fooBar\"}\n",
       "unknown action \"fooBar\" (corvella list shows them)"},
      {"{\"request\":\"grid\",\"columns\":0,\"rows\":3}\n", range},
      {"{\"request\":\"grid\",\"columns\":13,\"rows\":99999999999}\n", range},
      {"{\"request\":\"shutdown\"}\n", "unknown request \"shutdown\""},
  };
  for (const auto& [bytes, error] : rows) {
    EXPECT_EQ(answerTo(bytes), (std::pair<int, std::string>{2, error})) << bytes;
  }
  expectStillWorking();
}

TEST_F(ControlBadInputTest, AMebibyteOfGarbageIsAnsweredOnceAndReadAway) {
  std::string garbage(1 << 20, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) {
    garbage[i] = static_cast<char>('!' + (i * 7919) % 90);
  }
  RawClient client(session->controlSocket());
  ASSERT_TRUE(client.connected());
  EXPECT_TRUE(client.write(garbage)) << "the daemon kept reading";
  client.finishWriting();
  const std::string line = client.readToEnd();
  const auto answer = nlohmann::json::parse(line.substr(0, line.find('\n')));
  EXPECT_EQ(answer["exit"], 2);
  EXPECT_EQ(answer["error"], "request longer than 4096 bytes");
  expectStillWorking();
}

TEST_F(ControlBadInputTest, AClientThatNeverWritesStallsNothing) {
  RawClient silent(session->controlSocket());
  ASSERT_TRUE(silent.connected());
  // While it waits, commands and shortcuts are served as ever.
  expectStillWorking();
  EXPECT_EQ(session->runCorvella({"status"}).exitCode(), 0);
  // Its time runs out and the daemon closes it without a word.
  EXPECT_EQ(silent.readToEnd(), "");
}

}  // namespace
}  // namespace corvella::e2e
