// Who is at the other end of a Unix domain socket, and whether the control
// channel serves them: only processes of the user the daemon runs as.
#pragma once

#include <sys/types.h>

#include <optional>

namespace corvella::posix {

// The effective user id of the peer (SO_PEERCRED on Linux, getpeereid on
// macOS and the BSDs); absent when the system cannot tell.
std::optional<uid_t> peerUserID(int socket);

// The decision, apart from the system call so that it can be tested for
// every case: a peer is served only when its user is known and is our own.
// The superuser is no exception; it has no business in a user's session.
bool peerAllowed(std::optional<uid_t> peer, uid_t own);

}  // namespace corvella::posix
