// Named screen arrangements, in the platform's bottom-left space, to keep
// tests short. Every screen has a 25-point menu bar at its top and no dock.
#pragma once

#include <vector>

#include "core/ports/screens.h"

namespace corvella::sim {

// A screen of the given frame whose visible frame leaves out a 25-point
// menu bar at the top.
PlatformScreen screenWithMenuBar(const Rect& frame);

// One 1440×900 screen: frame (0,0,1440,900), visible (0,0,1440,875).
std::vector<PlatformScreen> singleScreen();
// The 1440×900 primary and a 1920×1080 screen to its right, bottoms
// aligned: (1440,0,1920,1080), visible (1440,0,1920,1055).
std::vector<PlatformScreen> sideBySideScreens();
// The 1440×900 primary and a 1920×1080 screen to its left, at a negative
// origin: (-1920,0,1920,1080), visible (-1920,0,1920,1055).
std::vector<PlatformScreen> secondScreenOnTheLeft();
// The 1440×900 primary and a 1920×1080 screen above it, left edges
// aligned: (0,900,1920,1080), visible (0,900,1920,1055).
std::vector<PlatformScreen> stackedScreens();
// The 1440×900 primary and a 1280×1024 screen below it, to the left:
// (-200,-1024,1280,1024), visible (-200,-1024,1280,999).
std::vector<PlatformScreen> secondScreenBelowLeft();

}  // namespace corvella::sim
