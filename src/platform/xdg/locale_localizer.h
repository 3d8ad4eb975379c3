// LocaleLocalizer: the Localizer port on Linux. Texts come in the language of
// the user's messages locale (LC_ALL, else LC_MESSAGES, else LANG), from the
// same tables the macOS shell ships, built into the program; a language
// without a table, or a text without a translation, shows the English text.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/ports/localizer.h"
#include "platform/xdg/strings_file.h"
#include "platform/xdg/xdg_environment.h"

namespace corvella::xdg {

// One language's Localizable.strings, as built into the program.
struct EmbeddedStringsFile {
  std::string_view language;  // "en", "ko"
  std::string_view text;
};

// Every table found at build time (generated from the macOS shell's resources).
std::span<const EmbeddedStringsFile> embeddedStringsFiles();

// The language part of the messages locale: "ko" for "ko_KR.UTF-8"; empty
// for "C", "POSIX" or nothing set.
std::string messagesLanguage(const EnvironmentReader& environment);

class LocaleLocalizer final : public Localizer {
 public:
  LocaleLocalizer(std::string_view language, std::span<const EmbeddedStringsFile> files);
  // The process's locale and the built-in tables.
  static LocaleLocalizer forProcess();

  std::string localized(std::string_view englishText) override;

 private:
  StringsTable table_;
};

}  // namespace corvella::xdg
