// The texts of one language as the macOS shell keeps them (a
// Localizable.strings file: "English text" = "translation"; with C
// comments), read so that Linux shows the same translations.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace corvella::xdg {

using StringsTable = std::map<std::string, std::string, std::less<>>;

// Every entry of the file; absent when the file is not well formed (the
// offending position goes to *error). Escapes: \" \\ \n \t \r and \uXXXX or
// \UXXXX (a UTF-16 unit, surrogate pairs joined).
std::optional<StringsTable> parseStringsFile(std::string_view text, std::string* error = nullptr);

}  // namespace corvella::xdg
