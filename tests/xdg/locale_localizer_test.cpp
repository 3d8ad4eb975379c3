// The macOS shell's translation tables, built into the program and chosen by the messages locale.
#include "platform/xdg/locale_localizer.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/environment.h"

namespace corvella::xdg {
namespace {

using testing_support::environmentOf;

TEST(MessagesLanguage, LcAllThenLcMessagesThenLangLanguagePartOnly) {
  const std::pair<testing_support::Variables, const char*> rows[] = {
      {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "ko_KR.UTF-8"}}, "ko"},
      {{{"LC_ALL", "en_GB.UTF-8"}, {"LC_MESSAGES", "ko_KR.UTF-8"}, {"LANG", "ko"}}, "en"},
      {{{"LC_ALL", ""}, {"LANG", "ko@cjknarrow"}}, "ko"},  // empty counts as unset
      {{{"LC_ALL", "POSIX"}, {"LANG", "ko_KR.UTF-8"}}, ""},
      {{}, ""},
  };
  for (const auto& [variables, language] : rows) {
    EXPECT_EQ(messagesLanguage(environmentOf(variables)), language)
        << testing::PrintToString(variables);
  }
}

TEST(StringsFile, EntriesCommentsAndEscapesAndMalformedFilesRefusedWithThePlace) {
  const auto table = parseStringsFile(R"(/* a comment "not" = "an entry"; */
// a line comment
"Plain" = "Simple";
  "Quote \" and \\ back" = "Line\nbreak\tand \"quotes\"" ;
"Escaped \u00D7" = "\U00e9t\u00E9 \uD83D\uDE00";
"Same" = "first";
"Same" = "last";
)");
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ(*table, (StringsTable{{"Plain", "Simple"},
                                  {"Quote \" and \\ back", "Line\nbreak\tand \"quotes\""},
                                  {"Escaped ×", "été 😀"},
                                  {"Same", "last"}}));
  // Malformed files are refused with the place.
  const std::pair<const char*, const char*> rows[] = {
      {R"("a" = "b")", "malformed entry at byte 0"},  // no semicolon
      {"\"a\" = \"b\";\n\"c = \"d\";", "malformed entry at byte 11"},
      {R"("a" = "unterminated;)", "malformed entry at byte 0"},
      {R"("a" = "\u12";)", "malformed entry at byte 0"},     // short escape
      {R"("a" = "\uDC00";)", "malformed entry at byte 0"},   // a lone low surrogate
      {R"("a" = "\uD800x";)", "malformed entry at byte 0"},  // a high one without its pair
  };
  for (const auto& [text, place] : rows) {
    std::string error;
    EXPECT_FALSE(parseStringsFile(text, &error).has_value()) << text;
    EXPECT_EQ(error, place) << text;
  }
  EXPECT_EQ(parseStringsFile("/* only a comment that never ends"), StringsTable{});
}

TEST(BuiltInTables, EveryLanguageParsesAndTranslatesEveryEnglishText) {
  StringsTable english;
  for (const EmbeddedStringsFile& file : embeddedStringsFiles()) {
    if (file.language == "en") english = parseStringsFile(file.text).value_or(StringsTable{});
  }
  ASSERT_FALSE(english.empty());
  for (const auto& [key, text] : english) EXPECT_EQ(key, text) << "the English table is its keys";
  for (const EmbeddedStringsFile& file : embeddedStringsFiles()) {
    std::string error;
    const auto table = parseStringsFile(file.text, &error);
    ASSERT_TRUE(table.has_value()) << file.language << ": " << error;
    for (const auto& [key, text] : english) {
      EXPECT_TRUE(table->contains(key)) << file.language << " lacks \"" << key << "\"";
    }
  }
}

TEST(LocaleLocalizer, KoreanFromTheBuiltInTableAndEnglishOtherwise) {
  LocaleLocalizer korean("ko", embeddedStringsFiles());
  EXPECT_EQ(korean.localized("%lld-way Split"), "%lld칸 분할");
  EXPECT_EQ(LocaleLocalizer("fr", embeddedStringsFiles()).localized("Left Half"), "Left Half");
}

}  // namespace
}  // namespace corvella::xdg
