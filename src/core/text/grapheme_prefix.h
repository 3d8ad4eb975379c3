// Grapheme prefix: the start of a UTF-8 text cut after a number of
// user-perceived characters (extended grapheme clusters), so that a cut
// never splits an emoji sequence, a flag or a letter from its marks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvella {

// The first maxClusters grapheme clusters of text. Bytes that are not valid
// UTF-8 each count as one cluster and come out as U+FFFD, so the result is
// always valid UTF-8.
std::string graphemePrefix(std::string_view text, std::size_t maxClusters);

}  // namespace corvella
