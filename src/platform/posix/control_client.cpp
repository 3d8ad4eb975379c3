#include "platform/posix/control_client.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/posix/unix_socket.h"

namespace corvella::posix {
namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Waits until the descriptor is ready for the events or the deadline passes.
bool waitFor(int descriptor, short events, Clock::time_point deadline) {
  pollfd entry{descriptor, events, 0};
  while (true) {
    const int ready = ::poll(&entry, 1, millisecondsLeft(deadline));
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

// "10 s", or "250 ms" below a whole second.
std::string durationText(std::chrono::milliseconds time) {
  if (time.count() % 1000 == 0) return std::to_string(time.count() / 1000) + " s";
  return std::to_string(time.count()) + " ms";
}

Exchange failed(std::string why) {
  return Exchange{Exchange::Result::failed, {}, std::move(why)};
}

void writeAll(int descriptor, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(descriptor, text.data() + written, text.size() - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return;
    }
  }
}

}  // namespace

Exchange exchangeRequest(const std::filesystem::path& socket, const std::string& requestLine,
                         std::chrono::milliseconds timeLimit) {
  const auto deadline = Clock::now() + timeLimit;
  auto connection = connectTo(socket);
  if (!connection) {
    if (errno == ENOENT || errno == ECONNREFUSED || errno == ENOTDIR) {
      return Exchange{Exchange::Result::noInstance, {}, {}};
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      return failed("Corvella is busy: its queue of connections is full");
    }
    return failed(systemError("cannot reach Corvella at " + socket.string()));
  }
  const int descriptor = connection->get();

  const std::string request = requestLine + "\n";
  std::size_t sent = 0;
  while (sent < request.size()) {
    if (!waitFor(descriptor, POLLOUT, deadline)) return failed("Corvella did not take the request");
    const long n = sendWithoutSignal(descriptor, std::string_view(request).substr(sent));
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      return failed(systemError("sending the request failed"));
    }
  }

  std::string answer;
  while (answer.find('\n') == std::string::npos) {
    if (answer.size() > maxAnswerBytes) return failed("the answer is too long");
    if (!waitFor(descriptor, POLLIN, deadline)) {
      return failed("no answer from Corvella within " + durationText(timeLimit));
    }
    char buffer[16384];
    const ssize_t got = ::recv(descriptor, buffer, sizeof buffer, 0);
    if (got > 0) {
      answer.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0) {
      return failed("Corvella closed the connection without an answer");
    } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      return failed(systemError("reading the answer failed"));
    }
  }
  answer.resize(answer.find('\n'));
  return Exchange{Exchange::Result::answered, std::move(answer), {}};
}

ClientReport commandLineReport(const CommandLine& command,
                               const std::optional<std::filesystem::path>& socket,
                               std::string_view version) {
  switch (command.kind) {
    case CommandLine::Kind::help:
      return ClientReport{helpText(command.shell), {}, ExitStatus::done};
    case CommandLine::Kind::version:
      return ClientReport{versionText(version), {}, ExitStatus::done};
    case CommandLine::Kind::usage:
      return usageReport(command.error);
    case CommandLine::Kind::daemon:
    case CommandLine::Kind::request:
      break;
  }
  if (!command.request) return usageReport("nothing to ask");
  if (!socket) {
    return noInstanceReport(command, "no folder for its control socket can be named");
  }
  const Exchange result = exchangeRequest(*socket, encodeControlRequest(*command.request));
  switch (result.result) {
    case Exchange::Result::noInstance:
      return noInstanceReport(command, "nothing answers at " + socket->string());
    case Exchange::Result::failed:
      return failedExchangeReport(result.why);
    case Exchange::Result::answered:
      break;
  }
  const auto answer = decodeControlAnswer(result.answerLine);
  if (!answer) return failedExchangeReport("Corvella gave an answer this client cannot read");
  return answerReport(command, *answer);
}

std::optional<ClientReport> settingsShownByRunningInstance(
    const std::optional<std::filesystem::path>& socket, std::string_view version) {
  if (!socket) return std::nullopt;
  CommandLine showSettings;
  showSettings.kind = CommandLine::Kind::request;
  showSettings.request = SettingsRequest{};
  ClientReport report = commandLineReport(showSettings, socket, version);
  if (report.exit == ExitStatus::noInstance) return std::nullopt;
  return report;
}

std::optional<int> actAsClient(const CommandLine& command,
                               const std::optional<std::filesystem::path>& socket,
                               std::string_view version) {
  if (command.kind != CommandLine::Kind::daemon) {
    return printReport(commandLineReport(command, socket, version));
  }
  if (!command.settings) return std::nullopt;
  auto shown = settingsShownByRunningInstance(socket, version);
  if (!shown) return std::nullopt;
  return printReport(*shown);
}

int printReport(const ClientReport& report) {
  const auto shown = [](int descriptor, const std::string& text) {
    return ::isatty(descriptor) ? terminalSafe(text) : text;
  };
  writeAll(STDOUT_FILENO, shown(STDOUT_FILENO, report.output));
  writeAll(STDERR_FILENO, shown(STDERR_FILENO, report.error));
  return static_cast<int>(report.exit);
}

}  // namespace corvella::posix
