#include "platform/mac/mac_settings_window_ui.h"

#include "platform/mac/cf_strings.h"

namespace corvella::mac {

MacSettingsWindowUI::~MacSettingsWindowUI() {
  if (closeObserver_) [NSNotificationCenter.defaultCenter removeObserver:closeObserver_];
}

void MacSettingsWindowUI::createWindow(const std::string& title, std::uint64_t styleMask,
                                       std::function<void()> willClose) {
  NSViewController* content = makeContent_ ? makeContent_() : nil;
  if (!content) {
    content = [[NSViewController alloc] init];
    content.view = [[NSView alloc] init];
  }
  window_ = [NSWindow windowWithContentViewController:content];
  window_.title = toNSString(title);
  window_.styleMask = static_cast<NSWindowStyleMask>(styleMask);
  window_.releasedWhenClosed = NO;
  [window_ center];
  closeObserver_ =
      [NSNotificationCenter.defaultCenter addObserverForName:NSWindowWillCloseNotification
                                                      object:window_
                                                       queue:NSOperationQueue.mainQueue
                                                  usingBlock:^(NSNotification*) {
                                                    if (willClose) willClose();
                                                  }];
}

void MacSettingsWindowUI::makeKeyAndOrderFront() { [window_ makeKeyAndOrderFront:nil]; }

void MacSettingsWindowUI::orderFrontRegardless() { [window_ orderFrontRegardless]; }

}  // namespace corvella::mac
