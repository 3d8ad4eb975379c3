#include "platform/mac/mac_application_ui.h"

#include "platform/mac/cf_strings.h"

namespace corvella::mac {

void MacApplicationUI::setActivationPolicy(ActivationPolicy policy) {
  [NSApplication.sharedApplication
      setActivationPolicy:policy == ActivationPolicy::regular
                              ? NSApplicationActivationPolicyRegular
                              : NSApplicationActivationPolicyAccessory];
}

void MacApplicationUI::activate() { [NSApplication.sharedApplication activate]; }

void MacApplicationUI::createStatusItem(const std::string& symbolName,
                                        const std::string& accessibilityDescription) {
  statusItem_ = [NSStatusBar.systemStatusBar statusItemWithLength:NSSquareStatusItemLength];
  if (NSStatusBarButton* button = statusItem_.button) {
    button.image = [NSImage imageWithSystemSymbolName:toNSString(symbolName)
                             accessibilityDescription:toNSString(accessibilityDescription)];
  }
  menuController_ = [[CorvellaStatusMenuController alloc] initWithSource:source_];
  NSMenu* menu = [[NSMenu alloc] init];
  menu.delegate = menuController_;
  statusItem_.menu = menu;
}

}  // namespace corvella::mac
