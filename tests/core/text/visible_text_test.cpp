// Outside texts in the log: control characters and broken bytes come out as
// escapes that show what was there; everything else stays byte for byte.
#include "core/text/visible_text.h"

#include <gtest/gtest.h>

#include <string>

namespace corvella {
namespace {

TEST(VisibleText, ControlCharactersAndBrokenBytesBecomeEscapesAndNothingElseChanges) {
  const struct {
    const char* name;
    std::string text;
    std::string expected;
  } rows[] = {
      {"ordinary title", "Draft — notes.txt (편집됨) \\ C:\\Temp ✍️",
       "Draft — notes.txt (편집됨) \\ C:\\Temp ✍️"},
      {"empty", "", ""},
      {"line feed and carriage return", "a\nb\r\nc", "a\\nb\\r\\nc"},
      {"tab", "a\tb", "a\\tb"},
      {"other C0 and DEL", std::string("\x00\x01\x1f\x7f", 4), "\\x00\\x01\\x1F\\x7F"},
      {"a terminal sequence", "\x1b[2J\x1b]0;owned\x07", "\\x1B[2J\\x1B]0;owned\\x07"},
      {"C1 controls as code points", "a\u0085b\u009bc\u0080\u009f",
       "a\\u0085b\\u009Bc\\u0080\\u009F"},
      {"just past C1 stays", "\u00a0\u00ff", "\u00a0\u00ff"},
      {"bytes that are not UTF-8", "ok\xff\xc3(\x9b", "ok\\xFF\\xC3(\\x9B"},
      {"a truncated sequence at the end", "한\xed\x95", "한\\xED\\x95"},
      {"a forged entry", "Mail\n2026-01-01T00:00:00Z 시작 — 권한=true",
       "Mail\\n2026-01-01T00:00:00Z 시작 — 권한=true"},
  };
  for (const auto& row : rows) EXPECT_EQ(visibleText(row.text), row.expected) << row.name;
}

TEST(VisibleText, TheFirstInvalidByteIsFoundOrTheWholeTextIsValid) {
  EXPECT_EQ(firstInvalidUtf8(""), 0u);
  EXPECT_EQ(firstInvalidUtf8("한국어 ✍️\n"), std::string("한국어 ✍️\n").size());
  EXPECT_EQ(firstInvalidUtf8("ok\xff\xfe"), 2u);
  EXPECT_EQ(firstInvalidUtf8("한\xed\x95"), 3u);  // a sequence cut short
  EXPECT_EQ(firstInvalidUtf8("\xc0\xaf"), 0u);    // an overlong "/"
}

}  // namespace
}  // namespace corvella
