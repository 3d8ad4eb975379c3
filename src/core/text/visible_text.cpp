#include "core/text/visible_text.h"

#include <utf8proc.h>

#include <cstdint>
#include <cstdio>

namespace corvella {
namespace {

void appendEscape(std::string& out, const char* format, unsigned value) {
  char escape[8];
  std::snprintf(escape, sizeof escape, format, value);
  out += escape;
}

// Calls visit(offset, length, codepoint) for every code point in order, with
// the codepoint -1 and the length 1 for a byte that is not part of valid
// UTF-8; stops early when visit gives false.
template <typename Visit>
void forEachCodePoint(std::string_view text, Visit visit) {
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  const auto length = static_cast<utf8proc_ssize_t>(text.size());
  utf8proc_ssize_t offset = 0;
  while (offset < length) {
    utf8proc_int32_t codepoint = -1;
    utf8proc_ssize_t consumed = utf8proc_iterate(bytes + offset, length - offset, &codepoint);
    if (consumed < 0) {
      codepoint = -1;
      consumed = 1;
    }
    if (!visit(static_cast<std::size_t>(offset), static_cast<std::size_t>(consumed), codepoint)) {
      return;
    }
    offset += consumed;
  }
}

}  // namespace

std::string visibleText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  forEachCodePoint(text, [&](std::size_t offset, std::size_t length, std::int32_t codepoint) {
    if (codepoint < 0) {
      appendEscape(out, "\\x%02X", static_cast<unsigned char>(text[offset]));
    } else if (codepoint == '\t') {
      out += "\\t";
    } else if (codepoint == '\n') {
      out += "\\n";
    } else if (codepoint == '\r') {
      out += "\\r";
    } else if (codepoint < 0x20 || codepoint == 0x7F) {
      appendEscape(out, "\\x%02X", static_cast<unsigned>(codepoint));
    } else if (codepoint >= 0x80 && codepoint <= 0x9F) {
      appendEscape(out, "\\u%04X", static_cast<unsigned>(codepoint));
    } else {
      out.append(text.substr(offset, length));
    }
    return true;
  });
  return out;
}

std::size_t firstInvalidUtf8(std::string_view text) {
  std::size_t first = text.size();
  forEachCodePoint(text, [&](std::size_t offset, std::size_t, std::int32_t codepoint) {
    if (codepoint >= 0) return true;
    first = offset;
    return false;
  });
  return first;
}

}  // namespace corvella
