#include "core/grids/grid_layout.h"

#include <limits>

#include "core/grids/count_format.h"
#include "core/ports/localizer.h"

namespace corvella {

std::int64_t cellCount(const GridLayout& layout) {
  std::int64_t product = 0;
  if (!__builtin_mul_overflow(layout.columns, layout.rows, &product)) return product;
  const bool negative = (layout.columns < 0) != (layout.rows < 0);
  return negative ? std::numeric_limits<std::int64_t>::min()
                  : std::numeric_limits<std::int64_t>::max();
}

std::string shortTitle(const GridLayout& layout, Localizer& localizer) {
  return formatCount(localizer.localized("%lld-way Split"), cellCount(layout));
}

std::string displayName(const GridLayout& layout, Localizer& localizer) {
  return shortTitle(layout, localizer) + " (" + std::to_string(layout.columns) + "\u00D7" +
         std::to_string(layout.rows) + ")";
}

}  // namespace corvella
