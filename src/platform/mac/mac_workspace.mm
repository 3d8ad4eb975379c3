#include "platform/mac/mac_workspace.h"

#import <AppKit/AppKit.h>

#include "platform/mac/cf_strings.h"

namespace corvella::mac {
namespace {
// The Accessibility list of the Privacy & Security pane.
constexpr std::string_view accessibilitySettingsLink =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";
}  // namespace

std::optional<RunningApplication> MacWorkspace::frontmostApplication() {
  NSRunningApplication* application = NSWorkspace.sharedWorkspace.frontmostApplication;
  if (!application) return std::nullopt;
  RunningApplication running;
  running.processIdentifier = application.processIdentifier;
  if (NSString* name = application.localizedName) running.localizedName = toStdString(name);
  return running;
}

void MacWorkspace::openURL(const std::string& url) {
  if (NSURL* link = [NSURL URLWithString:toNSString(url)]) {
    [NSWorkspace.sharedWorkspace openURL:link];
  }
}

void MacWorkspace::openAccessibilitySettings() { openURL(std::string(accessibilitySettingsLink)); }

}  // namespace corvella::mac
