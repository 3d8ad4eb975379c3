#include "core/grids/grid_preview.h"

#include <cmath>

namespace corvella {

std::vector<Rect> gridPreviewCells(std::int64_t columns, std::int64_t rows, double width,
                                   double height) {
  if (columns < 1 || rows < 1) return {};
  // Both are at least 1, so the quotient is exact and cannot overflow.
  if (columns > GridPreviewStyle::maxCells / rows) return {};

  const double cellWidth = width / static_cast<double>(columns);
  const double cellHeight = height / static_cast<double>(rows);
  const double filledWidth = cellWidth - 2 * GridPreviewStyle::cellInset;
  const double filledHeight = cellHeight - 2 * GridPreviewStyle::cellInset;
  // Also refuses NaN and infinite canvas sizes.
  if (!(filledWidth > 0) || !(filledHeight > 0) || !std::isfinite(filledWidth) ||
      !std::isfinite(filledHeight)) {
    return {};
  }

  std::vector<Rect> cells;
  cells.reserve(static_cast<std::size_t>(columns * rows));
  for (std::int64_t column = 0; column < columns; ++column) {
    for (std::int64_t row = 0; row < rows; ++row) {
      cells.push_back({.x = cellWidth * static_cast<double>(column) + GridPreviewStyle::cellInset,
                       .y = cellHeight * static_cast<double>(row) + GridPreviewStyle::cellInset,
                       .width = filledWidth,
                       .height = filledHeight});
    }
  }
  return cells;
}

}  // namespace corvella
