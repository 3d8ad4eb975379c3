#include "core/grids/count_format.h"

#include <array>

namespace corvella {

namespace {

constexpr std::array<std::string_view, 2> countSpecifiers = {"%lld", "%1$lld"};

}  // namespace

std::string formatCount(std::string_view format, std::int64_t count) {
  const std::string number = std::to_string(count);
  std::string text;
  text.reserve(format.size() + number.size());
  std::size_t i = 0;
  while (i < format.size()) {
    if (format[i] != '%') {
      text.push_back(format[i++]);
      continue;
    }
    const std::string_view rest = format.substr(i);
    if (rest.starts_with("%%")) {
      text.push_back('%');
      i += 2;
      continue;
    }
    bool replaced = false;
    for (const std::string_view specifier : countSpecifiers) {
      if (rest.starts_with(specifier)) {
        text += number;
        i += specifier.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) text.push_back(format[i++]);
  }
  return text;
}

}  // namespace corvella
