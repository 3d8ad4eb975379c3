#include "platform/mac/mac_log_location.h"

#import <Foundation/Foundation.h>

#include "platform/posix/append_file.h"
#include "platform/posix/atomic_file.h"

namespace corvella::mac {

std::optional<std::filesystem::path> MacLogLocation::logsFolder() {
  NSURL* library = [NSFileManager.defaultManager URLsForDirectory:NSLibraryDirectory
                                                        inDomains:NSUserDomainMask]
                       .firstObject;
  if (!library || !library.fileSystemRepresentation) return std::nullopt;
  return std::filesystem::path(library.fileSystemRepresentation) / "Logs";
}

bool MacLogLocation::createFolder(const std::filesystem::path& folder) {
  NSURL* url = [NSURL fileURLWithFileSystemRepresentation:folder.c_str()
                                              isDirectory:YES
                                            relativeToURL:nil];
  [NSFileManager.defaultManager createDirectoryAtURL:url
                         withIntermediateDirectories:YES
                                          attributes:nil
                                               error:nil];
  // The system's own Logs folder: used as it is.
  return true;
}

std::optional<std::size_t> MacLogLocation::appendToFile(const std::filesystem::path& file,
                                                        std::string_view bytes) {
  return posix::appendWithOneWrite(file, bytes);
}

bool MacLogLocation::writeWholeFile(const std::filesystem::path& file, std::string_view bytes) {
  return !posix::replaceFileAtomically(file, bytes, 0600);
}

}  // namespace corvella::mac
