#include "platform/mac/mac_sound.h"

#import <AppKit/AppKit.h>

namespace corvella::mac {

void MacSound::beep() { NSBeep(); }

}  // namespace corvella::mac
