// ControlServer: the daemon's end of the control channel. One request a
// connection: the client writes one line of at most maxRequestBytes, the
// server hands it to the application and writes back the answer line, then
// closes. Only peers of the daemon's own user are served.
//
// Nothing here blocks or owns a loop, so any event loop drives it: watch
// descriptor() for reading and call handleReadable(); while clientCount() is
// not zero, call handleTimer() now and then (a client that is too slow is
// dropped when its time is up). Descriptors are non-blocking; a client that
// never writes, writes too much or never reads costs one slot until its time
// is up, never a wait.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/posix/file_descriptor.h"
#include "platform/posix/readiness_set.h"

namespace corvella::posix {

class ControlServer {
 public:
  using Clock = std::chrono::steady_clock;
  // Takes the answer line (without its line feed); a client gone meanwhile
  // is no error.
  using Respond = std::function<void(const std::string& answerLine)>;
  // Gets each request line (without its line feed) and answers it, now or on
  // a later turn of the loop, by calling respond once.
  using RequestHandler = std::function<void(const std::string& line, Respond respond)>;

  struct Limits {
    // From connecting to the end of the answer, waiting for the application aside.
    std::chrono::milliseconds clientTime{5000};
    std::size_t maxClients = 32;
  };

  // Absent, with the reason in *error, when no readiness set can be made.
  static std::unique_ptr<ControlServer> create(FileDescriptor listener, RequestHandler handler,
                                               std::string* error);
  static std::unique_ptr<ControlServer> create(FileDescriptor listener, RequestHandler handler,
                                               Limits limits, uid_t ownUser, std::string* error);
  ~ControlServer();
  ControlServer(const ControlServer&) = delete;
  ControlServer& operator=(const ControlServer&) = delete;

  int descriptor() const { return readiness_->descriptor(); }
  // Accepts, reads, hands over complete requests and writes answers.
  void handleReadable();
  // Drops clients whose time is up.
  void handleTimer(Clock::time_point now = Clock::now());
  std::size_t clientCount() const { return clients_.size(); }

 private:
  enum class Stage {
    reading,   // waiting for the request line
    awaiting,  // the application has the request
    writing,   // the answer is being sent
    draining,  // answered a refused request; reading what is left until the client closes
  };
  struct Client {
    FileDescriptor socket;
    Stage stage = Stage::reading;
    std::string input;
    std::string output;
    Clock::time_point deadline;
  };

  ControlServer(FileDescriptor listener, std::unique_ptr<ReadinessSet> readiness,
                RequestHandler handler, Limits limits, uid_t ownUser);

  void acceptClients();
  void serviceClient(std::uint64_t id, const ReadinessSet::Ready& ready);
  // Reads what there is; false when the client is to be dropped.
  bool readFrom(Client& client, bool& ended);
  void takeRequest(std::uint64_t id, Client& client, bool ended);
  void answer(std::uint64_t id, const std::string& line);
  void refuse(Client& client, const std::string& error);
  // Sends what it can; false when the client is to be dropped.
  bool flush(Client& client);
  void updateInterest(const Client& client);
  void drop(std::uint64_t id);

  FileDescriptor listener_;
  std::unique_ptr<ReadinessSet> readiness_;
  RequestHandler handler_;
  Limits limits_;
  uid_t ownUser_;
  std::map<std::uint64_t, Client> clients_;
  std::uint64_t nextClient_ = 1;
  // Expires with the server, for answers that arrive after it is gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace corvella::posix
