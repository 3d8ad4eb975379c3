// Clients that misbehave on the control socket of a running corvella:
// malformed lines, a mebibyte of garbage, a client that never writes,
// unknown names and grid sizes out of range. Each gets one clear error
// answer, and the daemon keeps answering commands and shortcuts. (Every
// error text is pinned by the request's own tests; here: the running daemon.)
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(::connect(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof address),
              0);
  }
  ~RawClient() { ::close(descriptor_); }
  // Writes everything (the daemon reads as it goes); false when it broke off.
  bool write(const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
      const ssize_t n = ::send(descriptor_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<std::size_t>(n);
    }
    return ::shutdown(descriptor_, SHUT_WR) == 0;
  }
  std::string readToEnd() {
    std::string received;
    EXPECT_TRUE(readInto(descriptor_, received, [] { return false; })) << "no end: " << received;
    return received;
  }
  // The exit status and error of the answer.
  std::pair<int, std::string> answer() {
    const std::string line = readToEnd();
    const auto answer = nlohmann::json::parse(line.substr(0, line.find('\n')), nullptr, false);
    if (!answer.is_object()) return {-1, "not an answer: " + line};
    return {answer["exit"].get<int>(), answer["error"].get<std::string>()};
  }

 private:
  int descriptor_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
};

using ControlBadInputTest = OneWindowTest;

TEST_F(ControlBadInputTest, EachBadRequestGetsOneClearErrorAndNoClientStallsTheDaemon) {
  // Connected first and silent throughout.
  RawClient silent(session->controlSocket());
  const std::string range = "grid size out of range: columns and rows go from 1 to 12";
  const std::pair<std::string, std::string> rows[] = {
      {std::string("\x00\x01\x02\xff\n", 5),
       "malformed request: one JSON object on one line expected"},
      {"{\"request\":\"run\",\"action\":\"fooBar\"}\n",
       "unknown action \"fooBar\" (corvella list shows them)"},
      {"{\"request\":\"grid\",\"columns\":13,\"rows\":99999999999}\n", range},
      {"{\"request\":\"shutdown\"}\n", "unknown request \"shutdown\""},
      // A mebibyte without a line feed is read away and answered once.
      {std::string(1 << 20, '!'), "request longer than 4096 bytes"},
  };
  for (const auto& [bytes, error] : rows) {
    RawClient client(session->controlSocket());
    EXPECT_TRUE(client.write(bytes)) << "the daemon kept reading";
    EXPECT_EQ(client.answer(), (std::pair<int, std::string>{2, error})) << bytes.substr(0, 40);
  }

  // Commands and shortcuts are served as ever.
  const CommandResult run = session->runCorvella({"run", "leftHalf"});
  EXPECT_EQ(run.exitCode(), 0) << run.error;
  EXPECT_EQ(session->outerFrame(focusedWindow), (Frame{0, 0, 720, 900}));
  EXPECT_EQ(session->pressForEntry({super, alt, f}),
            okEntry("maximize", {{{0, 0, 1440, 900}, "Alpha"}}));
  // The silent client's time runs out and the daemon closes it without a word.
  EXPECT_EQ(silent.readToEnd(), "");
}

}  // namespace
}  // namespace corvella::e2e
