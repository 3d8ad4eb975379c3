// Outside texts on their way into the log: cut, then escaped.
#include <gtest/gtest.h>

#include "core/text/grapheme_prefix.h"
#include "core/text/visible_text.h"

namespace corvella {
namespace {

std::string repeat(std::string_view piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(GraphemePrefix, CutsAfterUserPerceivedCharactersThenControlsAndBrokenBytesBecomeEscapes) {
  const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466";
  const std::string korea = "\U0001F1F0\U0001F1F7";
  const std::string japan = "\U0001F1EF\U0001F1F5";
  const std::string eAcute = "e\u0301";
  const std::string hanJamo = "\u1112\u1161\u11AB";  // one syllable from three jamo

  // The text, the limit and the prefix, worked out by hand from the grapheme cluster rules.
  const std::tuple<const char*, std::string, std::size_t, std::string> rows[] = {
      {"zero", "abc", 0, ""},
      {"family sequence is one", repeat("a", 39) + family + "b", 40, repeat("a", 39) + family},
      {"family at the cut is kept whole", repeat("a", 40) + family, 40, repeat("a", 40)},
      {"flags pair up", korea + japan + korea, 2, korea + japan},
      {"combining mark", repeat(eAcute, 41), 40, repeat(eAcute, 40)},
      {"hangul jamo", hanJamo + hanJamo, 1, hanJamo},
      {"crlf is one", "\r\nx", 1, "\r\n"},
  };
  for (const auto& [name, text, limit, expected] : rows) {
    EXPECT_EQ(graphemePrefix(text, limit), expected) << name;
  }
  // Invalid bytes become replacement characters.
  EXPECT_EQ(graphemePrefix("a\xFF"
                           "b",
                           40),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(graphemePrefix("\xC3(xyz", 2), "\xEF\xBF\xBD(");
  // After a bad byte the characters pair up afresh: a flag stays whole.
  EXPECT_EQ(graphemePrefix("\xFF\U0001F1F0\U0001F1F7!", 2), "\xEF\xBF\xBD\U0001F1F0\U0001F1F7");
  // A truncated sequence at the end.
  EXPECT_EQ(graphemePrefix("ab\xE2\x82", 40), "ab\xEF\xBF\xBD\xEF\xBF\xBD");
  const std::tuple<const char*, std::string, std::string> escapes[] = {
      {"ordinary title", "Draft — notes.txt (편집됨) \\ C:\\Temp ✍️",
       "Draft — notes.txt (편집됨) \\ C:\\Temp ✍️"},
      {"line feed, carriage return and tab", "a\nb\r\nc\t", "a\\nb\\r\\nc\\t"},
      {"other C0 and DEL", std::string("\x00\x01\x1f\x7f", 4), "\\x00\\x01\\x1F\\x7F"},
      {"a terminal sequence", "\x1b[2J\x1b]0;owned\x07", "\\x1B[2J\\x1B]0;owned\\x07"},
      {"C1 controls as code points", "a\u0085b\u009bc\u0080\u009f",
       "a\\u0085b\\u009Bc\\u0080\\u009F"},
      {"just past C1 stays", "\u00a0\u00ff", "\u00a0\u00ff"},
      {"bytes that are not UTF-8", "ok\xff\xc3(\x9b", "ok\\xFF\\xC3(\\x9B"},
      {"a truncated sequence at the end", "한\xed\x95", "한\\xED\\x95"},
  };
  for (const auto& [name, text, expected] : escapes) EXPECT_EQ(visibleText(text), expected) << name;
  EXPECT_EQ(firstInvalidUtf8(""), 0u);
  EXPECT_EQ(firstInvalidUtf8("한국어 ✍️\n"), std::string("한국어 ✍️\n").size());
  EXPECT_EQ(firstInvalidUtf8(std::string_view("a\0b", 3)), 3u);  // NUL is valid UTF-8
  EXPECT_EQ(firstInvalidUtf8("ok\xff\xfe"), 2u);
  EXPECT_EQ(firstInvalidUtf8("한\xed\x95"), 3u);  // a sequence cut short
  EXPECT_EQ(firstInvalidUtf8("\xc0\xaf"), 0u);    // an overlong "/"
}

}  // namespace
}  // namespace corvella
