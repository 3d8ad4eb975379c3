#include "core/text/grapheme_prefix.h"

#include <utf8proc.h>

namespace corvella {
namespace {

constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

}  // namespace

std::string graphemePrefix(std::string_view text, std::size_t maxClusters) {
  std::string result;
  if (maxClusters == 0) return result;
  result.reserve(text.size());

  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  const auto length = static_cast<utf8proc_ssize_t>(text.size());
  utf8proc_ssize_t offset = 0;
  utf8proc_int32_t breakState = 0;
  utf8proc_int32_t previous = -1;
  std::size_t clusters = 0;

  while (offset < length) {
    utf8proc_int32_t codepoint = -1;
    utf8proc_ssize_t consumed = utf8proc_iterate(bytes + offset, length - offset, &codepoint);
    if (consumed < 0) {
      // One bad byte: a cluster of its own, shown as the replacement character.
      if (clusters == maxClusters) break;
      ++clusters;
      result.append(replacementCharacter);
      offset += 1;
      previous = -1;
      breakState = 0;
      continue;
    }
    const bool startsCluster =
        previous < 0 || utf8proc_grapheme_break_stateful(previous, codepoint, &breakState);
    if (startsCluster) {
      if (clusters == maxClusters) break;
      ++clusters;
    }
    result.append(
        text.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(consumed)));
    offset += consumed;
    previous = codepoint;
  }
  return result;
}

}  // namespace corvella
