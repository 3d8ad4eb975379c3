// Random windows and visible frames against the rules every layout must
// keep: cells that cover the visible frame exactly, and an order that does
// not depend on which sort produced it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

#include "core/access/layouts.h"

namespace corvella {
namespace {

using Order = std::vector<std::size_t>;

std::string describe(const Rect& r) {
  std::ostringstream out;
  out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
  return out.str();
}

Order indices(const std::vector<CellAssignment>& cells) {
  Order result;
  for (const CellAssignment& cell : cells) result.push_back(cell.index);
  return result;
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

  // Whole-numbered, anywhere, sometimes with no width or no height.
  Rect visible() {
    return {double(integer(-4000, 4000)), double(integer(-3000, 3000)),
            double(integer(0, 20) ? integer(1, 3840) : 0),
            double(integer(0, 20) ? integer(1, 2160) : 0)};
  }
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

// Cells k = 0, 1, ... fill a grid of the given columns row by row: each
// starts at the frame's edge or where its left and upper neighbours end,
// shares its row's top and height, has whole edges, and the last column and
// row end at the frame's far edges. Together: an exact cover, no gaps or overlaps.
void expectExactCover(const std::vector<CellAssignment>& cells, std::size_t columns,
                      const Rect& v) {
  const std::size_t rows = (cells.size() + columns - 1) / columns;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    const Rect& cell = cells[k].frame;
    const std::size_t c = k % columns, r = k / columns;
    const Rect* before = c > 0 ? &cells[k - 1].frame : nullptr;
    const Rect* above = r > 0 ? &cells[k - columns].frame : nullptr;
    const auto at = [&] { return "cell " + std::to_string(k) + " " + describe(cell); };
    EXPECT_EQ(cell.x, before ? before->x + before->width : v.x) << at();
    EXPECT_EQ(cell.y, above ? above->y + above->height : v.y) << at();
    EXPECT_TRUE(!before || (cell.y == before->y && cell.height == before->height)) << at();
    EXPECT_TRUE(std::floor(cell.x) == cell.x && std::floor(cell.y) == cell.y &&
                std::floor(cell.width) == cell.width && std::floor(cell.height) == cell.height)
        << at();
    if (c == columns - 1) {
      EXPECT_EQ(cell.x + cell.width, v.x + v.width) << at();
    }
    if (r == rows - 1) {
      EXPECT_EQ(cell.y + cell.height, v.y + v.height) << at();
    }
  }
}

// No window comes right before one that its edges clearly place before it.
void expectInPositionOrder(const Order& order, const std::vector<Rect>& frames, bool leftFirst) {
  for (std::size_t k = 0; k + 1 < order.size(); ++k) {
    const Rect &a = frames[order[k]], &b = frames[order[k + 1]];
    const double dp = leftFirst ? b.x - a.x : b.y - a.y;
    const double ds = leftFirst ? b.y - a.y : b.x - a.x;
    EXPECT_TRUE(dp > 4 ||
                (std::abs(dp) <= 4 && (ds > 4 || (std::abs(ds) <= 4 && order[k] < order[k + 1]))))
        << order[k] << " " << describe(a) << " before " << order[k + 1] << " " << describe(b);
  }
}

TEST(LayoutProperties, ColumnsRowsAndFullGridsCoverTheVisibleFrameInPositionOrder) {
  Generator generate;
  for (int iteration = 0; iteration < 800 && !HasFailure(); ++iteration) {
    const Rect visible = generate.visible();
    SCOPED_TRACE("iteration " + std::to_string(iteration) + " in " + describe(visible));
    const std::vector<Rect> frames = generate.windows(generate.count(1, 150));
    const auto columns = layoutColumns(frames, visible);
    const auto rows = layoutRows(frames, visible);
    ASSERT_EQ(columns.size(), frames.size());
    ASSERT_EQ(rows.size(), frames.size());
    expectExactCover(columns, frames.size(), visible);
    expectExactCover(rows, 1, visible);
    expectInPositionOrder(indices(columns), frames, true);
    expectInPositionOrder(indices(rows), frames, false);

    // A grid filled in full, in reading order.
    const std::int64_t c = generate.integer(1, 12), r = generate.integer(1, 12);
    const std::vector<Rect> some = generate.windows(std::size_t(c * r));
    const auto grid = layoutGrid(c, r, some, visible);
    ASSERT_EQ(grid.size(), some.size());
    expectExactCover(grid, std::size_t(c), visible);
    expectInPositionOrder(indices(grid), some, false);
  }
}

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
