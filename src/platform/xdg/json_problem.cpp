#include "platform/xdg/json_problem.h"

#include <algorithm>

#include "core/text/visible_text.h"

namespace corvella::xdg {
namespace {

// "line L, column C" of a 0-based offset; columns count characters.
std::string placeOf(std::string_view text, std::size_t offset) {
  const std::string_view before = text.substr(0, offset);
  const std::size_t line =
      1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
  const std::size_t lineStart =
      before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
  std::size_t column = 1;
  for (std::size_t i = lineStart; i < offset; ++i) {
    // Continuation bytes belong to the character before them.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++column;
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

std::string jsonProblem(std::string_view text, std::size_t byte) {
  if (byte > text.size()) return "unexpected end of the file";
  const std::size_t offset = byte > 0 ? byte - 1 : 0;
  const std::size_t invalid = firstInvalidUtf8(text);
  if (invalid <= offset) return "invalid UTF-8 at " + placeOf(text, invalid);
  return "syntax error at " + placeOf(text, offset);
}

}  // namespace corvella::xdg
