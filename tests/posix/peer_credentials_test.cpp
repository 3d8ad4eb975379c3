// Whom the control channel serves: the decision for every case, and the
// system's answer for a real peer.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/posix/file_descriptor.h"
#include "platform/posix/peer_credentials.h"

namespace corvella::posix {
namespace {

TEST(PeerCredentialsTest, OnlyAPeerKnownToBeTheOwnUserIsServed) {
  struct Row {
    std::optional<uid_t> peer;
    uid_t own;
    bool allowed;
  };
  const Row rows[] = {
      {1000, 1000, true},       {0, 0, true},         {1001, 1000, false},
      {0, 1000, false},         {1000, 0, false},     {std::nullopt, 1000, false},
      {std::nullopt, 0, false}, {65534, 1000, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(peerAllowed(row.peer, row.own), row.allowed)
        << (row.peer ? std::to_string(*row.peer) : "unknown") << " vs " << row.own;
  }
}

TEST(PeerCredentialsTest, ThePeerOfAConnectedSocketIsThisProcesssUser) {
  int pair[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
  FileDescriptor a(pair[0]), b(pair[1]);
  EXPECT_EQ(peerUserID(a.get()), ::geteuid());
  EXPECT_TRUE(peerAllowed(peerUserID(b.get()), ::geteuid()));
  // Something that is not a socket has no peer.
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  FileDescriptor in(pipeEnds[0]), out(pipeEnds[1]);
  EXPECT_EQ(peerUserID(in.get()), std::nullopt);
}

}  // namespace
}  // namespace corvella::posix
