#include "core/text/visible_text.h"

#include <utf8proc.h>

#include <cstdio>

namespace corvella {
namespace {

void appendEscape(std::string& out, const char* format, unsigned value) {
  char escape[8];
  std::snprintf(escape, sizeof escape, format, value);
  out += escape;
}

}  // namespace

std::string visibleText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  const auto length = static_cast<utf8proc_ssize_t>(text.size());
  utf8proc_ssize_t offset = 0;
  while (offset < length) {
    utf8proc_int32_t codepoint = -1;
    const utf8proc_ssize_t consumed = utf8proc_iterate(bytes + offset, length - offset, &codepoint);
    if (consumed < 0) {
      appendEscape(out, "\\x%02X", bytes[offset]);
      offset += 1;
      continue;
    }
    if (codepoint == '\t') {
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
      out.append(text.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(consumed)));
    }
    offset += consumed;
  }
  return out;
}

}  // namespace corvella
