#include "platform/mac/mac_log_location.h"

#import <Foundation/Foundation.h>

namespace corvella::mac {

std::optional<std::filesystem::path> MacLogLocation::logsFolder() {
  NSURL* library = [NSFileManager.defaultManager URLsForDirectory:NSLibraryDirectory
                                                        inDomains:NSUserDomainMask]
                       .firstObject;
  if (!library || !library.fileSystemRepresentation) return std::nullopt;
  return std::filesystem::path(library.fileSystemRepresentation) / "Logs";
}

void MacLogLocation::createFolder(const std::filesystem::path& folder) {
  NSURL* url = [NSURL fileURLWithFileSystemRepresentation:folder.c_str()
                                              isDirectory:YES
                                            relativeToURL:nil];
  [NSFileManager.defaultManager createDirectoryAtURL:url
                         withIntermediateDirectories:YES
                                          attributes:nil
                                               error:nil];
}

}  // namespace corvella::mac
