// MacDescriptorWatch: calls back on the main queue whenever a descriptor is
// readable (a dispatch read source), for as long as the watch lives. The
// control channel's descriptor is watched this way, so a request is taken
// between two turns of the main run loop and never holds up a shortcut.
#pragma once

#include <dispatch/dispatch.h>

#include <functional>

namespace corvella::mac {

class MacDescriptorWatch {
 public:
  // The descriptor must stay open for the life of the watch.
  MacDescriptorWatch(int descriptor, std::function<void()> onReadable);
  ~MacDescriptorWatch();
  MacDescriptorWatch(const MacDescriptorWatch&) = delete;
  MacDescriptorWatch& operator=(const MacDescriptorWatch&) = delete;

 private:
  dispatch_source_t source_;
};

}  // namespace corvella::mac
