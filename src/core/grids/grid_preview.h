// The small drawing of a grid in a settings row: equal cells, column by
// column, each inset and filled as a rounded rectangle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/actions/rect.h"

namespace corvella {

namespace GridPreviewStyle {
inline constexpr double canvasWidth = 44;
inline constexpr double canvasHeight = 28;
inline constexpr double cellInset = 0.75;  // on each side of a cell
inline constexpr double cornerRadius = 1.5;
inline constexpr double fillOpacity = 0.55;  // of the accent colour
// No preview draws more cells than this. The settings controls stop at 12×12
// (144 cells); only a hand-edited layout can go beyond, and it is then drawn
// empty rather than as millions of invisible specks.
inline constexpr std::int64_t maxCells = 4096;
}  // namespace GridPreviewStyle

// The filled rectangles for a canvas of the given size, for each column from
// the left and, within it, each row from the top. None when columns or rows is
// below 1, when the grid exceeds GridPreviewStyle::maxCells, or when the inset
// leaves the cells no area (the canvas is too small for that many).
std::vector<Rect> gridPreviewCells(std::int64_t columns, std::int64_t rows, double width,
                                   double height);

}  // namespace corvella
