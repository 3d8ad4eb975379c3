// The stored JSON form of a shortcut: key order on encoding, strict decoding.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "core/hotkeys/default_shortcuts.h"
#include "core/hotkeys/shortcut.h"

namespace corvella {
namespace {

std::optional<Shortcut> decodeText(const char* text) {
  return decodeShortcut(nlohmann::json::parse(text));
}

TEST(ShortcutCoding, EncodesKeyCodeThenModifiers) {
  EXPECT_EQ(encodeShortcut({123, 0x180000}).dump(), R"({"keyCode":123,"modifiers":1572864})");
  EXPECT_EQ(encodeShortcutOrdered({18, 0xC0000}).dump(), R"({"keyCode":18,"modifiers":786432})");
}

TEST(ShortcutCoding, AcceptsNonNegativeIntegersInAnyOrderAndMasksTheModifiers) {
  const std::pair<const char*, Shortcut> cases[] = {
      {R"({"modifiers":1572864,"keyCode":123})", {123, 0x180000}},
      {R"({"keyCode":4294967295,"modifiers":0})", {4294967295u, 0}},
      // All 64 bits set: only control, option, shift and command survive.
      {R"({"keyCode":6,"modifiers":18446744073709551615})", {6, 0x1E0000}},
      // 0xAC0007: function, numeric pad, option, control, device bits.
      {R"({"keyCode":124,"modifiers":11272199})", {124, 0xC0000}},
      // Keys this version does not know are ignored.
      {R"({"keyCode":8,"modifiers":1572864,"label":"center"})", {8, 0x180000}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(decodeText(text), expected) << text;
  // 1638400 = 0x190000: command, option and caps lock, stored as maximize's.
  EXPECT_EQ(decodeText(R"({"keyCode":3,"modifiers":1638400})"),
            defaultShortcut(WindowAction::maximize));
  // Key order of an ordered document, and integers held as signed.
  EXPECT_EQ(decodeShortcut(nlohmann::ordered_json::parse(R"({"modifiers":786432,"keyCode":18})")),
            (Shortcut{18, 0xC0000}));
  EXPECT_EQ(decodeShortcut(nlohmann::json{{"keyCode", 18}, {"modifiers", 0xC0000}}),
            (Shortcut{18, 0xC0000}));
}

TEST(ShortcutCoding, RefusesMissingKeysWrongKindsAndValuesOutOfRange) {
  const char* refused[] = {R"({"keyCode":3})",
                           R"({"modifiers":1572864})",
                           R"({})",
                           R"({"keyCode":3.0,"modifiers":0})",
                           R"({"keyCode":3,"modifiers":0.0})",
                           R"({"keyCode":"3","modifiers":0})",
                           R"({"keyCode":true,"modifiers":0})",
                           R"({"keyCode":null,"modifiers":0})",
                           R"({"keyCode":3,"modifiers":[0]})",
                           R"({"keyCode":-1,"modifiers":0})",
                           R"({"keyCode":3,"modifiers":-1})",
                           R"({"keyCode":4294967296,"modifiers":0})",
                           R"({"keyCode":3,"modifiers":18446744073709551616})",
                           R"([3,1572864])",
                           R"(null)"};
  for (const char* text : refused) EXPECT_EQ(decodeText(text), std::nullopt) << text;
  EXPECT_EQ(decodeShortcut(nlohmann::json{{"keyCode", 18}, {"modifiers", -1}}), std::nullopt);
}

}  // namespace
}  // namespace corvella
