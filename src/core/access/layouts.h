// Layouts: pure functions from window frames and a visible frame to cells.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/actions/rect.h"

namespace corvella {

struct CellAssignment {
  std::size_t index = 0;  // into the frames handed to the layout
  Rect frame;
  friend bool operator==(const CellAssignment&, const CellAssignment&) = default;
};

using Layout = std::function<std::vector<CellAssignment>(const std::vector<Rect>& frames,
                                                         const Rect& visible)>;

enum class Edge { left, top };

// Whether window i comes before window j: edges within 4 points count as equal.
bool positionOrder(Edge primary, Edge secondary, const std::vector<Rect>& frames, std::size_t i,
                   std::size_t j);
// The indices 0..n-1 in position order: insertion sort below 64, stable merge sort from 64.
std::vector<std::size_t> sortedByPosition(Edge primary, Edge secondary,
                                          const std::vector<Rect>& frames);
// The two procedures sortedByPosition chooses between, for any n (exposed so
// that tests can hold one against the other).
std::vector<std::size_t> insertionSortByPosition(Edge primary, Edge secondary,
                                                 const std::vector<Rect>& frames);
std::vector<std::size_t> mergeSortByPosition(Edge primary, Edge secondary,
                                             const std::vector<Rect>& frames);

std::vector<CellAssignment> layoutColumns(const std::vector<Rect>& frames, const Rect& visible);
std::vector<CellAssignment> layoutRows(const std::vector<Rect>& frames, const Rect& visible);
// The first columns × rows windows in reading order fill the cells row by
// row. A grid with no cells (columns or rows below 1), or with more than a
// signed 64-bit count can hold, places no window: all are left over.
std::vector<CellAssignment> layoutGrid(std::int64_t columns, std::int64_t rows,
                                       const std::vector<Rect>& frames, const Rect& visible);

}  // namespace corvella
