#include "platform/sim/sim_screen_arrangements.h"

namespace corvella::sim {

namespace {
constexpr double menuBarHeight = 25;
const Rect primaryFrame{0, 0, 1440, 900};
}  // namespace

PlatformScreen screenWithMenuBar(const Rect& frame) {
  return {frame, {frame.x, frame.y, frame.width, frame.height - menuBarHeight}};
}

std::vector<PlatformScreen> singleScreen() {
  return {screenWithMenuBar(primaryFrame)};
}

std::vector<PlatformScreen> sideBySideScreens() {
  return {screenWithMenuBar(primaryFrame), screenWithMenuBar({1440, 0, 1920, 1080})};
}

std::vector<PlatformScreen> secondScreenOnTheLeft() {
  return {screenWithMenuBar(primaryFrame), screenWithMenuBar({-1920, 0, 1920, 1080})};
}

std::vector<PlatformScreen> stackedScreens() {
  return {screenWithMenuBar(primaryFrame), screenWithMenuBar({0, 900, 1920, 1080})};
}

std::vector<PlatformScreen> secondScreenBelowLeft() {
  return {screenWithMenuBar(primaryFrame), screenWithMenuBar({-200, -1024, 1280, 1024})};
}

}  // namespace corvella::sim
