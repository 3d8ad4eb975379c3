#include "core/actions/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvella {

void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

namespace {

using A = WindowAction;
using Screens = std::vector<Rect>;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// A 1440 × 900 primary display with a 25-point menu bar, in window coordinates.
const Rect V{0, 25, 1440, 875};
const Rect wide{1440, -155, 1920, 1055};
const Rect left{0, 25, 480, 875}, middle{480, 25, 480, 875}, right{960, 25, 480, 875};

TEST(Geometry, RoundingScreenChoiceAnchorFramesAndFittingAllWorkedOutByHand) {
  const std::pair<double, double> cases[] = {
      {0.5, 1},  {462.5, 463},          {-2.5, -3}, {1.4999, 1}, {-0.4, 0},
      {-0.0, 0}, {1e15 + 0.5, 1e15 + 1}};
  for (const auto& [value, rounded] : cases) {
    EXPECT_EQ(roundHalfAwayFromZero(value), rounded) << value;
    EXPECT_EQ(std::signbit(roundHalfAwayFromZero(value)), std::signbit(rounded)) << value;
  }
  EXPECT_FALSE(std::signbit(integral({-0.0, -0.0, 0.4, 0.4}).x));
  const Rect a{0, 0, 1000, 800};
  EXPECT_EQ(intersection(a, {900, 100, 300, 200}), (Rect{900, 100, 100, 200}));
  // Touching along an edge: zero width or height, not null.
  EXPECT_EQ(intersection(a, {1000, 100, 50, 50}), (Rect{1000, 100, 0, 50}));
  EXPECT_EQ(intersection(a, {100, -50, 50, 50}), (Rect{100, 0, 50, 0}));
  // A negative size is read in its standardized form.
  EXPECT_EQ(intersection(a, {1100, 300, -200, -100}), (Rect{900, 200, 100, 100}));
  for (const Rect& apart :
       {Rect{1001, 100, 50, 50}, Rect{-60, -60, 50, 50}, Rect::null(), Rect{0, nan, 10, 10}}) {
    EXPECT_TRUE(intersection(a, apart).isNull()) << testing::PrintToString(apart);
    EXPECT_TRUE(intersection(apart, a).isNull()) << testing::PrintToString(apart);
  }

  EXPECT_EQ(integral({0.5, -0.5, 1, 1}), (Rect{0, -1, 2, 2}));
  EXPECT_EQ(integral({-10.2, -20.7, 0, 0}), (Rect{-11, -21, 1, 1}));
  EXPECT_TRUE(integral(Rect::null()).isNull());
  // Bottom-left platform space; the primary's full height (900) is the pivot.
  const std::vector<PlatformScreen> platform{
      {{0, 0, 1440, 900}, {0, 70, 1440, 805}},               // menu bar above, Dock below
      {{0, 900, 1920, 1080}, {0, 900, 1920, 1055}},          // above the primary
      {{-1280, 100, 1280, 1024}, {-1280, 100, 1280, 1024}},  // to the left, raised
      {{200, -1080, 1920, 1080}, {200, -1080, 1920, 1080}},  // below
  };
  EXPECT_EQ(screenFrames(platform), (Screens{{0, 25, 1440, 805},
                                             {0, -1055, 1920, 1055},
                                             {-1280, -224, 1280, 1024},
                                             {200, 900, 1920, 1080}}));
  EXPECT_TRUE(screenFrames({}).empty());
  const Screens two{{0, 0, 1000, 800}, {1000, 0, 1000, 800}};
  const std::tuple<Rect, Screens, std::optional<std::size_t>> choices[] = {
      {{900, 100, 300, 200}, two, 1},               // 100 × 200 against 200 × 200
      {{800, 100, 400, 200}, two, 0},               // equal overlaps: the earlier
      {{800, 100, 400, 200}, {two[1], two[0]}, 0},  // the same, list reversed
      {{0, 0, 200, 100}, {{5000, 0, 100, 100}, {0, 0, 100, 100}, {100, 0, 100, 100}}, 1},
      {{2500, 300, 100, 100}, two, 1},  // off to the right
      {{950, -600, 100, 200}, two, 0},  // equally far from both centres
      // Touching is no overlap: the short screen below has the nearer centre.
      {{0, 800, 1000, 190}, {{0, 0, 1000, 800}, {0, 1000, 1000, 100}}, 1},
      // Any overlap, half a square point here, beats a nearer centre.
      {{999.5, 0, 1000, 1}, {{0, 0, 1000, 800}, {2000, 0, 100, 100}}, 0},
      {{-5000, -5000, 10, 10}, {{0, 0, 1000, 800}}, 0},  // one screen
      {{0, 0, 10, 10}, {}, std::nullopt}};
  for (const auto& [window, screens, expected] : choices) {
    EXPECT_EQ(screenIndex(window, screens), expected) << testing::PrintToString(window);
  }
  // Frames within four points (inclusive) each way are close.
  const Rect b{100, 200, 300, 400};
  EXPECT_TRUE(framesClose(b, {104, 196, 304, 396}) && framesClose(b, {96, 204, 296, 404}));
  EXPECT_FALSE(framesClose(b, {104.001, 200, 300, 400}));
  EXPECT_FALSE(framesClose(b, {100, 200, 300, 404.5}));
  EXPECT_FALSE(framesClose(b, {100, nan, 300, 400}));
  const Rect any{100, 100, 300, 200};
  const Rect odd{-1001, 10.25, 1001, 600.5};
  const Rect fractional{0.5, 10.25, 99.5, 600.5};
  const Rect leftScreen{-1280, 0, 1280, 1024};
  // action, window, screens, index, expected.
  const std::tuple<A, Rect, Screens, std::size_t, std::optional<Rect>> targets[] = {
      {A::topHalf, any, {V}, 0, Rect{0, 25, 1440, 438}},  // 462.5 rounds up
      {A::bottomHalf, any, {V}, 0, Rect{0, 463, 1440, 437}},
      {A::upperLeft, any, {V}, 0, Rect{0, 25, 720, 438}},
      {A::upperRight, any, {V}, 0, Rect{720, 25, 720, 438}},
      {A::lowerLeft, any, {V}, 0, Rect{0, 463, 720, 437}},
      {A::lowerRight, any, {V}, 0, Rect{720, 463, 720, 437}},
      // -1001 + 500.5 = -500.5 rounds away from zero to -501.
      {A::leftHalf, any, {odd}, 0, Rect{-1001, 10.25, 500, 600.5}},
      {A::rightHalf, any, {odd}, 0, Rect{-501, 10.25, 501, 600.5}},
      // The uncut x keeps its fraction; y edges are 10, 311 (310.5) and 611 (610.75).
      {A::topHalf, any, {fractional}, 0, Rect{0.5, 10, 99.5, 301}},
      // Third cycling: within 4 points (inclusive) of a third counts as on it.
      {A::nextThird, {4, 29, 476, 871}, {V}, 0, middle},
      {A::nextThird, {0, 25, 485, 875}, {V}, 0, left},  // 5 too wide: no current third
      {A::nextThird, right, {V}, 0, left},
      {A::previousThird, left, {V}, 0, right},
      {A::previousThird, right, {V}, 0, middle},
      {A::previousThird, {nan, nan, nan, nan}, {V}, 0, right},
      // Center rounds the position, never the size: x = 720 - 400.25 = 319.75.
      {A::center, {5, 5, 800, 600}, {V}, 0, Rect{320, 163, 800, 600}},
      {A::center, {5, 5, 800.5, 600.5}, {V}, 0, Rect{320, 162, 800.5, 600.5}},
      // Five per cent of the visible frame, kept inside it.
      {A::larger, {320, 163, 800, 600}, {V}, 0, Rect{284, 141, 872, 644}},
      {A::smaller, {320, 163, 800, 600}, {V}, 0, Rect{356, 184, 728, 558}},
      {A::larger, {1140, 600, 300, 280}, {V}, 0, Rect{1068, 576, 372, 324}},
      // 138 × 86.25 raised to 200 × 120 at the inset origin (536, 321.875).
      {A::smaller, {500, 300, 210, 130}, {V}, 0, Rect{536, 321, 200, 121}},
      // Narrower than the step (72): the null inset ends in the bottom-right
      // corner; exactly the step is no negative width.
      {A::smaller, {100, 100, 50, 300}, {V}, 0, Rect{1240, 780, 200, 120}},
      {A::smaller, {100, 100, 72, 300}, {V}, 0, Rect{136, 121, 200, 258}},
      // Display moves carry relative position and size, then fit and integral.
      {A::nextDisplay, {0, 25, 720, 875}, {V, wide}, 0, Rect{1440, -155, 960, 1055}},
      {A::nextDisplay, {360, 243.75, 720, 437.5}, {V, wide}, 0, Rect{1920, 108, 960, 529}},
      {A::previousDisplay, V, {V, wide, leftScreen}, 0, leftScreen},
      {A::nextDisplay, leftScreen, {V, wide, leftScreen}, 2, V},
      // No placement, no such screen, or a screen that is not finite: no frame.
      {A::tileAppRows, any, {V}, 0, std::nullopt},
      {A::leftHalf, any, {V}, 1, std::nullopt},
      {A::maximize, any, {}, 0, std::nullopt},
      {A::maximize, any, {{0, 0, nan, 800}}, 0, std::nullopt},
  };
  for (const auto& [action, window, screens, index, expected] : targets) {
    EXPECT_EQ(targetFrame(action, window, screens, index), expected)
        << rawValue(action) << " from " << testing::PrintToString(window);
  }
  // Thirds of a width that does not divide give the middle the point.
  EXPECT_EQ(thirdFrame(0, {0, 0, 1366, 768}), (Rect{0, 0, 455, 768}));
  EXPECT_EQ(thirdFrame(1, {0, 0, 1366, 768}), (Rect{455, 0, 456, 768}));
  EXPECT_EQ(thirdFrame(2, {0, 0, 1366, 768}), (Rect{911, 0, 455, 768}));
  const std::pair<Rect, Rect> fits[] = {
      {{10.5, 30.2, 100.2, 50}, {10, 30, 101, 51}},
      {{-50, -50, 3000, 2000}, V},
      {{1400, 100, 300, 200}, {1140, 100, 300, 200}},
      {{-300, 800, 300, 200}, {0, 700, 300, 200}},
      {Rect::null(), {1440, 900, 0, 0}},
      {{nan, nan, nan, nan}, V},
      {{-inf, inf, inf, 100}, {0, 800, 1440, 100}},
  };
  for (const auto& [frame, expected] : fits) {
    EXPECT_EQ(fitFrame(frame, V), expected) << testing::PrintToString(frame);
  }
  // Pushed against the right edge at -1134.2150837378863, the sum x + width
  // comes to -432.9999999999999; its ceiling must not reach into the next screen.
  EXPECT_EQ(fitFrame({0, 1700, 701.2150837378864, 100}, {-1309, 1609, 876, 896}),
            (Rect{-1135, 1700, 702, 100}));
  // An axis without length gives no proportion: the target's start, own size kept.
  EXPECT_EQ(mapFrame({100, 256, 300, 256}, {0, 0, 0, 1024}, {50, 0, 2000, 512}),
            (Rect{50, 128, 300, 128}));
  EXPECT_EQ(mapFrame({10, 10, 300, 400}, {10, 10, 0, 0}, {-100, -200, 2000, 500}),
            (Rect{-100, -200, 300, 400}));
  EXPECT_EQ(mapFrame({100, 100, 300, 400}, V, {500, 0, 0, 800}).width, 0);
}

}  // namespace
}  // namespace corvella
