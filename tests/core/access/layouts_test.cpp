#include "core/access/layouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

namespace corvella {

void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}
void PrintTo(const CellAssignment& c, std::ostream* os) {
  *os << "#" << c.index << " (" << c.frame.x << ", " << c.frame.y << ", " << c.frame.width << ", "
      << c.frame.height << ")";
}

namespace {

using Cells = std::vector<CellAssignment>;
using Order = std::vector<std::size_t>;
constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

// A window standing at (x, y); its size never matters to the order.
const auto at = [](double x, double y) { return Rect{x, y, 300, 200}; };

TEST(Layouts, StripsAndGridsOfEqualRoundedCellsInReadingOrderOrNoneWithoutCells) {
  // 1000 / 3: edges 0, 333 (333.3), 667 (666.7), 1000.
  EXPECT_EQ(layoutColumns({at(0, 0), at(100, 0), at(200, 0)}, {0, 25.25, 1000, 800.5}),
            (Cells{{0, {0, 25.25, 333, 800.5}},
                   {1, {333, 25.25, 334, 800.5}},
                   {2, {667, 25.25, 333, 800.5}}}));
  // 1001 / 2 = 500.5 rounds up: 501 then 500.
  EXPECT_EQ(layoutColumns({at(0, 0), at(100, 0)}, {0, 0, 1001, 600}),
            (Cells{{0, {0, 0, 501, 600}}, {1, {501, 0, 500, 600}}}));
  EXPECT_EQ(layoutRows({at(0, 0), at(0, 100), at(0, 200)}, {-10.5, -500, 1280.5, 1000}),
            (Cells{{0, {-10.5, -500, 1280.5, 333}},
                   {1, {-10.5, -167, 1280.5, 334}},
                   {2, {-10.5, 167, 1280.5, 333}}}));
  EXPECT_TRUE(layoutColumns({}, {0, 0, 1000, 600}).empty());
  // name, first, second, firstComesFirst; indices 0 and 1.
  const std::tuple<const char*, Rect, Rect, bool> cases[] = {
      {"left edges 3 apart: the higher one", at(103, 300), at(100, 10), false},
      {"left edges exactly 4 apart: the higher one", at(100, 300), at(104, 10), false},
      {"left edges 4.5 apart: the left one", at(100, 300), at(104.5, 10), true},
      {"both edges within 4: list order", at(103, 14), at(100, 10), true},
      {"both edges exactly 4 apart: list order", at(104, 14), at(100, 10), true},
      {"top edges exactly 4 apart: list order", at(100, 10), at(98, 6), true},
      {"top edges 4.5 apart: the higher one", at(100, 14.5), at(103, 10), false},
  };
  for (const auto& [name, first, second, firstComesFirst] : cases) {
    const std::vector<Rect> frames{first, second};
    EXPECT_EQ(positionOrder(Edge::left, Edge::top, frames, 0, 1), firstComesFirst) << name;
    EXPECT_EQ(positionOrder(Edge::left, Edge::top, frames, 1, 0), !firstComesFirst) << name;
  }
  EXPECT_FALSE(positionOrder(Edge::top, Edge::left, {at(0, 0)}, 0, 0));
  // a (8, 0), b (4, 50), c (0, 100): a before b and b before c by their tops (left edges 4 apart),
  // but c before a by its left edge. The insertion procedure settles each listing its own way.
  const Rect a = at(8, 0), b = at(4, 50), c = at(0, 100);
  const std::pair<std::vector<Rect>, Order> listings[] = {
      {{a, b, c}, {0, 1, 2}},  // c never passes b
      {{c, b, a}, {1, 0, 2}},  // b passes c; a stops at c
      {{b, c, a}, {0, 1, 2}},  // nothing passes anything
      {{a, c, b}, {1, 0, 2}},  // c passes a; b stops at a
  };
  for (const auto& [frames, order] : listings) {
    Order indices;
    for (const CellAssignment& cell : layoutColumns(frames, {0, 0, 900, 600})) {
      indices.push_back(cell.index);
    }
    EXPECT_EQ(indices, order);
  }
  // Reading order: 1 (0, 0), 2 (800, 0), 3 (0, 500), 0 (800, 500), then 4,
  // for which no cell is left.
  const std::vector<Rect> mixed{at(800, 500), at(0, 0), at(800, 0), at(0, 500), at(400, 800)};
  EXPECT_EQ(layoutGrid(2, 2, mixed, {0, 25, 1440, 875}), (Cells{{1, {0, 25, 720, 438}},
                                                                {2, {720, 25, 720, 438}},
                                                                {3, {0, 463, 720, 437}},
                                                                {0, {720, 463, 720, 437}}}));
  // 3 × 2 on 1000 × 1001 with fewer windows than cells: columns at 0, 333,
  // 667; rows at 0, 501 (500.5).
  EXPECT_EQ(layoutGrid(3, 2, {at(0, 0), at(100, 0), at(200, 0), at(0, 600)}, {0, 0, 1000, 1001}),
            (Cells{{0, {0, 0, 333, 501}},
                   {1, {333, 0, 334, 501}},
                   {2, {667, 0, 333, 501}},
                   {3, {0, 501, 333, 500}}}));
  const std::vector<Rect> five{at(0, 0), at(100, 0), at(200, 0), at(0, 600), at(9, 9)};
  const std::int64_t half = int64Max / 2 + 1, big = 4294967296;
  const std::pair<std::int64_t, std::int64_t> sizes[] = {
      {0, 2},        {2, 0},        {0, 0},         {-1, 3},        {3, -1},   {-2, -2},
      {int64Max, 2}, {2, int64Max}, {int64Min, -1}, {-1, int64Min}, {half, 2}, {big, big}};
  for (const auto& [columns, rows] : sizes) {
    EXPECT_TRUE(layoutGrid(columns, rows, five, {0, 0, 1000, 1000}).empty())
        << columns << " × " << rows;
  }
  // A million columns of 2 points each: only the windows' cells are made.
  const std::vector<Rect> frames{at(200, 0), at(0, 0), at(100, 0)};
  EXPECT_EQ(layoutGrid(1'000'000, 1, frames, {0, 0, 2'000'000, 500}),
            (Cells{{1, {0, 0, 2, 500}}, {2, {2, 0, 2, 500}}, {0, {4, 0, 2, 500}}}));
  // One column of int64Max rows: three rows on the top edge with no height.
  EXPECT_EQ(layoutGrid(1, int64Max, frames, {0, 25, 1440, 875}),
            (Cells{{1, {0, 25, 1440, 0}}, {2, {0, 25, 1440, 0}}, {0, {0, 25, 1440, 0}}}));
  // The largest count whose product still fits.
  EXPECT_EQ(layoutGrid(int64Max / 2, 2, frames, {0, 0, 1000, 500}).size(), 3u);
}

struct Generator {
  std::mt19937 rng{2024};
  std::size_t count(std::size_t low, std::size_t high) {
    return std::uniform_int_distribution<std::size_t>(low, high)(rng);
  }
  double real(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng);
  }
  int integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

  // Edges within 2 points of a 10-point lattice: on one lattice point they
  // are at most 4 apart (level), on different points at least 6 (ordered), so
  // the order is consistent. A small lattice makes many windows share a spot.
  std::vector<Rect> windows(std::size_t n, double jitter = 2) {
    const int spots = integer(1, 30);
    std::vector<Rect> frames;
    for (std::size_t i = 0; i < n; ++i) {
      frames.push_back({integer(-spots, spots) * 10 + real(-jitter, jitter),
                        integer(-spots, spots) * 10 + real(-jitter, jitter), 300, 200});
    }
    return frames;
  }
};

TEST(LayoutProperties, MergeSortAgreesWithInsertionSortWhenTheOrderIsConsistent) {
  Generator generate;
  for (int iteration = 0; iteration < 400 && !HasFailure(); ++iteration) {
    for (std::size_t n : {generate.count(0, 63), generate.count(64, 300)}) {
      const std::vector<Rect> frames = generate.windows(n);
      for (const auto& [primary, secondary] :
           {std::pair{Edge::left, Edge::top}, std::pair{Edge::top, Edge::left}}) {
        const Order expected = insertionSortByPosition(primary, secondary, frames);
        EXPECT_EQ(mergeSortByPosition(primary, secondary, frames), expected) << n;
        EXPECT_EQ(sortedByPosition(primary, secondary, frames), expected) << n;
      }
    }
    // Crowded windows make the order disagree with itself; every window
    // still comes out exactly once.
    const std::vector<Rect> crowded = generate.windows(generate.count(0, 300), 10);
    Order order = mergeSortByPosition(Edge::left, Edge::top, crowded);
    std::sort(order.begin(), order.end());
    for (std::size_t i = 0; i < order.size(); ++i) ASSERT_EQ(order[i], i);
    EXPECT_EQ(order.size(), crowded.size());
  }
}

}  // namespace
}  // namespace corvella
