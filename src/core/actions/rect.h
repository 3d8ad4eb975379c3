// Rect: a frame of four doubles, in points.
#pragma once

#include <algorithm>
#include <limits>

namespace corvella {

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  // Edges of the standardized rectangle (a negative size flips its origin).
  double minX() const { return std::min(x, x + width); }
  double maxX() const { return std::max(x, x + width); }
  double minY() const { return std::min(y, y + height); }
  double maxY() const { return std::max(y, y + height); }
  double midX() const { return x + width / 2; }
  double midY() const { return y + height / 2; }

  // The null rectangle: origin at positive infinity, empty size.
  static Rect null() {
    constexpr double inf = std::numeric_limits<double>::infinity();
    return {inf, inf, 0, 0};
  }
  bool isNull() const {
    return x == std::numeric_limits<double>::infinity() &&
           y == std::numeric_limits<double>::infinity();
  }

  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace corvella
