#include "core/access/layouts.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace corvella {

void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}
void PrintTo(const CellAssignment& c, std::ostream* os) {
  *os << "#" << c.index << " ";
  PrintTo(c.frame, os);
}

namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

// A window standing at (x, y); its size never matters to the order.
Rect at(double x, double y) {
  return {x, y, 300, 200};
}

std::vector<std::size_t> indices(const std::vector<CellAssignment>& cells) {
  std::vector<std::size_t> result;
  for (const CellAssignment& cell : cells) result.push_back(cell.index);
  return result;
}

TEST(Columns, EqualRoundedCellsSharingEdges) {
  // 1000 / 3: edges 0, 333 (333.3), 667 (666.7), 1000. The uncut axis keeps
  // its fractions.
  const Rect visible{0, 25.25, 1000, 800.5};
  const std::vector<CellAssignment> expected{
      {0, {0, 25.25, 333, 800.5}},
      {1, {333, 25.25, 334, 800.5}},
      {2, {667, 25.25, 333, 800.5}},
  };
  EXPECT_EQ(layoutColumns({at(0, 0), at(100, 0), at(200, 0)}, visible), expected);
  // 1001 / 2 = 500.5 rounds up: 501 then 500.
  const std::vector<CellAssignment> two{{0, {0, 0, 501, 600}}, {1, {501, 0, 500, 600}}};
  EXPECT_EQ(layoutColumns({at(0, 0), at(100, 0)}, {0, 0, 1001, 600}), two);
  EXPECT_TRUE(layoutColumns({}, {0, 0, 1000, 600}).empty());
}

TEST(Rows, EqualRoundedCellsSharingEdges) {
  const Rect visible{-10.5, -500, 1280.5, 1000};
  const std::vector<CellAssignment> expected{
      {0, {-10.5, -500, 1280.5, 333}},
      {1, {-10.5, -167, 1280.5, 334}},
      {2, {-10.5, 167, 1280.5, 333}},
  };
  EXPECT_EQ(layoutRows({at(0, 0), at(0, 100), at(0, 200)}, visible), expected);
}

TEST(Columns, WindowsTakeCellsLeftToRightThenTopToBottom) {
  // Listed out of order: x 500, 0, 250, and a window under the one at 0.
  const std::vector<Rect> frames{at(500, 0), at(0, 0), at(250, 0), at(2, 300)};
  const std::vector<CellAssignment> expected{
      {1, {0, 0, 250, 600}},
      {3, {250, 0, 250, 600}},
      {2, {500, 0, 250, 600}},
      {0, {750, 0, 250, 600}},
  };
  EXPECT_EQ(layoutColumns(frames, {0, 0, 1000, 600}), expected);
  // In rows the same windows go top to bottom, then left to right.
  EXPECT_EQ(indices(layoutRows(frames, {0, 0, 1000, 600})), (std::vector<std::size_t>{1, 2, 0, 3}));
}

TEST(PositionOrder, EdgesWithinFourPointsCountAsEqual) {
  const struct {
    const char* name;
    Rect first;   // index 0
    Rect second;  // index 1
    bool firstComesFirst;
  } cases[] = {
      {"left edges 3 apart: the higher one", at(103, 300), at(100, 10), false},
      {"left edges exactly 4 apart: the higher one", at(100, 300), at(104, 10), false},
      {"left edges 4.5 apart: the left one", at(100, 300), at(104.5, 10), true},
      {"both edges within 4: list order", at(103, 14), at(100, 10), true},
      {"both edges exactly 4 apart: list order", at(104, 14), at(100, 10), true},
      {"top edges exactly 4 apart: list order", at(100, 10), at(98, 6), true},
      {"both edges within 4, other way: list order", at(100, 10), at(103, 14), true},
      {"top edges 4.5 apart: the higher one", at(100, 14.5), at(103, 10), false},
  };
  for (const auto& c : cases) {
    const std::vector<Rect> frames{c.first, c.second};
    EXPECT_EQ(positionOrder(Edge::left, Edge::top, frames, 0, 1), c.firstComesFirst) << c.name;
    EXPECT_EQ(positionOrder(Edge::left, Edge::top, frames, 1, 0), !c.firstComesFirst) << c.name;
    const std::vector<std::size_t> order =
        c.firstComesFirst ? std::vector<std::size_t>{0, 1} : std::vector<std::size_t>{1, 0};
    EXPECT_EQ(indices(layoutColumns(frames, {0, 0, 1000, 600})), order) << c.name;
  }
  // The same window never comes before itself.
  EXPECT_FALSE(positionOrder(Edge::top, Edge::left, {at(0, 0)}, 0, 0));
}

TEST(PositionOrder, InsertionSortFixesTheOrderOfACycle) {
  // a (8, 0), b (4, 50), c (0, 100): a before b and b before c by their tops
  // (left edges 4 apart), but c before a by its left edge. The insertion
  // procedure settles each listing its own way.
  const Rect a = at(8, 0), b = at(4, 50), c = at(0, 100);
  const struct {
    std::vector<Rect> frames;
    std::vector<std::size_t> order;
  } cases[] = {
      {{a, b, c}, {0, 1, 2}},  // c never passes b
      {{c, b, a}, {1, 0, 2}},  // b passes c; a stops at c
      {{b, c, a}, {0, 1, 2}},  // nothing passes anything
      {{a, c, b}, {1, 0, 2}},  // c passes a; b stops at a
  };
  for (const auto& test : cases) {
    EXPECT_EQ(sortedByPosition(Edge::left, Edge::top, test.frames), test.order);
    EXPECT_EQ(indices(layoutColumns(test.frames, {0, 0, 900, 600})), test.order);
  }
}

TEST(PositionOrder, ManyWindowsSortedStably) {
  // 100 windows (the merge sort): pairs at the same spot keep their list
  // order; spots run right to left through the list.
  std::vector<Rect> frames;
  for (int spot = 49; spot >= 0; --spot) {
    frames.push_back(at(spot * 10, 0));
    frames.push_back(at(spot * 10 + 1, 3));
  }
  std::vector<std::size_t> expected;
  for (std::size_t spot = 0; spot < 50; ++spot) {
    expected.push_back(98 - 2 * spot);
    expected.push_back(99 - 2 * spot);
  }
  EXPECT_EQ(sortedByPosition(Edge::left, Edge::top, frames), expected);
  EXPECT_EQ(insertionSortByPosition(Edge::left, Edge::top, frames), expected);
}

TEST(Grid, FillsRowByRowFromTheTopLeft) {
  // Reading order: 1 (0, 0), 2 (800, 0), 3 (0, 500), 0 (800, 500), then 4,
  // for which no cell is left.
  const std::vector<Rect> frames{at(800, 500), at(0, 0), at(800, 0), at(0, 500), at(400, 800)};
  const Rect visible{0, 25, 1440, 875};
  const std::vector<CellAssignment> expected{
      {1, {0, 25, 720, 438}},
      {2, {720, 25, 720, 438}},
      {3, {0, 463, 720, 437}},
      {0, {720, 463, 720, 437}},
  };
  EXPECT_EQ(layoutGrid(2, 2, frames, visible), expected);
}

TEST(Grid, FewerWindowsThanCells) {
  // 3 × 2 on 1000 × 1001: columns at 0, 333, 667; rows at 0, 501 (500.5).
  const std::vector<Rect> frames{at(0, 0), at(100, 0), at(200, 0), at(0, 600)};
  const std::vector<CellAssignment> expected{
      {0, {0, 0, 333, 501}},
      {1, {333, 0, 334, 501}},
      {2, {667, 0, 333, 501}},
      {3, {0, 501, 333, 500}},
  };
  EXPECT_EQ(layoutGrid(3, 2, frames, {0, 0, 1000, 1001}), expected);
  EXPECT_TRUE(layoutGrid(3, 2, {}, {0, 0, 1000, 1001}).empty());
}

TEST(Grid, NoCellsMeansNoAssignments) {
  const std::vector<Rect> frames{at(0, 0), at(100, 0), at(200, 0), at(0, 600), at(9, 9)};
  const struct {
    std::int64_t columns;
    std::int64_t rows;
  } cases[] = {
      {0, 2},
      {2, 0},
      {0, 0},
      {-1, 3},
      {3, -1},
      {-2, -2},
      {int64Max, 2},
      {2, int64Max},
      {int64Max, int64Max},
      {int64Min, -1},
      {-1, int64Min},
      {int64Min, int64Min},
      {int64Max / 2 + 1, 2},
      {4294967296, 4294967296},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(layoutGrid(c.columns, c.rows, frames, {0, 0, 1000, 1000}).empty())
        << c.columns << " × " << c.rows;
  }
}

TEST(Grid, HugeCountsThatFitPlaceEveryWindow) {
  // A million columns of 2 points each: only the windows' cells are made.
  const std::vector<Rect> frames{at(200, 0), at(0, 0), at(100, 0)};
  const std::vector<CellAssignment> expected{
      {1, {0, 0, 2, 500}}, {2, {2, 0, 2, 500}}, {0, {4, 0, 2, 500}}};
  EXPECT_EQ(layoutGrid(1'000'000, 1, frames, {0, 0, 2'000'000, 500}), expected);
  // The largest counts whose product still fits: cells too thin to see, but
  // every window is placed and every edge is a finite whole number.
  for (const auto& [columns, rows] :
       {std::pair<std::int64_t, std::int64_t>{int64Max, 1}, {1, int64Max}, {int64Max / 2, 2}}) {
    const auto cells = layoutGrid(columns, rows, frames, {0, 25, 1440, 875});
    ASSERT_EQ(cells.size(), 3u) << columns << " × " << rows;
    for (const CellAssignment& cell : cells) {
      EXPECT_GE(cell.frame.x, 0);
      EXPECT_LE(cell.frame.x + cell.frame.width, 1440);
      EXPECT_GE(cell.frame.y, 25);
      EXPECT_LE(cell.frame.y + cell.frame.height, 900);
      EXPECT_GE(cell.frame.width, 0);
      EXPECT_GE(cell.frame.height, 0);
    }
  }
  // One column of int64Max rows puts the three windows in rows 0, 1 and 2,
  // all on the top edge with no height.
  EXPECT_EQ(layoutGrid(1, int64Max, frames, {0, 25, 1440, 875}),
            (std::vector<CellAssignment>{
                {1, {0, 25, 1440, 0}}, {2, {0, 25, 1440, 0}}, {0, {0, 25, 1440, 0}}}));
}

}  // namespace
}  // namespace corvella
