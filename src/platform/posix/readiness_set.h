// ReadinessSet: many descriptors behind one. Its own descriptor turns
// readable when any watched descriptor is ready, so an event loop (poll, a Qt
// socket notifier, a dispatch source) watches one descriptor for all of them.
// epoll on Linux, kqueue on macOS and the BSDs.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/posix/file_descriptor.h"

namespace corvella::posix {

class ReadinessSet {
 public:
  struct Ready {
    int descriptor = -1;
    bool readable = false;
    bool writable = false;
    bool hungUp = false;  // the peer is gone or the descriptor failed
  };

  // Absent, with the reason in *error, when the system refuses one.
  static std::unique_ptr<ReadinessSet> create(std::string* error);

  int descriptor() const { return set_.get(); }
  // Starts watching, or changes what is watched. Hang-ups are always reported.
  bool watch(int descriptor, bool read, bool write);
  // Stops watching; call before closing the descriptor.
  void forget(int descriptor);
  // What is ready now, without waiting.
  std::vector<Ready> ready();

 private:
  explicit ReadinessSet(FileDescriptor set) : set_(std::move(set)) {}

  FileDescriptor set_;
#if !defined(__linux__)
  // kqueue keeps one filter per direction; what each descriptor has now.
  struct Filters {
    int descriptor;
    bool read;
    bool write;
  };
  std::vector<Filters> filters_;
#endif
};

}  // namespace corvella::posix
