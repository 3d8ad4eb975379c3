// Random screen arrangements and window frames against the rules every
// target frame must keep, whatever the inputs.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "core/actions/geometry.h"

namespace corvella {
namespace {

constexpr unsigned seeds[] = {1, 2, 3, 42, 20261206};
constexpr int iterationsPerSeed = 2000;

std::string describe(const Rect& r) {
  std::ostringstream out;
  out.precision(17);
  out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
  return out.str();
}

bool isWhole(double value) {
  return std::isfinite(value) && std::floor(value) == value;
}
bool isWhole(const Rect& r) {
  return isWhole(r.x) && isWhole(r.y) && isWhole(r.width) && isWhole(r.height);
}
bool isFinite(const Rect& r) {
  return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.width) &&
         std::isfinite(r.height);
}
bool isInside(const Rect& inner, const Rect& outer) {
  return inner.width >= 0 && inner.height >= 0 && inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

class ScenarioGenerator {
 public:
  explicit ScenarioGenerator(unsigned seed) : rng_(seed) {}

  // 1 to 4 screens in the platform's bottom-left space, whole-numbered: each
  // after the first either anywhere or beside the previous one on a random
  // side, so negative origins and stacked displays come up often. Now and
  // then a visible frame has no width or no height.
  std::vector<PlatformScreen> screens() {
    std::vector<PlatformScreen> result;
    const int count = integer(1, 4);
    for (int i = 0; i < count; ++i) {
      Rect full{0, 0, double(integer(320, 3840)), double(integer(240, 2160))};
      if (i > 0) {
        const Rect& previous = result.back().frame;
        switch (integer(0, 4)) {
          case 0:
            full.x = previous.x + previous.width;
            full.y = previous.y + offset();
            break;
          case 1:
            full.x = previous.x - full.width;
            full.y = previous.y + offset();
            break;
          case 2:
            full.y = previous.y + previous.height;
            full.x = previous.x + offset();
            break;
          case 3:
            full.y = previous.y - full.height;
            full.x = previous.x + offset();
            break;
          default:
            full.x = integer(-5000, 5000);
            full.y = integer(-4000, 4000);
            break;
        }
      }
      const double left = inset(), right = inset(), bottom = inset(), top = integer(0, 40);
      Rect visible{full.x + left, full.y + bottom, full.width - left - right,
                   full.height - bottom - top};
      if (chance(0.05)) visible.width = 0;
      if (chance(0.05)) visible.height = 0;
      result.push_back({full, visible});
    }
    return result;
  }

  // Anywhere near the screens, fractional or whole, tiny to huge; sometimes
  // exactly a third or a half of a screen, so that cycling is exercised.
  Rect window(const std::vector<Rect>& screens) {
    const Rect& screen = screens[std::size_t(integer(0, int(screens.size()) - 1))];
    switch (integer(0, 5)) {
      case 0:
        return thirdFrame(integer(0, 2), screen);
      case 1:
        return {screen.x, screen.y, std::round(screen.width / 2), screen.height};
      case 2:
        return {real(-6000, 6000), real(-5000, 5000), real(0, 100), real(0, 100)};
      case 3:
        return {real(-6000, 6000), real(-5000, 5000), real(0, 8000), real(0, 6000)};
      default:
        return {screen.x + real(-50, screen.width), screen.y + real(-50, screen.height),
                real(1, screen.width + 100), real(1, screen.height + 100)};
    }
  }

 private:
  int integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  double real(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng_);
  }
  bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  double offset() { return integer(-1500, 1500); }
  double inset() { return chance(0.6) ? 0 : integer(0, 120); }

  std::mt19937 rng_;
};

class GeometryProperties : public testing::Test {
 protected:
  // Checks one scenario; true when every rule held.
  bool check(const std::vector<Rect>& screens, const Rect& window) {
    const std::optional<std::size_t> index = screenIndex(window, screens);
    EXPECT_TRUE(index.has_value());
    if (!index) return false;
    const Rect& v = screens[*index];
    for (int a = 0; a <= int(WindowAction::previousDisplay); ++a) {
      const auto action = WindowAction(a);
      const std::optional<Rect> frame = targetFrame(action, window, screens, *index);
      const bool displayMove =
          action == WindowAction::nextDisplay || action == WindowAction::previousDisplay;
      if (displayMove && screens.size() < 2) {
        EXPECT_FALSE(frame.has_value()) << rawValue(action);
        continue;
      }
      EXPECT_TRUE(frame.has_value()) << rawValue(action);
      if (!frame) continue;
      EXPECT_TRUE(isFinite(*frame)) << rawValue(action) << " " << describe(*frame);
      switch (action) {
        case WindowAction::maximize:
          EXPECT_EQ(*frame, v);
          break;
        case WindowAction::center:
          EXPECT_TRUE(isWhole(frame->x) && isWhole(frame->y)) << describe(*frame);
          EXPECT_LE(frame->width, v.width);
          EXPECT_LE(frame->height, v.height);
          EXPECT_LE(std::abs(frame->x + frame->width / 2 - v.midX()), 0.5);
          EXPECT_LE(std::abs(frame->y + frame->height / 2 - v.midY()), 0.5);
          break;
        case WindowAction::larger:
        case WindowAction::smaller:
          EXPECT_TRUE(isWhole(*frame)) << rawValue(action) << " " << describe(*frame);
          EXPECT_TRUE(isInside(*frame, v)) << rawValue(action) << " " << describe(*frame);
          EXPECT_GE(frame->width, std::min(200.0, v.width)) << rawValue(action);
          EXPECT_GE(frame->height, std::min(120.0, v.height)) << rawValue(action);
          break;
        case WindowAction::nextDisplay:
        case WindowAction::previousDisplay: {
          const std::size_t n = screens.size();
          const std::size_t to =
              action == WindowAction::nextDisplay ? (*index + 1) % n : (*index + n - 1) % n;
          EXPECT_TRUE(isWhole(*frame)) << rawValue(action) << " " << describe(*frame);
          EXPECT_TRUE(isInside(*frame, screens[to]))
              << rawValue(action) << " " << describe(*frame) << " in " << describe(screens[to]);
          break;
        }
        default:  // halves, quarters and thirds
          EXPECT_TRUE(isWhole(*frame)) << rawValue(action) << " " << describe(*frame);
          EXPECT_TRUE(isInside(*frame, v)) << rawValue(action) << " " << describe(*frame);
          break;
      }
    }
    checkCuts(window, screens, *index);
    return !HasFailure();
  }

  // Halves, quarters and thirds cut the visible frame without gaps or overlaps.
  void checkCuts(const Rect& window, const std::vector<Rect>& screens, std::size_t index) {
    const Rect& v = screens[index];
    const auto t = [&](WindowAction action) {
      return targetFrame(action, window, screens, index).value_or(Rect::null());
    };
    const Rect left = t(WindowAction::leftHalf), right = t(WindowAction::rightHalf);
    const Rect top = t(WindowAction::topHalf), bottom = t(WindowAction::bottomHalf);
    EXPECT_EQ(left.x, v.x);
    EXPECT_EQ(left.x + left.width, right.x);
    EXPECT_EQ(right.x + right.width, v.x + v.width);
    EXPECT_EQ(top.y, v.y);
    EXPECT_EQ(top.y + top.height, bottom.y);
    EXPECT_EQ(bottom.y + bottom.height, v.y + v.height);
    EXPECT_EQ(t(WindowAction::upperLeft), (Rect{left.x, top.y, left.width, top.height}));
    EXPECT_EQ(t(WindowAction::upperRight), (Rect{right.x, top.y, right.width, top.height}));
    EXPECT_EQ(t(WindowAction::lowerLeft), (Rect{left.x, bottom.y, left.width, bottom.height}));
    EXPECT_EQ(t(WindowAction::lowerRight), (Rect{right.x, bottom.y, right.width, bottom.height}));
    const Rect thirds[] = {thirdFrame(0, v), thirdFrame(1, v), thirdFrame(2, v)};
    EXPECT_EQ(thirds[0].x, v.x);
    EXPECT_EQ(thirds[0].x + thirds[0].width, thirds[1].x);
    EXPECT_EQ(thirds[1].x + thirds[1].width, thirds[2].x);
    EXPECT_EQ(thirds[2].x + thirds[2].width, v.x + v.width);
    for (WindowAction action : {WindowAction::nextThird, WindowAction::previousThird}) {
      const Rect third = t(action);
      EXPECT_TRUE(third == thirds[0] || third == thirds[1] || third == thirds[2])
          << rawValue(action) << " " << describe(third);
    }
  }
};

TEST_F(GeometryProperties, EveryTargetFrameKeepsTheRules) {
  for (unsigned seed : seeds) {
    ScenarioGenerator generate(seed);
    for (int iteration = 0; iteration < iterationsPerSeed; ++iteration) {
      const std::vector<PlatformScreen> platform = generate.screens();
      const std::vector<Rect> screens = screenFrames(platform);
      ASSERT_EQ(screens.size(), platform.size());
      for (const Rect& screen : screens) ASSERT_TRUE(isWhole(screen)) << describe(screen);
      const Rect window = generate.window(screens);
      if (!check(screens, window)) {
        std::ostringstream scenario;
        for (const Rect& screen : screens) scenario << " " << describe(screen);
        FAIL() << "seed " << seed << ", iteration " << iteration << ": window " << describe(window)
               << " on screens" << scenario.str();
      }
    }
  }
}

}  // namespace
}  // namespace corvella
