#include "platform/mac/mac_descriptor_watch.h"

namespace corvella::mac {

MacDescriptorWatch::MacDescriptorWatch(int descriptor, std::function<void()> onReadable)
    : source_(dispatch_source_create(DISPATCH_SOURCE_TYPE_READ, static_cast<uintptr_t>(descriptor),
                                     0, dispatch_get_main_queue())) {
  dispatch_source_set_event_handler(source_, ^{
    onReadable();
  });
  dispatch_resume(source_);
}

MacDescriptorWatch::~MacDescriptorWatch() {
  // On the main queue, where the handler runs: no call is under way, and
  // none comes after this.
  dispatch_source_cancel(source_);
}

}  // namespace corvella::mac
