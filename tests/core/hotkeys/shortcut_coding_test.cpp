// The stored JSON form of a shortcut: key order on encoding, strict decoding.
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "core/hotkeys/default_shortcuts.h"
#include "core/hotkeys/shortcut.h"

namespace corvella {
namespace {

std::optional<Shortcut> decodeText(const std::string& text) {
  return decodeShortcut(nlohmann::json::parse(text));
}

TEST(ShortcutCoding, EncodesKeyCodeThenModifiers) {
  const Shortcut leftHalf{123, 0x180000};
  EXPECT_EQ(encodeShortcut(leftHalf).dump(), R"({"keyCode":123,"modifiers":1572864})");
  EXPECT_EQ(encodeShortcutOrdered(leftHalf).dump(), R"({"keyCode":123,"modifiers":1572864})");
  EXPECT_EQ(encodeShortcutOrdered({18, 0xC0000}).dump(), R"({"keyCode":18,"modifiers":786432})");
}

TEST(ShortcutCoding, RoundTripsEveryBuiltInShortcut) {
  for (const ActionShortcut& row : defaultShortcuts()) {
    EXPECT_EQ(decodeShortcut(encodeShortcut(row.shortcut)), row.shortcut);
    EXPECT_EQ(decodeShortcut(encodeShortcutOrdered(row.shortcut)), row.shortcut);
  }
}

TEST(ShortcutCoding, CapsLockIsDroppedAndTheResultIsMaximize) {
  // 1638400 = 0x190000: command, option and caps lock.
  const std::optional<Shortcut> decoded = decodeText(R"({"keyCode":3,"modifiers":1638400})");
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->modifiers, 0x180000u);
  EXPECT_EQ(decoded, defaultShortcut(WindowAction::maximize));
}

struct AcceptedCase {
  const char* document;
  Shortcut expected;
};

class ShortcutDecodingAccepts : public testing::TestWithParam<AcceptedCase> {};

TEST_P(ShortcutDecodingAccepts, Document) {
  EXPECT_EQ(decodeText(GetParam().document), GetParam().expected) << GetParam().document;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ShortcutDecodingAccepts,
    testing::Values(
        AcceptedCase{R"({"keyCode":123,"modifiers":1572864})", {123, 0x180000}},
        AcceptedCase{R"({"modifiers":1572864,"keyCode":123})", {123, 0x180000}},
        AcceptedCase{R"({"keyCode":0,"modifiers":0})", {0, 0}},
        AcceptedCase{R"({"keyCode":4294967295,"modifiers":0})", {4294967295u, 0}},
        // All 64 bits set: only control, option, shift and command survive.
        AcceptedCase{R"({"keyCode":6,"modifiers":18446744073709551615})", {6, 0x1E0000}},
        // 0xAC0007: function, numeric pad, option, control and device bits;
        // only option and control are kept.
        AcceptedCase{R"({"keyCode":124,"modifiers":11272199})", {124, 0xC0000}},
        // Keys this version does not know are ignored.
        AcceptedCase{R"({"keyCode":8,"modifiers":1572864,"label":"center"})", {8, 0x180000}}));

class ShortcutDecodingRefuses : public testing::TestWithParam<const char*> {};

TEST_P(ShortcutDecodingRefuses, Document) {
  EXPECT_EQ(decodeText(GetParam()), std::nullopt) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Documents, ShortcutDecodingRefuses,
                         testing::Values(
                             // Missing keys.
                             R"({"keyCode":3})", R"({"modifiers":1572864})", R"({})",
                             // Wrong kinds.
                             R"({"keyCode":3.0,"modifiers":0})", R"({"keyCode":3,"modifiers":0.0})",
                             R"({"keyCode":"3","modifiers":0})", R"({"keyCode":3,"modifiers":"0"})",
                             R"({"keyCode":true,"modifiers":0})",
                             R"({"keyCode":null,"modifiers":0})",
                             R"({"keyCode":3,"modifiers":null})",
                             R"({"keyCode":[3],"modifiers":0})", R"({"keyCode":3,"modifiers":{}})",
                             // Out of range.
                             R"({"keyCode":-1,"modifiers":0})", R"({"keyCode":3,"modifiers":-1})",
                             R"({"keyCode":4294967296,"modifiers":0})",
                             R"({"keyCode":3,"modifiers":18446744073709551616})",
                             R"({"keyCode":3,"modifiers":1e6})",
                             // Not an object.
                             R"([3,1572864])", R"("3")", R"(null)", R"(3)"));

TEST(ShortcutCoding, DecodesValuesBuiltInMemoryAsSignedIntegers) {
  // Integers assigned from signed C++ values are held as signed by nlohmann.
  const nlohmann::json built = {{"keyCode", 18}, {"modifiers", 0xC0000}};
  EXPECT_EQ(decodeShortcut(built), (Shortcut{18, 0xC0000}));
  const nlohmann::json negative = {{"keyCode", 18}, {"modifiers", -0xC0000}};
  EXPECT_EQ(decodeShortcut(negative), std::nullopt);
}

TEST(ShortcutCoding, DecodesOrderedDocumentsLikeSortedOnes) {
  const auto ordered = nlohmann::ordered_json::parse(R"({"modifiers":786432,"keyCode":18})");
  EXPECT_EQ(decodeShortcut(ordered), (Shortcut{18, 0xC0000}));
  EXPECT_EQ(decodeShortcut(nlohmann::ordered_json::parse(R"({"keyCode":18})")), std::nullopt);
}

}  // namespace
}  // namespace corvella
