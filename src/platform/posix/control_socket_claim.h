// The one-instance rule and the control socket's life. A daemon claims the
// socket before it touches the display: it takes a lock beside the socket
// for as long as it runs, replaces a socket left by a crashed instance (only
// under the lock, after nothing answered on it), and binds a new one that
// only its user can reach. A second daemon finds the lock held, or the
// socket answering, and learns that Corvella already runs.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/posix/file_descriptor.h"

namespace corvella::posix {

// A socket this process listens on; removed when the claim ends.
class ControlSocket {
 public:
  ControlSocket(std::filesystem::path path, FileDescriptor lock, FileDescriptor listener)
      : path_(std::move(path)), lock_(std::move(lock)), listener_(std::move(listener)) {}
  ~ControlSocket();
  ControlSocket(const ControlSocket&) = delete;
  ControlSocket& operator=(const ControlSocket&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Hands the listening descriptor over (to the server).
  FileDescriptor takeListener() { return std::move(listener_); }

 private:
  std::filesystem::path path_;
  FileDescriptor lock_;
  FileDescriptor listener_;
};

struct ControlSocketClaim {
  enum class Result { claimed, alreadyRunning, failed };
  Result result = Result::failed;
  std::unique_ptr<ControlSocket> socket;  // claimed
  std::string error;                      // failed: one line
};

// The lock file's name, beside the socket.
inline constexpr const char* controlLockName = "control.lock";

ControlSocketClaim claimControlSocket(const std::filesystem::path& socket);

}  // namespace corvella::posix
