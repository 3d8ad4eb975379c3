// One daemon per user: the socket is claimed under a lock in a private
// folder, a stale one is replaced, anything else in the way is left alone.
// (A second daemon finding the first, and claiming again after it, is end
// to end.)
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "platform/posix/control_client.h"
#include "platform/posix/control_socket_claim.h"
#include "platform/posix/unix_socket.h"
#include "tests/support/temporary_folder.h"

namespace corvella::posix {
namespace {

namespace fs = std::filesystem;
using Result = ControlSocketClaim::Result;

mode_t modeOf(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 ? status.st_mode : 0;
}

class ControlSocketClaimTest : public ::testing::Test {
 protected:
  // A socket bound at the path, as another process left it.
  FileDescriptor boundSocket() {
    fs::create_directories(socket.parent_path());
    FileDescriptor bound = streamSocket();
    const auto address = socketAddress(socket);
    EXPECT_EQ(::bind(bound.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address),
              0);
    return bound;
  }
  corvella::testing_support::TemporaryFolder folder;
  // A folder that does not exist yet, below another missing one.
  fs::path socket = folder.path() / "run" / "corvella" / "control";
};

TEST_F(ControlSocketClaimTest, TheFirstClaimMakesAPrivateFolderAndASocketOnlyItsUserCanReach) {
  ControlSocketClaim claim = claimControlSocket(socket);
  ASSERT_EQ(claim.result, Result::claimed) << claim.error;
  EXPECT_EQ(modeOf(socket.parent_path()) & 0777, 0700u);
  EXPECT_EQ(modeOf(folder.path() / "run") & 0777, 0700u);
  EXPECT_TRUE(S_ISSOCK(modeOf(socket)));
  EXPECT_EQ(modeOf(socket) & 077, 0u);
  EXPECT_TRUE(fs::exists(socket.parent_path() / "control.lock"));
  EXPECT_TRUE(connectTo(socket).has_value());
  claim.socket.reset();
  EXPECT_FALSE(fs::exists(socket)) << "removed when the daemon ends";
}

TEST_F(ControlSocketClaimTest, ASocketLeftByACrashedDaemonIsReplacedInAFolderMadePrivate) {
  boundSocket();  // closed without being removed, as a killed daemon leaves it
  ::chmod(socket.parent_path().c_str(), 0755);
  EXPECT_EQ(exchangeRequest(socket, "x").result, Exchange::Result::noInstance);
  const ControlSocketClaim claim = claimControlSocket(socket);
  ASSERT_EQ(claim.result, Result::claimed) << claim.error;
  EXPECT_TRUE(connectTo(socket).has_value());
  EXPECT_EQ(modeOf(socket.parent_path()) & 0777, 0700u);
}

TEST_F(ControlSocketClaimTest, AListeningSocketWithoutTheLockStillCountsAsRunning) {
  FileDescriptor other = boundSocket();
  ASSERT_EQ(::listen(other.get(), 1), 0);
  EXPECT_EQ(claimControlSocket(socket).result, Result::alreadyRunning);
  EXPECT_TRUE(S_ISSOCK(modeOf(socket)));
}

TEST_F(ControlSocketClaimTest, WhatIsInTheWayIsRefusedAndLeftAlone) {
  const fs::path link = folder.path() / "link";
  const fs::path deep = folder.path() / std::string(120, 'd') / "control";
  fs::create_directories(socket.parent_path());
  std::ofstream(socket) << "notes";
  fs::create_directory_symlink(socket.parent_path(), link);
  const std::pair<fs::path, std::string> rows[] = {
      {socket, socket.string() + " is in the way (not a socket)"},
      {link / "control", link.string() + " is not a folder"},
      {deep, deep.string() + " is too long for a socket address"},  // refused, not cut
  };
  for (const auto& [path, error] : rows) {
    const ControlSocketClaim claim = claimControlSocket(path);
    EXPECT_EQ(claim.result, Result::failed) << path;
    EXPECT_EQ(claim.error, error);
  }
  EXPECT_EQ(folder.read("run/corvella/control"), "notes");
  EXPECT_FALSE(fs::exists(deep.parent_path()));
}

}  // namespace
}  // namespace corvella::posix
