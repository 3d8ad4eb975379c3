// Why a stored JSON text failed to parse, as a short line for the log: the
// kind of problem and where it is, never bytes of the text itself (they may
// be anything, invalid UTF-8 and control characters included).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvella::xdg {

// byte: the parser's 1-based position of the byte it stopped at (one past
// the end when the text ended too early).
//   "unexpected end of the file", "invalid UTF-8 at line 3, column 9",
//   "syntax error at line 1, column 7"
std::string jsonProblem(std::string_view text, std::size_t byte);

}  // namespace corvella::xdg
