#include "platform/posix/peer_credentials.h"

#include <sys/socket.h>
#include <unistd.h>

namespace corvella::posix {

std::optional<uid_t> peerUserID(int socket) {
#if defined(__linux__)
  struct ucred credentials {};
  socklen_t length = sizeof credentials;
  if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 ||
      length != sizeof credentials) {
    return std::nullopt;
  }
  return credentials.uid;
#else
  uid_t user = 0;
  gid_t group = 0;
  if (::getpeereid(socket, &user, &group) != 0) return std::nullopt;
  return user;
#endif
}

bool peerAllowed(std::optional<uid_t> peer, uid_t own) {
  return peer.has_value() && *peer == own;
}

}  // namespace corvella::posix
