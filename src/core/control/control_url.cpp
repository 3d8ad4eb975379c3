#include "core/control/control_url.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvella {
namespace {

using Parameters = std::vector<std::pair<std::string, std::string>>;

ParsedRequest refuse(std::string message) {
  return ParsedRequest{std::nullopt, std::move(message)};
}

char lowerASCII(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerASCII(a[i]) != lowerASCII(b[i])) return false;
  }
  return true;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = lowerASCII(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The text with each %HH replaced by its byte; absent on a broken escape.
std::optional<std::string> percentDecoded(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      decoded += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = hexDigit(text[i + 1]);
    const int low = hexDigit(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    decoded += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return decoded;
}

// "a=1&b=2" as decoded pairs; a name without "=" has the empty value.
std::optional<Parameters> parameters(std::string_view query) {
  Parameters result;
  while (!query.empty()) {
    const auto end = query.find('&');
    const std::string_view pair = query.substr(0, end);
    query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
    if (pair.empty()) continue;
    const auto equals = pair.find('=');
    auto name = percentDecoded(pair.substr(0, equals));
    auto value = percentDecoded(equals == std::string_view::npos ? std::string_view()
                                                                 : pair.substr(equals + 1));
    if (!name || !value) return std::nullopt;
    result.emplace_back(std::move(*name), std::move(*value));
  }
  return result;
}

// The value of a parameter the request uses: absent when it is not there;
// error set when it is there more than once (which one was meant?).
struct Lookup {
  std::optional<std::string> value;
  std::string error;
};

Lookup lookup(const Parameters& given, std::string_view name) {
  Lookup found;
  for (const auto& [key, value] : given) {
    if (key != name) continue;
    if (found.value) return {std::nullopt, "\"" + std::string(name) + "\" is given twice"};
    found.value = value;
  }
  return found;
}

ParsedRequest runLink(const Parameters& given) {
  const Lookup action = lookup(given, "action");
  if (!action.error.empty()) return refuse(action.error);
  if (!action.value) return refuse("run needs an action, e.g. corvella://run?action=leftHalf");
  return runRequestFor(*action.value);
}

ParsedRequest gridLink(const Parameters& given) {
  const Lookup size = lookup(given, "size");
  const Lookup id = lookup(given, "id");
  if (!size.error.empty()) return refuse(size.error);
  if (!id.error.empty()) return refuse(id.error);
  if (size.value && id.value) return refuse("grid takes a size or a layout identifier, not both");
  if (size.value) return gridSizeRequestFor(*size.value);
  if (id.value) return gridLayoutRequestFor(*id.value);
  return refuse("grid needs a size or a layout identifier, e.g. corvella://grid?size=3x2");
}

}  // namespace

ParsedRequest parseControlURL(std::string_view url) {
  if (url.size() >= maxRequestBytes) {
    return refuse("link longer than " + std::to_string(maxRequestBytes) + " bytes");
  }
  const std::string_view separator = "://";
  const std::size_t schemeEnd = controlURLScheme.size();
  if (url.size() < schemeEnd + separator.size() ||
      !equalIgnoringCase(url.substr(0, schemeEnd), controlURLScheme) ||
      url.substr(schemeEnd, separator.size()) != separator) {
    return refuse("not a corvella:// link: \"" + quotedForAnswer(url) + "\"");
  }
  std::string_view rest = url.substr(schemeEnd + separator.size());
  rest = rest.substr(0, rest.find('#'));
  const auto question = rest.find('?');
  std::string_view name = rest.substr(0, question);
  const std::string_view query =
      question == std::string_view::npos ? std::string_view() : rest.substr(question + 1);
  if (!name.empty() && name.back() == '/') name.remove_suffix(1);

  const auto given = parameters(query);
  if (!given) return refuse("malformed link: a % not followed by two hexadecimal digits");
  if (equalIgnoringCase(name, "run")) return runLink(*given);
  if (equalIgnoringCase(name, "grid")) return gridLink(*given);
  if (equalIgnoringCase(name, "settings")) return {SettingsRequest{}, {}};
  return refuse("unknown link \"" + quotedForAnswer(url) +
                "\" (corvella://run, corvella://grid and corvella://settings are links)");
}

}  // namespace corvella
