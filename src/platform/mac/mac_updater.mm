#include "platform/mac/mac_updater.h"

#import <Foundation/Foundation.h>

#include "platform/mac/cf_strings.h"
#include "platform/mac/updater_framework.h"

// The two messages the loaded controller class answers; declared here because
// its headers are not part of the build.
@protocol CorvellaLoadedUpdaterController <NSObject>
- (instancetype)initWithStartingUpdater:(BOOL)startUpdater
                        updaterDelegate:(id)updaterDelegate
                     userDriverDelegate:(id)userDriverDelegate;
- (void)checkForUpdates:(id)sender;
@end

namespace corvella::mac {
namespace {

class LoadedUpdaterController final : public UpdaterController {
 public:
  explicit LoadedUpdaterController(id<CorvellaLoadedUpdaterController> controller)
      : controller_(controller) {}
  void checkForUpdates() override { [controller_ checkForUpdates:nil]; }

 private:
  id<CorvellaLoadedUpdaterController> controller_;
};

}  // namespace

std::optional<std::string> MacUpdater::bundleInfoString(const std::string& key) {
  id value = [NSBundle.mainBundle objectForInfoDictionaryKey:toNSString(key)];
  if (![value isKindOfClass:NSString.class]) return std::nullopt;
  return toStdString(static_cast<NSString*>(value));
}

std::shared_ptr<UpdaterController> MacUpdater::makeStartedController() {
  NSString* frameworks = NSBundle.mainBundle.privateFrameworksPath;
  if (!frameworks) return nullptr;
  NSBundle* framework = [NSBundle
      bundleWithPath:[frameworks stringByAppendingPathComponent:@(updaterFrameworkFolder)]];
  if (!framework || ![framework loadAndReturnError:nil]) return nullptr;
  Class controllerClass = NSClassFromString(@"SPUStandardUpdaterController");
  if (!controllerClass || ![controllerClass instancesRespondToSelector:@selector
                                            (initWithStartingUpdater:
                                                     updaterDelegate:userDriverDelegate:)]) {
    return nullptr;
  }
  id<CorvellaLoadedUpdaterController> controller =
      [(id<CorvellaLoadedUpdaterController>)[controllerClass alloc] initWithStartingUpdater:YES
                                                                            updaterDelegate:nil
                                                                         userDriverDelegate:nil];
  if (!controller) return nullptr;
  return std::make_shared<LoadedUpdaterController>(controller);
}

}  // namespace corvella::mac
