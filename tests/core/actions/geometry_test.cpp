#include "core/actions/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace corvella {

void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// A 1440 × 900 primary display with a 25-point menu bar, in window coordinates.
const Rect V{0, 25, 1440, 875};

bool isFinite(const Rect& r) {
  return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.width) &&
         std::isfinite(r.height);
}

std::optional<Rect> target(WindowAction action, const Rect& window,
                           const std::vector<Rect>& screens = {V}, std::size_t index = 0) {
  return targetFrame(action, window, screens, index);
}

TEST(Rounding, HalvesGoAwayFromZero) {
  const struct {
    double value;
    double rounded;
  } cases[] = {{0.5, 1}, {462.5, 463},   {-0.5, -1}, {-2.5, -3}, {1.4999, 1},
               {2.4, 2}, {-500.5, -501}, {7, 7},     {-7.5, -8}, {1e15 + 0.5, 1e15 + 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(roundHalfAwayFromZero(c.value), c.rounded) << c.value;
  }
}

TEST(Rounding, NeverGivesNegativeZero) {
  for (double value : {-0.4, -0.0, -0.49999}) {
    const double rounded = roundHalfAwayFromZero(value);
    EXPECT_EQ(rounded, 0.0) << value;
    EXPECT_FALSE(std::signbit(rounded)) << value;
  }
  EXPECT_FALSE(std::signbit(integral({-0.0, -0.0, 0.4, 0.4}).x));
}

TEST(RectangleArithmetic, Intersection) {
  const Rect a{0, 0, 1000, 800};
  EXPECT_EQ(intersection(a, {900, 100, 300, 200}), (Rect{900, 100, 100, 200}));
  EXPECT_EQ(intersection(a, {100, 100, 10, 10}), (Rect{100, 100, 10, 10}));
  // Touching along an edge: zero width, not null.
  EXPECT_EQ(intersection(a, {1000, 100, 50, 50}), (Rect{1000, 100, 0, 50}));
  EXPECT_EQ(intersection(a, {100, -50, 50, 50}), (Rect{100, 0, 50, 0}));
  EXPECT_TRUE(intersection(a, {1001, 100, 50, 50}).isNull());
  EXPECT_TRUE(intersection(a, {-60, -60, 50, 50}).isNull());
  EXPECT_TRUE(intersection(a, Rect::null()).isNull());
  EXPECT_TRUE(intersection(Rect::null(), a).isNull());
  EXPECT_TRUE(intersection(a, {nan, nan, 10, 10}).isNull());
  // A negative size is read in its standardized form.
  EXPECT_EQ(intersection(a, {1100, 300, -200, -100}), (Rect{900, 200, 100, 100}));
}

TEST(RectangleArithmetic, IntegralContainsTheRectangle) {
  EXPECT_EQ(integral({0.5, -0.5, 1, 1}), (Rect{0, -1, 2, 2}));
  EXPECT_EQ(integral({284, 141.125, 872, 643.75}), (Rect{284, 141, 872, 644}));
  EXPECT_EQ(integral({10, 20, 30, 40}), (Rect{10, 20, 30, 40}));
  EXPECT_EQ(integral({-10.2, -20.7, 0, 0}), (Rect{-11, -21, 1, 1}));
  EXPECT_TRUE(integral(Rect::null()).isNull());
}

TEST(ScreenList, ConvertsVisibleFramesToWindowCoordinates) {
  // Bottom-left platform space; the primary's full height (900) is the pivot.
  const std::vector<PlatformScreen> platform{
      {{0, 0, 1440, 900}, {0, 70, 1440, 805}},               // menu bar above, Dock below
      {{0, 900, 1920, 1080}, {0, 900, 1920, 1055}},          // above the primary
      {{-1280, 100, 1280, 1024}, {-1280, 100, 1280, 1024}},  // to the left, raised
      {{200, -1080, 1920, 1080}, {200, -1080, 1920, 1080}},  // below
  };
  const std::vector<Rect> expected{
      {0, 25, 1440, 805},
      {0, -1055, 1920, 1055},
      {-1280, -224, 1280, 1024},
      {200, 900, 1920, 1080},
  };
  EXPECT_EQ(screenFrames(platform), expected);
  EXPECT_TRUE(screenFrames({}).empty());
}

TEST(ScreenChoice, LargestOverlapThenEarliest) {
  const std::vector<Rect> two{{0, 0, 1000, 800}, {1000, 0, 1000, 800}};
  EXPECT_EQ(screenIndex({900, 100, 300, 200}, two), 1u);  // 100 × 200 against 200 × 200
  EXPECT_EQ(screenIndex({800, 100, 400, 200}, two), 0u);  // equal overlaps: the earlier
  const std::vector<Rect> reversed{two[1], two[0]};
  EXPECT_EQ(screenIndex({800, 100, 400, 200}, reversed), 0u);
  EXPECT_EQ(screenIndex({1200, 100, 300, 200}, two), 1u);  // nothing on the first
  // Three screens with overlaps 0, 100 × 100 and 100 × 100: the first of the two.
  const std::vector<Rect> three{{5000, 0, 100, 100}, {0, 0, 100, 100}, {100, 0, 100, 100}};
  EXPECT_EQ(screenIndex({0, 0, 200, 100}, three), 1u);
}

TEST(ScreenChoice, NearestCentreWhenNothingOverlaps) {
  const std::vector<Rect> two{{0, 0, 1000, 800}, {1000, 0, 1000, 800}};
  EXPECT_EQ(screenIndex({2500, 300, 100, 100}, two), 1u);
  EXPECT_EQ(screenIndex({-900, 300, 100, 100}, two), 0u);
  // Centre (1000, -500), equally far from both centres: the earlier.
  EXPECT_EQ(screenIndex({950, -600, 100, 200}, two), 0u);
  // Touching the first screen's bottom edge is no overlap: the short screen
  // below has the nearer centre (155 against 495 points away).
  EXPECT_EQ(screenIndex({0, 800, 1000, 190}, {{0, 0, 1000, 800}, {0, 1000, 1000, 100}}), 1u);
  EXPECT_EQ(screenIndex({-5000, -5000, 10, 10}, {{0, 0, 1000, 800}}), 0u);
  EXPECT_EQ(screenIndex({0, 0, 10, 10}, {}), std::nullopt);
}

TEST(FramesClose, FourPointsInclusiveEachWay) {
  const Rect a{100, 200, 300, 400};
  EXPECT_TRUE(framesClose(a, a));
  EXPECT_TRUE(framesClose(a, {104, 196, 304, 396}));
  EXPECT_TRUE(framesClose(a, {96, 204, 296, 404}));
  EXPECT_FALSE(framesClose(a, {104.001, 200, 300, 400}));
  EXPECT_FALSE(framesClose(a, {100, 200, 300, 404.5}));
  EXPECT_FALSE(framesClose(a, {100, nan, 300, 400}));
  EXPECT_FALSE(framesClose({nan, nan, nan, nan}, {nan, nan, nan, nan}));
}

TEST(Halves, SharedRoundedEdgesAndUnroundedUncutAxis) {
  const struct {
    WindowAction action;
    Rect expected;
  } cases[] = {
      {WindowAction::leftHalf, {0, 25, 720, 875}},
      {WindowAction::rightHalf, {720, 25, 720, 875}},
      {WindowAction::topHalf, {0, 25, 1440, 438}},  // 462.5 rounds up
      {WindowAction::bottomHalf, {0, 463, 1440, 437}},
      {WindowAction::upperLeft, {0, 25, 720, 438}},
      {WindowAction::upperRight, {720, 25, 720, 438}},
      {WindowAction::lowerLeft, {0, 463, 720, 437}},
      {WindowAction::lowerRight, {720, 463, 720, 437}},
      {WindowAction::maximize, V},
  };
  const Rect window{100, 100, 300, 200};
  for (const auto& c : cases) {
    EXPECT_EQ(target(c.action, window), c.expected) << rawValue(c.action);
  }
}

TEST(Halves, OddSizesAndNegativeOrigins) {
  // -1001 + 500.5 = -500.5 rounds away from zero to -501.
  const Rect odd{-1001, 10.25, 1001, 600.5};
  EXPECT_EQ(target(WindowAction::leftHalf, {}, {odd}), (Rect{-1001, 10.25, 500, 600.5}));
  EXPECT_EQ(target(WindowAction::rightHalf, {}, {odd}), (Rect{-501, 10.25, 501, 600.5}));
  // Uncut x keeps the fraction; y edges are 10, 311 (310.5) and 611 (610.75).
  EXPECT_EQ(target(WindowAction::topHalf, {}, {{0.5, 10.25, 99.5, 600.5}}),
            (Rect{0.5, 10, 99.5, 301}));
  EXPECT_EQ(target(WindowAction::bottomHalf, {}, {{0.5, 10.25, 99.5, 600.5}}),
            (Rect{0.5, 311, 99.5, 300}));
  // maximize gives the visible frame as it is, fractions and all.
  EXPECT_EQ(target(WindowAction::maximize, {}, {{0.5, 10.25, 99.5, 600.5}}),
            (Rect{0.5, 10.25, 99.5, 600.5}));
}

TEST(Thirds, EdgesOfThreeEqualParts) {
  EXPECT_EQ(thirdFrame(0, V), (Rect{0, 25, 480, 875}));
  EXPECT_EQ(thirdFrame(1, V), (Rect{480, 25, 480, 875}));
  EXPECT_EQ(thirdFrame(2, V), (Rect{960, 25, 480, 875}));
  const Rect narrow{0, 0, 1366, 768};
  EXPECT_EQ(thirdFrame(0, narrow), (Rect{0, 0, 455, 768}));
  EXPECT_EQ(thirdFrame(1, narrow), (Rect{455, 0, 456, 768}));
  EXPECT_EQ(thirdFrame(2, narrow), (Rect{911, 0, 455, 768}));
}

TEST(Thirds, CyclingFromTheCurrentThird) {
  const Rect left{0, 25, 480, 875};
  const Rect middle{480, 25, 480, 875};
  const Rect right{960, 25, 480, 875};
  const struct {
    WindowAction action;
    Rect window;
    Rect expected;
  } cases[] = {
      {WindowAction::nextThird, {2, 27, 478, 871}, middle},  // within 4 of the left third
      {WindowAction::nextThird, {4, 29, 476, 871}, middle},  // exactly 4 off everywhere
      {WindowAction::nextThird, {0, 25, 485, 875}, left},    // 5 too wide: no current third
      {WindowAction::nextThird, middle, right},
      {WindowAction::nextThird, right, left},  // wraps
      {WindowAction::previousThird, left, right},
      {WindowAction::previousThird, right, middle},
      {WindowAction::previousThird, {0, 25, 485, 875}, right},
      {WindowAction::previousThird, {nan, nan, nan, nan}, right},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(target(c.action, c.window), c.expected)
        << rawValue(c.action) << " from " << testing::PrintToString(c.window);
  }
}

TEST(Center, RoundsThePositionButNotTheSize) {
  EXPECT_EQ(target(WindowAction::center, {5, 5, 800, 600}), (Rect{320, 163, 800, 600}));
  EXPECT_EQ(target(WindowAction::center, {5, 5, 2000, 1000}), V);
  // x = 720 - 400.25 = 319.75, y = 462.5 - 300.25 = 162.25.
  EXPECT_EQ(target(WindowAction::center, {5, 5, 800.5, 600.5}), (Rect{320, 162, 800.5, 600.5}));
  EXPECT_EQ(target(WindowAction::center, {5, 5, 801, 601}), (Rect{320, 162, 801, 601}));
}

TEST(Resize, FivePerCentOfTheVisibleFrame) {
  const Rect window{320, 163, 800, 600};
  EXPECT_EQ(target(WindowAction::larger, window), (Rect{284, 141, 872, 644}));
  EXPECT_EQ(target(WindowAction::smaller, window), (Rect{356, 184, 728, 558}));
  EXPECT_EQ(target(WindowAction::larger, V), V);
  // Grown past the right and bottom edges: pushed back inside.
  EXPECT_EQ(target(WindowAction::larger, {1140, 600, 300, 280}), (Rect{1068, 576, 372, 324}));
}

TEST(Resize, MinimumSizeAndTheNullInset) {
  // 138 × 86.25 raised to 200 × 120 at the inset origin (536, 321.875).
  EXPECT_EQ(target(WindowAction::smaller, {500, 300, 210, 130}), (Rect{536, 321, 200, 121}));
  // Narrower (50) or lower (40) than the step: the null inset ends in the
  // bottom-right corner.
  const Rect corner{1240, 780, 200, 120};
  EXPECT_EQ(target(WindowAction::smaller, {100, 100, 50, 300}), corner);
  EXPECT_EQ(target(WindowAction::smaller, {100, 100, 400, 40}), corner);
  // Exactly the step (72 wide): width 0 is not negative, so no null inset.
  EXPECT_EQ(target(WindowAction::smaller, {100, 100, 72, 300}), (Rect{136, 121, 200, 258}));
}

TEST(DisplayMove, CarriesRelativePositionAndSize) {
  const Rect wide{1440, -155, 1920, 1055};
  const std::vector<Rect> two{V, wide};
  EXPECT_EQ(target(WindowAction::nextDisplay, {0, 25, 720, 875}, two),
            (Rect{1440, -155, 960, 1055}));
  EXPECT_EQ(target(WindowAction::previousDisplay, {0, 25, 720, 875}, two),
            (Rect{1440, -155, 960, 1055}));
  EXPECT_EQ(target(WindowAction::nextDisplay, {1440, -155, 960, 1055}, two, 1),
            (Rect{0, 25, 720, 875}));
  // A quarter of the way in, half the size: (1920, 108.75, 960, 527.5), made integral.
  EXPECT_EQ(mapFrame({360, 243.75, 720, 437.5}, V, wide), (Rect{1920, 108.75, 960, 527.5}));
  EXPECT_EQ(target(WindowAction::nextDisplay, {360, 243.75, 720, 437.5}, two),
            (Rect{1920, 108, 960, 529}));
}

TEST(DisplayMove, WrapsAroundAndNeedsTwoScreens) {
  const Rect left{-1280, 0, 1280, 1024};
  const std::vector<Rect> three{V, {1440, 0, 1920, 1080}, left};
  EXPECT_EQ(target(WindowAction::previousDisplay, V, three, 0), left);
  EXPECT_EQ(target(WindowAction::nextDisplay, left, three, 2), V);
  EXPECT_EQ(target(WindowAction::nextDisplay, V), std::nullopt);
  EXPECT_EQ(target(WindowAction::previousDisplay, V), std::nullopt);
}

TEST(FitFrame, ShrinksMovesAndMakesIntegral) {
  const struct {
    Rect frame;
    Rect expected;
  } cases[] = {
      {{10.5, 30.2, 100.2, 50}, {10, 30, 101, 51}},
      {{-50, -50, 3000, 2000}, V},
      {{1400, 100, 300, 200}, {1140, 100, 300, 200}},
      {{-300, 800, 300, 200}, {0, 700, 300, 200}},
      {Rect::null(), {1440, 900, 0, 0}},
      {{nan, nan, nan, nan}, V},
      {{-inf, inf, inf, 100}, {0, 800, 1440, 100}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fitFrame(c.frame, V), c.expected) << testing::PrintToString(c.frame);
  }
}

TEST(FitFrame, NeverCrossesTheFarEdgeThroughRoundingNoise) {
  // Pushed against the right edge at -1134.2150837378863, the sum x + width
  // comes to -432.9999999999999 in floating point; its ceiling must not
  // reach one point into the next screen.
  EXPECT_EQ(fitFrame({0, 1700, 701.2150837378864, 100}, {-1309, 1609, 876, 896}),
            (Rect{-1135, 1700, 702, 100}));
}

TEST(DegenerateScreens, MapFrameKeepsItsOwnSizeAlongAnEmptyAxis) {
  // No width to take a proportion of: start of the target, own width kept.
  EXPECT_EQ(mapFrame({100, 256, 300, 256}, {0, 0, 0, 1024}, {50, 0, 2000, 512}),
            (Rect{50, 128, 300, 128}));
  // Window at the empty frame's own origin (0 ÷ 0) and no height either.
  EXPECT_EQ(mapFrame({10, 10, 300, 400}, {10, 10, 0, 0}, {-100, -200, 2000, 500}),
            (Rect{-100, -200, 300, 400}));
  // An empty target squeezes the window to its edge.
  EXPECT_EQ(mapFrame({100, 100, 300, 400}, V, {500, 0, 0, 800}).width, 0);
  EXPECT_EQ(
      target(WindowAction::nextDisplay, {0, 0, 300, 256}, {{0, 0, 0, 1024}, {1440, 0, 1920, 512}}),
      (Rect{1440, 0, 300, 128}));
}

TEST(DegenerateScreens, EveryActionStaysFinite) {
  const std::vector<std::vector<Rect>> screenLists{
      {{100, 25, 0, 875}, {1440, 0, 1920, 1080}},
      {{0, 25, 1440, 0}, {1440, 0, 0, 0}},
      {{0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  const Rect windows[] = {{100, 100, 300, 200},
                          {100, 25, 0, 0},
                          {nan, nan, nan, nan},
                          Rect::null(),
                          {-inf, -inf, inf, inf}};
  for (const auto& screens : screenLists) {
    for (std::size_t index = 0; index < screens.size(); ++index) {
      for (const Rect& window : windows) {
        for (int a = 0; a <= static_cast<int>(WindowAction::previousDisplay); ++a) {
          const auto action = static_cast<WindowAction>(a);
          const auto frame = targetFrame(action, window, screens, index);
          ASSERT_TRUE(frame.has_value()) << rawValue(action);
          EXPECT_TRUE(isFinite(*frame))
              << rawValue(action) << " gave " << testing::PrintToString(*frame) << " for "
              << testing::PrintToString(window);
        }
      }
    }
  }
}

TEST(TargetFrame, AbsentOutsideThePlacementActions) {
  for (WindowAction action : {WindowAction::undo, WindowAction::redo, WindowAction::tileAppColumns,
                              WindowAction::tileAppRows}) {
    EXPECT_EQ(target(action, {0, 0, 100, 100}), std::nullopt) << rawValue(action);
  }
  EXPECT_EQ(targetFrame(WindowAction::leftHalf, {0, 0, 100, 100}, {V}, 1), std::nullopt);
  EXPECT_EQ(targetFrame(WindowAction::maximize, {0, 0, 100, 100}, {}, 0), std::nullopt);
  // A screen that is itself not finite never yields a frame to write.
  EXPECT_EQ(target(WindowAction::maximize, {0, 0, 100, 100}, {{0, 0, nan, 800}}), std::nullopt);
}

}  // namespace
}  // namespace corvella
