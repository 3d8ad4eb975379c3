#include "core/text/grapheme_prefix.h"

#include <gtest/gtest.h>

#include <string>

namespace corvella {
namespace {

std::string repeat(std::string_view piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// Each row: the text, the limit and the expected prefix, worked out by hand
// from the grapheme cluster rules.
struct Row {
  const char* name;
  std::string text;
  std::size_t limit;
  std::string expected;
};

TEST(GraphemePrefix, CutsAfterUserPerceivedCharacters) {
  const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466";
  const std::string rainbowFlag = "\U0001F3F3\uFE0F\u200D\U0001F308";
  const std::string korea = "\U0001F1F0\U0001F1F7";
  const std::string japan = "\U0001F1EF\U0001F1F5";
  const std::string thumbsUpMedium = "\U0001F44D\U0001F3FD";
  const std::string eAcute = "e\u0301";
  const std::string hanJamo = "\u1112\u1161\u11AB";  // one syllable from three jamo

  const Row rows[] = {
      {"short text stays", "Draft", 40, "Draft"},
      {"exactly forty", repeat("a", 40), 40, repeat("a", 40)},
      {"forty-one", repeat("a", 41), 40, repeat("a", 40)},
      {"zero", "abc", 0, ""},
      {"empty", "", 40, ""},
      {"family sequence is one", repeat("a", 39) + family + "b", 40, repeat("a", 39) + family},
      {"family at the cut is kept whole", repeat("a", 40) + family, 40, repeat("a", 40)},
      {"ZWJ flag", rainbowFlag + "x", 1, rainbowFlag},
      {"flags pair up", korea + japan + korea, 2, korea + japan},
      {"odd regional indicator", korea + "\U0001F1FA", 1, korea},
      {"skin tone", thumbsUpMedium + thumbsUpMedium, 1, thumbsUpMedium},
      {"combining mark", repeat(eAcute, 41), 40, repeat(eAcute, 40)},
      {"stacked marks", "a\u0301\u0323\u0308b", 1, "a\u0301\u0323\u0308"},
      {"hangul syllables", "편집기 창", 3, "편집기"},
      {"hangul jamo", hanJamo + hanJamo, 1, hanJamo},
      {"crlf is one", "\r\nx", 1, "\r\n"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(graphemePrefix(row.text, row.limit), row.expected) << row.name;
  }
}

TEST(GraphemePrefix, InvalidBytesBecomeReplacementCharacters) {
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
}

}  // namespace
}  // namespace corvella
