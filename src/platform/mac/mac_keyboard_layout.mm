#include "platform/mac/mac_keyboard_layout.h"

#include <Carbon/Carbon.h>

#include <array>

#include "platform/mac/cf_ref.h"
#include "platform/mac/cf_strings.h"

namespace corvella::mac {

std::optional<std::string> MacKeyboardLayout::translateKey(std::uint16_t keyCode) {
  auto source =
      CFRef<TISInputSourceRef>::adopt(TISCopyCurrentASCIICapableKeyboardLayoutInputSource());
  if (!source) return std::nullopt;
  auto data = static_cast<CFDataRef>(
      TISGetInputSourceProperty(source.get(), kTISPropertyUnicodeKeyLayoutData));
  if (!data) return std::nullopt;
  const auto* layout = reinterpret_cast<const UCKeyboardLayout*>(CFDataGetBytePtr(data));

  // Display action, no modifiers, no options, and a dead-key state that starts
  // afresh: the plain character the key is labelled with.
  UInt32 deadKeyState = 0;
  std::array<UniChar, 4> characters{};
  UniCharCount length = 0;
  const OSStatus status =
      UCKeyTranslate(layout, keyCode, kUCKeyActionDisplay, 0, LMGetKbdType(), 0, &deadKeyState,
                     characters.size(), &length, characters.data());
  if (status != noErr || length == 0) return std::nullopt;
  auto text = CFRef<CFStringRef>::adopt(CFStringCreateWithCharacters(
      kCFAllocatorDefault, characters.data(), static_cast<CFIndex>(length)));
  if (!text) return std::nullopt;
  return toStdString(text.get());
}

}  // namespace corvella::mac
