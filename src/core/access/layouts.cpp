#include "core/access/layouts.h"

#include <cmath>
#include <limits>

#include "core/actions/geometry.h"

namespace corvella {
namespace {

// Edges closer than this count as the same row or column.
constexpr double positionTolerance = 4.0;
// From this many windows on the sort is a merge sort instead of the insertion sort.
constexpr std::size_t mergeSortThreshold = 64;

double edgeOf(const Rect& frame, Edge edge) {
  return edge == Edge::left ? frame.minX() : frame.minY();
}

// The two edges of every window, read once so that sorting many windows
// compares plain numbers.
struct PositionKey {
  double primary;
  double secondary;
};

PositionKey keyOf(const Rect& frame, Edge primary, Edge secondary) {
  return {edgeOf(frame, primary), edgeOf(frame, secondary)};
}

// Whether window i (key a) comes before window j (key b). A difference of
// exactly the tolerance still counts as equal; the list order decides last.
bool comesBefore(const PositionKey& a, std::size_t i, const PositionKey& b, std::size_t j) {
  if (std::abs(a.primary - b.primary) > positionTolerance) return a.primary < b.primary;
  if (std::abs(a.secondary - b.secondary) > positionTolerance) return a.secondary < b.secondary;
  return i < j;
}

class PositionComparator {
 public:
  PositionComparator(Edge primary, Edge secondary, const std::vector<Rect>& frames) {
    keys_.reserve(frames.size());
    for (const Rect& frame : frames) {
      keys_.push_back(keyOf(frame, primary, secondary));
    }
  }

  bool operator()(std::size_t i, std::size_t j) const {
    return comesBefore(keys_[i], i, keys_[j], j);
  }

  std::size_t size() const { return keys_.size(); }

 private:
  std::vector<PositionKey> keys_;
};

std::vector<std::size_t> identityOrder(std::size_t n) {
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = i;
  return order;
}

// Each index moves towards the front past every earlier index it comes
// before and stops at the first it does not. With the tolerance the
// comparator can disagree with itself across three windows; this exact
// procedure is what fixes the order then.
std::vector<std::size_t> insertionSort(const PositionComparator& comesBefore) {
  std::vector<std::size_t> order = identityOrder(comesBefore.size());
  for (std::size_t k = 1; k < order.size(); ++k) {
    const std::size_t moving = order[k];
    std::size_t slot = k;
    while (slot > 0 && comesBefore(moving, order[slot - 1])) {
      order[slot] = order[slot - 1];
      --slot;
    }
    order[slot] = moving;
  }
  return order;
}

// Bottom-up stable merge sort. Written out rather than taken from the
// library because the comparator is not always a strict weak ordering, which
// the library's sorts are allowed to assume; here every access stays within
// bounds whatever the comparator answers.
std::vector<std::size_t> mergeSort(const PositionComparator& comesBefore) {
  const std::size_t n = comesBefore.size();
  std::vector<std::size_t> order = identityOrder(n);
  std::vector<std::size_t> buffer(n);
  for (std::size_t width = 1; width < n; width *= 2) {
    for (std::size_t low = 0; low < n; low += 2 * width) {
      const std::size_t middle = std::min(low + width, n);
      const std::size_t high = std::min(low + 2 * width, n);
      std::size_t left = low;
      std::size_t right = middle;
      std::size_t out = low;
      while (left < middle && right < high) {
        // The right run's element goes first only when it strictly comes
        // before: equal keys keep their order, which makes the sort stable.
        if (comesBefore(order[right], order[left])) {
          buffer[out++] = order[right++];
        } else {
          buffer[out++] = order[left++];
        }
      }
      while (left < middle) buffer[out++] = order[left++];
      while (right < high) buffer[out++] = order[right++];
    }
    order.swap(buffer);
  }
  return order;
}

// Edge k of n equal parts of an axis, rounded; neighbouring cells share it.
double cellEdge(double start, double extent, double k, double n) {
  return roundHalfAwayFromZero(start + (extent * k) / n);
}

// One cell per window along one axis, in position order.
std::vector<CellAssignment> layoutStrips(Edge primary, Edge secondary,
                                         const std::vector<Rect>& frames, const Rect& visible) {
  const bool columns = primary == Edge::left;
  const std::vector<std::size_t> order = sortedByPosition(primary, secondary, frames);
  const double n = static_cast<double>(order.size());
  const double start = columns ? visible.minX() : visible.minY();
  const double extent = columns ? std::abs(visible.width) : std::abs(visible.height);
  std::vector<CellAssignment> cells;
  cells.reserve(order.size());
  for (std::size_t k = 0; k < order.size(); ++k) {
    const double nearEdge = cellEdge(start, extent, static_cast<double>(k), n);
    const double farEdge = cellEdge(start, extent, static_cast<double>(k + 1), n);
    Rect cell = columns
                    ? Rect{nearEdge, visible.minY(), farEdge - nearEdge, std::abs(visible.height)}
                    : Rect{visible.minX(), nearEdge, std::abs(visible.width), farEdge - nearEdge};
    cells.push_back({order[k], cell});
  }
  return cells;
}

// The number of cells of a grid, or none when the grid has no cells or its
// count does not fit 64 bits (a hand-edited layout): such a grid places nothing.
std::optional<std::int64_t> gridCellCount(std::int64_t columns, std::int64_t rows) {
  if (columns <= 0 || rows <= 0) return std::nullopt;
  if (columns > std::numeric_limits<std::int64_t>::max() / rows) return std::nullopt;
  return columns * rows;
}

}  // namespace

bool positionOrder(Edge primary, Edge secondary, const std::vector<Rect>& frames, std::size_t i,
                   std::size_t j) {
  return comesBefore(keyOf(frames[i], primary, secondary), i, keyOf(frames[j], primary, secondary),
                     j);
}

std::vector<std::size_t> insertionSortByPosition(Edge primary, Edge secondary,
                                                 const std::vector<Rect>& frames) {
  return insertionSort(PositionComparator(primary, secondary, frames));
}

std::vector<std::size_t> mergeSortByPosition(Edge primary, Edge secondary,
                                             const std::vector<Rect>& frames) {
  return mergeSort(PositionComparator(primary, secondary, frames));
}

std::vector<std::size_t> sortedByPosition(Edge primary, Edge secondary,
                                          const std::vector<Rect>& frames) {
  if (frames.size() < mergeSortThreshold)
    return insertionSortByPosition(primary, secondary, frames);
  return mergeSortByPosition(primary, secondary, frames);
}

std::vector<CellAssignment> layoutColumns(const std::vector<Rect>& frames, const Rect& visible) {
  return layoutStrips(Edge::left, Edge::top, frames, visible);
}

std::vector<CellAssignment> layoutRows(const std::vector<Rect>& frames, const Rect& visible) {
  return layoutStrips(Edge::top, Edge::left, frames, visible);
}

std::vector<CellAssignment> layoutGrid(std::int64_t columns, std::int64_t rows,
                                       const std::vector<Rect>& frames, const Rect& visible) {
  const std::optional<std::int64_t> cellCount = gridCellCount(columns, rows);
  if (!cellCount) return {};
  const std::vector<std::size_t> order = sortedByPosition(Edge::top, Edge::left, frames);
  // Cells are computed only for the windows that get one, never for the
  // whole grid, so a huge grid costs no more than the windows it fills.
  const std::size_t kept = static_cast<std::uint64_t>(*cellCount) < order.size()
                               ? static_cast<std::size_t>(*cellCount)
                               : order.size();
  const double columnCount = static_cast<double>(columns);
  const double rowCount = static_cast<double>(rows);
  const double width = std::abs(visible.width);
  const double height = std::abs(visible.height);
  std::vector<CellAssignment> cells;
  cells.reserve(kept);
  for (std::size_t k = 0; k < kept; ++k) {
    const std::int64_t position = static_cast<std::int64_t>(k);
    const double row = static_cast<double>(position / columns);
    const double column = static_cast<double>(position % columns);
    const double left = cellEdge(visible.minX(), width, column, columnCount);
    const double right = cellEdge(visible.minX(), width, column + 1, columnCount);
    const double top = cellEdge(visible.minY(), height, row, rowCount);
    const double bottom = cellEdge(visible.minY(), height, row + 1, rowCount);
    cells.push_back({order[k], Rect{left, top, right - left, bottom - top}});
  }
  return cells;
}

}  // namespace corvella
