// Unix domain stream sockets: the address of a path, connecting, and the
// descriptor flags the control channel needs on every system it runs on.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/file_descriptor.h"

namespace corvella::posix {

// Absent when the path does not fit sun_path (104 bytes on macOS, 108 on
// Linux, its terminating zero included): a longer path would be cut.
std::optional<sockaddr_un> socketAddress(const std::filesystem::path& path);

// A new stream socket that is closed on exec and raises no SIGPIPE.
FileDescriptor streamSocket();
bool setNonBlocking(int descriptor);
// Sends without raising SIGPIPE; the result of send().
long sendWithoutSignal(int descriptor, std::string_view bytes);

// A connected, non-blocking socket, or absent with errno set: ENOENT and
// ECONNREFUSED when no one listens there, EAGAIN when the listener's queue
// is full. Never waits for a listener that does not accept.
std::optional<FileDescriptor> connectTo(const std::filesystem::path& path);

std::string systemError(const std::string& what);

}  // namespace corvella::posix
