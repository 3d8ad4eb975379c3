#include "platform/xdg/locale_localizer.h"

namespace corvella::xdg {

std::string messagesLanguage(const EnvironmentReader& environment) {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const std::optional<std::string> value = environment(variable);
    if (!value || value->empty()) continue;
    // language[_territory][.codeset][@modifier]
    std::string language = value->substr(0, value->find_first_of("_.@"));
    if (language == "C" || language == "POSIX") return {};
    return language;
  }
  return {};
}

LocaleLocalizer::LocaleLocalizer(std::string_view language,
                                 std::span<const EmbeddedStringsFile> files) {
  for (const EmbeddedStringsFile& file : files) {
    if (language.empty() || file.language != language) continue;
    // The built-in tables are checked by the tests; one that does not parse
    // leaves the English texts.
    if (auto table = parseStringsFile(file.text)) table_ = std::move(*table);
  }
}

LocaleLocalizer LocaleLocalizer::forProcess() {
  return LocaleLocalizer(messagesLanguage(processEnvironment), embeddedStringsFiles());
}

std::string LocaleLocalizer::localized(std::string_view englishText) {
  const auto found = table_.find(englishText);
  return found == table_.end() ? std::string(englishText) : found->second;
}

}  // namespace corvella::xdg
