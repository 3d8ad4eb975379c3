#include "platform/posix/unix_socket.h"

#include <fcntl.h>

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
  if (!socket) return std::nullopt;
  if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
    const int reason = errno;
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
