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

constexpr unsigned seeds[] = {7, 11, 2024, 99991};
constexpr int iterationsPerSeed = 200;

std::string describe(const Rect& r) {
  std::ostringstream out;
  out.precision(17);
  out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
  return out.str();
}

bool isWhole(double value) {
  return std::isfinite(value) && std::floor(value) == value;
}

bool isPermutation(std::vector<std::size_t> order, std::size_t n) {
  std::sort(order.begin(), order.end());
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] != i) return false;
  }
  return order.size() == n;
}

std::vector<std::size_t> indices(const std::vector<CellAssignment>& cells) {
  std::vector<std::size_t> result;
  for (const CellAssignment& cell : cells) result.push_back(cell.index);
  return result;
}

class LayoutGenerator {
 public:
  explicit LayoutGenerator(unsigned seed) : rng_(seed) {}

  // Whole-numbered, anywhere, sometimes with no width or no height.
  Rect visible() {
    return {double(integer(-4000, 4000)), double(integer(-3000, 3000)),
            chance(0.05) ? 0.0 : double(integer(1, 3840)),
            chance(0.05) ? 0.0 : double(integer(1, 2160))};
  }

  // Windows whose edges sit within 2 points of a 10-point lattice: edges on
  // one lattice point are at most 4 apart (equal), on different points at
  // least 6 (ordered), so the order is consistent. A small lattice makes
  // many windows share a spot.
  std::vector<Rect> latticeWindows(std::size_t n) {
    const int spots = integer(1, 30);
    std::vector<Rect> frames;
    for (std::size_t i = 0; i < n; ++i) {
      frames.push_back({integer(-spots, spots) * 10 + real(-2, 2),
                        integer(-spots, spots) * 10 + real(-2, 2), real(1, 900), real(1, 700)});
    }
    return frames;
  }

  // Windows crowded into a few points, where the tolerance makes the order
  // disagree with itself across three or more windows.
  std::vector<Rect> crowdedWindows(std::size_t n) {
    std::vector<Rect> frames;
    for (std::size_t i = 0; i < n; ++i) {
      frames.push_back({real(0, 20), real(0, 20), 100, 100});
    }
    return frames;
  }

  std::size_t count(std::size_t low, std::size_t high) {
    return std::uniform_int_distribution<std::size_t>(low, high)(rng_);
  }
  int integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

 private:
  double real(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng_);
  }
  bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }

  std::mt19937 rng_;
};

// Strips along one axis: the first starts at the visible frame's edge, each
// next one where the previous ended, the last ends at the far edge; every
// edge is whole and no strip is more than a point off the exact share.
void expectStripsCover(const std::vector<Rect>& cells, bool columns, const Rect& visible) {
  const double start = columns ? visible.x : visible.y;
  const double extent = columns ? visible.width : visible.height;
  double edge = start;
  for (const Rect& cell : cells) {
    const double near = columns ? cell.x : cell.y;
    const double size = columns ? cell.width : cell.height;
    EXPECT_EQ(near, edge) << describe(cell);
    EXPECT_TRUE(isWhole(near) && isWhole(size)) << describe(cell);
    EXPECT_GE(size, 0) << describe(cell);
    EXPECT_LE(std::abs(size - extent / double(cells.size())), 1.0) << describe(cell);
    // The other axis is the visible frame's, untouched.
    EXPECT_EQ(columns ? cell.y : cell.x, columns ? visible.y : visible.x) << describe(cell);
    EXPECT_EQ(columns ? cell.height : cell.width, columns ? visible.height : visible.width)
        << describe(cell);
    edge = near + size;
  }
  if (!cells.empty()) {
    EXPECT_EQ(edge, start + extent);
  }
}

// Each window comes no later than any window whose edges place it clearly
// after it (more than 4 points further along the primary edge, or level on
// the primary edge and further along the secondary one).
void expectInPositionOrder(const std::vector<std::size_t>& order, const std::vector<Rect>& frames,
                           bool leftFirst) {
  const auto primary = [&](std::size_t i) { return leftFirst ? frames[i].x : frames[i].y; };
  const auto secondary = [&](std::size_t i) { return leftFirst ? frames[i].y : frames[i].x; };
  for (std::size_t k = 0; k + 1 < order.size(); ++k) {
    const std::size_t a = order[k], b = order[k + 1];
    const double dp = primary(b) - primary(a);
    const double ds = secondary(b) - secondary(a);
    const bool primaryLevel = std::abs(dp) <= 4;
    const bool secondaryLevel = std::abs(ds) <= 4;
    EXPECT_TRUE(dp > 4 || (primaryLevel && (ds > 4 || (secondaryLevel && a < b))))
        << "window " << a << " " << describe(frames[a]) << " before " << b << " "
        << describe(frames[b]);
  }
}

class LayoutProperties : public testing::Test {
 protected:
  template <typename Check>
  void forEachCase(Check check) {
    for (unsigned seed : seeds) {
      LayoutGenerator generate(seed);
      for (int iteration = 0; iteration < iterationsPerSeed; ++iteration) {
        check(generate);
        if (HasFailure()) {
          FAIL() << "seed " << seed << ", iteration " << iteration;
        }
      }
    }
  }
};

TEST_F(LayoutProperties, ColumnsAndRowsCoverTheVisibleFrameInPositionOrder) {
  forEachCase([](LayoutGenerator& generate) {
    const Rect visible = generate.visible();
    const std::vector<Rect> frames = generate.latticeWindows(generate.count(0, 200));
    for (bool columns : {true, false}) {
      const std::vector<CellAssignment> cells =
          columns ? layoutColumns(frames, visible) : layoutRows(frames, visible);
      ASSERT_EQ(cells.size(), frames.size());
      ASSERT_TRUE(isPermutation(indices(cells), frames.size()));
      std::vector<Rect> strips;
      for (const CellAssignment& cell : cells) strips.push_back(cell.frame);
      expectStripsCover(strips, columns, visible);
      expectInPositionOrder(indices(cells), frames, columns);
    }
  });
}

TEST_F(LayoutProperties, FullGridsTileTheVisibleFrame) {
  forEachCase([](LayoutGenerator& generate) {
    const Rect visible = generate.visible();
    const std::int64_t columns = generate.integer(1, 12);
    const std::int64_t rows = generate.integer(1, 12);
    const std::size_t cellCount = std::size_t(columns * rows);
    const std::vector<Rect> frames = generate.latticeWindows(generate.count(0, cellCount + 20));
    const std::vector<CellAssignment> cells = layoutGrid(columns, rows, frames, visible);
    ASSERT_EQ(cells.size(), std::min(frames.size(), cellCount));
    // The windows placed are the first in reading order, in that order.
    const std::vector<std::size_t> reading = sortedByPosition(Edge::top, Edge::left, frames);
    ASSERT_EQ(indices(cells),
              std::vector<std::size_t>(reading.begin(), reading.begin() + long(cells.size())));
    expectInPositionOrder(reading, frames, false);
    if (cells.size() < cellCount) return;
    // Row by row: each row's cells are columns covering the full width, all
    // with the row's top and height; rows follow each other down the frame.
    double top = visible.y;
    for (std::int64_t r = 0; r < rows; ++r) {
      std::vector<Rect> row;
      for (std::int64_t c = 0; c < columns; ++c)
        row.push_back(cells[std::size_t(r * columns + c)].frame);
      for (const Rect& cell : row) {
        EXPECT_EQ(cell.y, top) << describe(cell);
        EXPECT_EQ(cell.height, row.front().height) << describe(cell);
        EXPECT_TRUE(isWhole(cell.y) && isWhole(cell.height)) << describe(cell);
      }
      std::vector<Rect> strips;
      for (const Rect& cell : row)
        strips.push_back({cell.x, visible.y, cell.width, visible.height});
      expectStripsCover(strips, true, visible);
      // Columns line up from row to row.
      for (std::int64_t c = 0; c < columns; ++c) {
        EXPECT_EQ(row[std::size_t(c)].x, cells[std::size_t(c)].frame.x);
        EXPECT_EQ(row[std::size_t(c)].width, cells[std::size_t(c)].frame.width);
      }
      top += row.front().height;
    }
    EXPECT_EQ(top, visible.y + visible.height);
  });
}

TEST_F(LayoutProperties, MergeSortAgreesWithInsertionSortWhenTheOrderIsConsistent) {
  forEachCase([](LayoutGenerator& generate) {
    const std::vector<Rect> many = generate.latticeWindows(generate.count(64, 300));
    const std::vector<Rect> few = generate.latticeWindows(generate.count(0, 63));
    for (const auto& [primary, secondary] :
         {std::pair{Edge::left, Edge::top}, std::pair{Edge::top, Edge::left}}) {
      const auto expected = insertionSortByPosition(primary, secondary, many);
      EXPECT_EQ(sortedByPosition(primary, secondary, many), expected);
      EXPECT_EQ(mergeSortByPosition(primary, secondary, many), expected);
      expectInPositionOrder(expected, many, primary == Edge::left);
      EXPECT_EQ(mergeSortByPosition(primary, secondary, few),
                insertionSortByPosition(primary, secondary, few));
    }
  });
}

TEST_F(LayoutProperties, InconsistentOrdersStillGiveEveryWindowOnce) {
  forEachCase([](LayoutGenerator& generate) {
    const std::vector<Rect> frames = generate.crowdedWindows(generate.count(0, 300));
    const Rect visible = generate.visible();
    EXPECT_TRUE(isPermutation(indices(layoutColumns(frames, visible)), frames.size()));
    EXPECT_TRUE(isPermutation(indices(layoutRows(frames, visible)), frames.size()));
    EXPECT_TRUE(isPermutation(mergeSortByPosition(Edge::left, Edge::top, frames), frames.size()));
    EXPECT_TRUE(
        isPermutation(insertionSortByPosition(Edge::top, Edge::left, frames), frames.size()));
  });
}

}  // namespace
}  // namespace corvella
