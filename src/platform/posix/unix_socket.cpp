#include "platform/posix/unix_socket.h"

#include <fcntl.h>
#include <poll.h>

#include <cerrno>
#include <cstring>

namespace corvella::posix {

std::optional<sockaddr_un> socketAddress(const std::filesystem::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string& text = path.native();
  if (text.empty() || text.size() >= sizeof address.sun_path) return std::nullopt;
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  return address;
}

FileDescriptor streamSocket() {
#if defined(__linux__)
  return FileDescriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
#else
  FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM, 0));
  if (socket) {
    ::fcntl(socket.get(), F_SETFD, FD_CLOEXEC);
    const int on = 1;
    ::setsockopt(socket.get(), SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
  }
  return socket;
#endif
}

bool setNonBlocking(int descriptor) {
  const int flags = ::fcntl(descriptor, F_GETFL);
  return flags >= 0 && ::fcntl(descriptor, F_SETFL, flags | O_NONBLOCK) == 0;
}

long sendWithoutSignal(int descriptor, std::string_view bytes) {
#if defined(__linux__)
  return ::send(descriptor, bytes.data(), bytes.size(), MSG_NOSIGNAL);
#else
  // SO_NOSIGPIPE, set on every socket of ours, stands in for MSG_NOSIGNAL.
  return ::send(descriptor, bytes.data(), bytes.size(), 0);
#endif
}

std::optional<FileDescriptor> connectTo(const std::filesystem::path& path) {
  const auto address = socketAddress(path);
  if (!address) {
    errno = ENAMETOOLONG;
    return std::nullopt;
  }
  FileDescriptor socket = streamSocket();
  if (!socket || !setNonBlocking(socket.get())) return std::nullopt;
  int reason = 0;
  if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
    reason = errno;
    // Where a local connection is not made at once, it is made within a
    // moment or not at all.
    if (reason == EINPROGRESS) {
      pollfd writable{socket.get(), POLLOUT, 0};
      socklen_t length = sizeof reason;
      if (::poll(&writable, 1, 1000) != 1 ||
          ::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &reason, &length) != 0) {
        reason = ETIMEDOUT;
      }
    }
  }
  if (reason != 0) {
    socket.reset();
    errno = reason;
    return std::nullopt;
  }
  return socket;
}

std::string systemError(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace corvella::posix
