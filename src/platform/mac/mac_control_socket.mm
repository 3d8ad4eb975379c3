#include "platform/mac/mac_control_socket.h"

#import <Foundation/Foundation.h>

namespace corvella::mac {

std::optional<std::filesystem::path> controlSocketPath() {
  @autoreleasepool {
    NSURL* support = [NSFileManager.defaultManager URLsForDirectory:NSApplicationSupportDirectory
                                                          inDomains:NSUserDomainMask]
                         .firstObject;
    if (!support || !support.fileSystemRepresentation) return std::nullopt;
    return std::filesystem::path(support.fileSystemRepresentation) / "Corvella" / "control";
  }
}

}  // namespace corvella::mac
