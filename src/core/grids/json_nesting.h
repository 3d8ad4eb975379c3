// A cheap guard run before a JSON document reaches the parser, so that a
// hand-edited or hostile document nested thousands of levels deep is turned
// away in linear time instead of costing deep recursion anywhere later
// (parsing, comparison, destruction).
#pragma once

#include <cstddef>
#include <string_view>

namespace corvella {

// True when no array or object in the text is nested deeper than maxDepth
// (the outermost array counts as depth 1). Brackets inside strings do not
// count. The text need not be valid JSON: whatever passes still goes through
// the strict parser.
bool nestingWithin(std::string_view text, std::size_t maxDepth);

}  // namespace corvella
