// Random screen arrangements and window frames against the rules every
// target frame must keep, whatever the inputs.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "core/actions/geometry.h"

namespace corvella {
namespace {

std::string describe(const Rect& r) {
  std::ostringstream out;
  out.precision(17);
  out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
  return out.str();
}

bool isWhole(const Rect& r) {
  for (double v : {r.x, r.y, r.width, r.height}) {
    if (!std::isfinite(v) || std::floor(v) != v) return false;
  }
  return true;
}
bool isInside(const Rect& inner, const Rect& outer) {
  return inner.width >= 0 && inner.height >= 0 && inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

struct Generator {
  std::mt19937 rng{20261206};
  int integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
  double real(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng);
  }

  // 1 to 4 whole-numbered screens in the platform's space, negative origins
  // included, each usually beside the one before; now and then a visible
  // frame has no width or no height.
  std::vector<PlatformScreen> screens() {
    std::vector<PlatformScreen> result;
    for (int i = integer(1, 4); i > 0; --i) {
      Rect full{double(integer(-5000, 5000)), double(integer(-4000, 4000)),
                double(integer(320, 3840)), double(integer(240, 2160))};
      if (!result.empty() && integer(0, 2) > 0) {
        const Rect& previous = result.back().frame;
        full.x = integer(0, 1) ? previous.x + previous.width : previous.x - full.width;
      }
      const double inset = integer(0, 1) * integer(0, 120);
      Rect visible{full.x + inset, full.y, full.width - inset, full.height - integer(0, 40)};
      if (integer(0, 19) == 0) visible.width = 0;
      if (integer(0, 19) == 0) visible.height = 0;
      result.push_back({full, visible});
    }
    return result;
  }

  // Tiny to huge and anywhere, or exactly a third of a screen (for cycling).
  Rect window(const std::vector<Rect>& screens) {
    const Rect& screen = screens[std::size_t(integer(0, int(screens.size()) - 1))];
    switch (integer(0, 3)) {
      case 0:
        return thirdFrame(integer(0, 2), screen);
      case 1:
        return {real(-6000, 6000), real(-5000, 5000), real(0, 100), real(0, 100)};
      case 2:
        return {real(-6000, 6000), real(-5000, 5000), real(0, 8000), real(0, 6000)};
      default:
        return {screen.x + real(-50, screen.width), screen.y + real(-50, screen.height),
                real(1, screen.width + 100), real(1, screen.height + 100)};
    }
  }
};

TEST(GeometryProperties, EveryTargetIsFiniteWholeAndInsideItsScreenAndTheCutsTile) {
  Generator generate;
  for (int iteration = 0; iteration < 10000; ++iteration) {
    const std::vector<Rect> screens = screenFrames(generate.screens());
    const Rect window = generate.window(screens);
    const std::optional<std::size_t> index = screenIndex(window, screens);
    ASSERT_TRUE(index.has_value());
    const Rect& v = screens[*index];
    SCOPED_TRACE("iteration " + std::to_string(iteration) + ": window " + describe(window) +
                 " on " + describe(v));
    const auto target = [&](WindowAction action) {
      return targetFrame(action, window, screens, *index).value_or(Rect::null());
    };
    for (int a = 0; a <= int(WindowAction::previousDisplay); ++a) {
      const auto action = WindowAction(a);
      const std::optional<Rect> frame = targetFrame(action, window, screens, *index);
      const std::size_t n = screens.size();
      if (action == WindowAction::nextDisplay || action == WindowAction::previousDisplay) {
        ASSERT_EQ(frame.has_value(), n > 1) << rawValue(action);
        if (!frame) continue;
        const Rect& to =
            screens[action == WindowAction::nextDisplay ? (*index + 1) % n : (*index + n - 1) % n];
        EXPECT_TRUE(isWhole(*frame) && isInside(*frame, to)) << describe(*frame);
      } else if (action == WindowAction::center) {
        ASSERT_TRUE(frame.has_value());
        EXPECT_TRUE(isWhole({frame->x, frame->y, 0, 0}) && frame->width <= v.width &&
                    frame->height <= v.height)
            << describe(*frame);
      } else {
        // Halves, quarters, thirds, maximize and resizing (fitted).
        ASSERT_TRUE(frame.has_value()) << rawValue(action);
        EXPECT_TRUE(isWhole(*frame) && isInside(*frame, v))
            << rawValue(action) << " " << describe(*frame);
      }
    }
    // The halves and thirds cut the visible frame with no gap and no overlap.
    const Rect l = target(WindowAction::leftHalf), r = target(WindowAction::rightHalf);
    const Rect t = target(WindowAction::topHalf), b = target(WindowAction::bottomHalf);
    EXPECT_TRUE(l.x == v.x && l.x + l.width == r.x && r.x + r.width == v.x + v.width);
    EXPECT_TRUE(t.y == v.y && t.y + t.height == b.y && b.y + b.height == v.y + v.height);
    EXPECT_EQ(target(WindowAction::lowerRight), (Rect{r.x, b.y, r.width, b.height}));
    const Rect thirds[] = {thirdFrame(0, v), thirdFrame(1, v), thirdFrame(2, v)};
    EXPECT_TRUE(thirds[0].x == v.x && thirds[0].x + thirds[0].width == thirds[1].x &&
                thirds[1].x + thirds[1].width == thirds[2].x &&
                thirds[2].x + thirds[2].width == v.x + v.width);
    const Rect next = target(WindowAction::nextThird);
    EXPECT_TRUE(next == thirds[0] || next == thirds[1] || next == thirds[2]) << describe(next);
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace corvella
