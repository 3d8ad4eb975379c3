// One daemon per user: the socket is claimed under a lock, a stale one is
// replaced, anything else in the way is left alone, and the folder is
// private.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "platform/posix/control_client.h"
#include "platform/posix/control_socket_claim.h"
#include "platform/posix/unix_socket.h"
#include "tests/support/temporary_folder.h"

namespace corvella::posix {
namespace {

using ::testing::HasSubstr;
using Result = ControlSocketClaim::Result;

mode_t modeOf(const std::filesystem::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 ? status.st_mode : 0;
}

class ControlSocketClaimTest : public ::testing::Test {
 protected:
  corvella::testing_support::TemporaryFolder folder;
  // A folder that does not exist yet, below another missing one.
  std::filesystem::path socket = folder.path() / "run" / "corvella" / "control";
};

TEST_F(ControlSocketClaimTest, TheFirstClaimMakesAPrivateFolderAndASocketOnlyItsUserCanReach) {
  ControlSocketClaim claim = claimControlSocket(socket);
  ASSERT_EQ(claim.result, Result::claimed) << claim.error;
  EXPECT_EQ(modeOf(socket.parent_path()) & 0777, 0700u);
  EXPECT_EQ(modeOf(folder.path() / "run") & 0777, 0700u);
  EXPECT_TRUE(S_ISSOCK(modeOf(socket)));
  EXPECT_EQ(modeOf(socket) & 077, 0u);
  EXPECT_TRUE(std::filesystem::exists(socket.parent_path() / "control.lock"));
  EXPECT_TRUE(connectTo(socket).has_value());

  claim.socket.reset();
  EXPECT_FALSE(std::filesystem::exists(socket)) << "removed when the daemon ends";
}

TEST_F(ControlSocketClaimTest, WhileOneDaemonHoldsItASecondLearnsThatCorvellaRuns) {
  ControlSocketClaim first = claimControlSocket(socket);
  ASSERT_EQ(first.result, Result::claimed);
  const ControlSocketClaim second = claimControlSocket(socket);
  EXPECT_EQ(second.result, Result::alreadyRunning);
  EXPECT_EQ(second.socket, nullptr);
  EXPECT_TRUE(connectTo(socket).has_value()) << "the first one's socket is untouched";

  first.socket.reset();
  EXPECT_EQ(claimControlSocket(socket).result, Result::claimed);
}

TEST_F(ControlSocketClaimTest, ASocketLeftByACrashedDaemonIsReplaced) {
  std::filesystem::create_directories(socket.parent_path());
  {
    // Bound and closed without being removed, as a killed daemon leaves it.
    FileDescriptor stale = streamSocket();
    const auto address = socketAddress(socket);
    ASSERT_EQ(::bind(stale.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address),
              0);
  }
  ASSERT_FALSE(connectTo(socket).has_value());
  EXPECT_EQ(exchangeRequest(socket, "x").result, Exchange::Result::noInstance);
  const ControlSocketClaim claim = claimControlSocket(socket);
  ASSERT_EQ(claim.result, Result::claimed) << claim.error;
  EXPECT_TRUE(connectTo(socket).has_value());
}

TEST_F(ControlSocketClaimTest, AListeningSocketWithoutTheLockStillCountsAsRunning) {
  std::filesystem::create_directories(socket.parent_path());
  FileDescriptor other = streamSocket();
  const auto address = socketAddress(socket);
  ASSERT_EQ(::bind(other.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address), 0);
  ASSERT_EQ(::listen(other.get(), 1), 0);
  EXPECT_EQ(claimControlSocket(socket).result, Result::alreadyRunning);
  EXPECT_TRUE(S_ISSOCK(modeOf(socket)));
}

TEST_F(ControlSocketClaimTest, WhatIsNotASocketIsNeverRemoved) {
  std::filesystem::create_directories(socket.parent_path());
  std::ofstream(socket) << "notes";
  const ControlSocketClaim claim = claimControlSocket(socket);
  EXPECT_EQ(claim.result, Result::failed);
  EXPECT_EQ(claim.error, socket.string() + " is in the way (not a socket)");
  EXPECT_TRUE(std::filesystem::is_regular_file(socket));
}

TEST_F(ControlSocketClaimTest, TheFolderMustBeAFolderOfOursAndIsMadePrivate) {
  std::filesystem::create_directories(socket.parent_path());
  ::chmod(socket.parent_path().c_str(), 0755);
  ControlSocketClaim claim = claimControlSocket(socket);
  ASSERT_EQ(claim.result, Result::claimed) << claim.error;
  EXPECT_EQ(modeOf(socket.parent_path()) & 0777, 0700u);
  claim.socket.reset();

  const auto file = folder.path() / "file";
  std::ofstream(file) << "";
  const ControlSocketClaim underFile = claimControlSocket(file / "control");
  EXPECT_EQ(underFile.result, Result::failed);
  EXPECT_THAT(underFile.error, HasSubstr(file.string()));

  const auto link = folder.path() / "link";
  std::filesystem::create_directory_symlink(socket.parent_path(), link);
  const ControlSocketClaim throughLink = claimControlSocket(link / "control");
  EXPECT_EQ(throughLink.result, Result::failed);
  EXPECT_EQ(throughLink.error, link.string() + " is not a folder");
}

TEST_F(ControlSocketClaimTest, APathTooLongForASocketAddressIsRefusedNotCut) {
  const auto deep = folder.path() / std::string(120, 'd') / "control";
  const ControlSocketClaim claim = claimControlSocket(deep);
  EXPECT_EQ(claim.result, Result::failed);
  EXPECT_EQ(claim.error, deep.string() + " is too long for a socket address");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / std::string(120, 'd')));
}

}  // namespace
}  // namespace corvella::posix
