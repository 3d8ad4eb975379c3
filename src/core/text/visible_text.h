// Visible text: a text that comes from outside (a window title, an
// application's name, an error from the file system) made safe to put in one
// log line. Control characters would let it end the line, start a forged
// entry or drive the terminal that shows the log; they become escapes that
// show what was there.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvella {

// The text with every control character written as a visible escape:
// tab, line feed and carriage return as \t, \n and \r; any other C0 control
// and DEL as \xHH; a C1 control (U+0080 to U+009F) as \uHHHH; a byte that is
// not part of valid UTF-8 as \xHH. Everything else, backslashes included,
// stays as it is, so an ordinary title is logged unchanged.
std::string visibleText(std::string_view text);

// The offset of the first byte that is not part of valid UTF-8; the text's
// size when it is valid throughout.
std::size_t firstInvalidUtf8(std::string_view text);

}  // namespace corvella
