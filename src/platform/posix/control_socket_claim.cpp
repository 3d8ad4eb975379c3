#include "platform/posix/control_socket_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/private_folder.h"
#include "platform/posix/unix_socket.h"

namespace corvella::posix {
namespace {

constexpr int backlog = 16;

ControlSocketClaim failure(std::string error) {
  return ControlSocketClaim{ControlSocketClaim::Result::failed, nullptr, std::move(error)};
}

ControlSocketClaim alreadyRunning() {
  return ControlSocketClaim{ControlSocketClaim::Result::alreadyRunning, nullptr, {}};
}

// Binds under a umask that leaves the socket to its owner from the first
// moment; no one else can connect between bind and a later chmod.
FileDescriptor bindListener(const sockaddr_un& address, std::string* error) {
  FileDescriptor listener = streamSocket();
  if (!listener) {
    *error = systemError("cannot make a socket");
    return {};
  }
  const mode_t previous = ::umask(077);
  const int bound =
      ::bind(listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
  const int reason = errno;
  ::umask(previous);
  if (bound != 0) {
    errno = reason;
    *error = systemError(std::string("cannot bind ") + address.sun_path);
    return {};
  }
  if (::listen(listener.get(), backlog) != 0 || !setNonBlocking(listener.get())) {
    *error = systemError(std::string("cannot listen on ") + address.sun_path);
    return {};
  }
  return listener;
}

}  // namespace

ControlSocket::~ControlSocket() {
  // Still under the lock: no other daemon has bound a socket of its own there.
  if (lock_) ::unlink(path_.c_str());
}

ControlSocketClaim claimControlSocket(const std::filesystem::path& socket) {
  const auto address = socketAddress(socket);
  if (!address) return failure(socket.string() + " is too long for a socket address");
  if (auto problem = preparePrivateFolder(socket.parent_path())) return failure(*problem);

  const std::filesystem::path lockPath = socket.parent_path() / controlLockName;
  FileDescriptor lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!lock) return failure(systemError("cannot open " + lockPath.string()));
  if (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return alreadyRunning();
    return failure(systemError("cannot lock " + lockPath.string()));
  }

  struct stat status {};
  if (::lstat(socket.c_str(), &status) == 0) {
    if (!S_ISSOCK(status.st_mode))
      return failure(socket.string() + " is in the way (not a socket)");
    // An instance that does not take the lock may still listen there.
    if (connectTo(socket)) return alreadyRunning();
    if (::unlink(socket.c_str()) != 0) {
      return failure(systemError("cannot remove the stale " + socket.string()));
    }
  }

  std::string error;
  FileDescriptor listener = bindListener(*address, &error);
  if (!listener) return failure(error);
  return ControlSocketClaim{
      ControlSocketClaim::Result::claimed,
      std::make_unique<ControlSocket>(socket, std::move(lock), std::move(listener)),
      {}};
}

}  // namespace corvella::posix
