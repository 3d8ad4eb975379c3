#include "platform/mac/mac_login_item.h"

#import <Foundation/Foundation.h>
#import <ServiceManagement/ServiceManagement.h>

#include "platform/mac/cf_strings.h"

namespace corvella::mac {
namespace {
std::optional<std::string> failure(BOOL succeeded, NSError* error) {
  if (succeeded) return std::nullopt;
  // A failure without an error object still has to read as a failure.
  return error ? toStdString(error.localizedDescription) : std::string();
}
}  // namespace

LoginItemStatus MacLoginItem::status() {
  switch (SMAppService.mainAppService.status) {
    case SMAppServiceStatusNotRegistered:
      return LoginItemStatus::notRegistered;
    case SMAppServiceStatusEnabled:
      return LoginItemStatus::enabled;
    case SMAppServiceStatusRequiresApproval:
      return LoginItemStatus::requiresApproval;
    case SMAppServiceStatusNotFound:
      return LoginItemStatus::notFound;
  }
  return LoginItemStatus::notFound;
}

std::optional<std::string> MacLoginItem::registerApp() {
  NSError* error = nil;
  const BOOL succeeded = [SMAppService.mainAppService registerAndReturnError:&error];
  return failure(succeeded, error);
}

std::optional<std::string> MacLoginItem::unregisterApp() {
  NSError* error = nil;
  const BOOL succeeded = [SMAppService.mainAppService unregisterAndReturnError:&error];
  return failure(succeeded, error);
}

}  // namespace corvella::mac
