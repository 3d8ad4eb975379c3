#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "core/hotkeys/default_shortcuts.h"
#include "core/hotkeys/linux_shortcut_text.h"
#include "core/hotkeys/shortcut.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

constexpr std::uint64_t capsLock = 0x10000, shift = 0x20000, control = 0x40000, option = 0x80000,
                        command = 0x100000;

std::optional<Shortcut> decodeText(const char* text) {
  return decodeShortcut(nlohmann::json::parse(text));
}

TEST(ShortcutCoding, EncodesKeyCodeThenModifiersAndDecodesOnlyWhatFits) {
  EXPECT_EQ(encodeShortcut({123, 0x180000}).dump(), R"({"keyCode":123,"modifiers":1572864})");
  EXPECT_EQ(encodeShortcutOrdered({18, 0xC0000}).dump(), R"({"keyCode":18,"modifiers":786432})");
  // Decoding accepts non-negative integers in any order and masks the modifiers.
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
  // Missing keys, wrong kinds and values out of range are refused.
  const char* refused[] = {R"({"keyCode":3})",
                           R"({"modifiers":1572864})",
                           R"([3,1572864])",
                           R"({"keyCode":3.0,"modifiers":0})",
                           R"({"keyCode":3,"modifiers":0.0})",
                           R"({"keyCode":"3","modifiers":0})",
                           R"({"keyCode":3,"modifiers":[0]})",
                           R"({"keyCode":-1,"modifiers":0})",
                           R"({"keyCode":3,"modifiers":-1})",
                           R"({"keyCode":4294967296,"modifiers":0})",
                           R"({"keyCode":3,"modifiers":18446744073709551616})"};
  for (const char* text : refused) EXPECT_EQ(decodeText(text), std::nullopt) << text;
  EXPECT_EQ(decodeShortcut(nlohmann::json{{"keyCode", 18}, {"modifiers", -1}}), std::nullopt);
}

struct TextCase {
  Shortcut shortcut;
  const char* display;
  const char* keyEquivalent;
};

class ShortcutText : public testing::Test {
 protected:
  void expectTexts(const std::vector<TextCase>& cases) {
    for (const TextCase& c : cases) {
      EXPECT_EQ(displayString(c.shortcut, layout), c.display) << c.shortcut.keyCode;
      EXPECT_EQ(keyEquivalent(c.shortcut, layout), c.keyEquivalent) << c.shortcut.keyCode;
    }
  }
  sim::SimDesktop desktop;
  sim::SimKeyboardLayout layout{desktop};
};

TEST_F(ShortcutText, ModifiersInMenuOrderThenTheKeyByItsNameAndBlankOrInvalidTextIsNoName) {
  expectTexts({
      {{123, option | command}, "⌥⌘←", "\uF702"},
      {{124, control | shift | command}, "⌃⇧⌘→", "\uF703"},
      {{126, control | option}, "⌃⌥↑", "\uF700"},
      {{125, control | option | command}, "⌃⌥⌘↓", "\uF701"},
      {{3, 0}, "F", "f"},
      {{0, shift | command | option | control}, "⌃⌥⇧⌘A", "a"},
      {{36, command}, "⌘↩", ""},  // Return, Tab and Space are named by white space only
      {{48, option | shift}, "⌥⇧⇥", ""},
      {{49, control}, "⌃Space", ""},
      {{122, command}, "⌘#122", ""},        // F1: the layout gives no text
      {{0x10003, command}, "⌘#65539", ""},  // beyond 16 bits: never asked
  });
  layout.overrideKey(0, std::string(" q "));
  layout.overrideKey(33, std::string("é"));
  layout.overrideKey(27, std::string("ß"));
  layout.overrideKey(12, std::string("Й"));
  EXPECT_EQ(keyName(0, layout), " q ");
  expectTexts({{{0, command}, "⌘ Q ", " q "},
               {{33, command}, "⌘É", "é"},
               {{27, control}, "⌃SS", "ß"},
               {{12, option}, "⌥Й", "й"}});
  // Tab, CR LF, no-break space, line separator, next line; a lone lead byte.
  for (const char* blank : {"\t", "\r\n", "\u00A0", "\u2028", "\u0085", "\xC3"}) {
    layout.overrideKey(0, std::string(blank));
    EXPECT_EQ(keyName(0, layout), std::nullopt);
    expectTexts({{{0, command}, "⌘#0", ""}});
  }
  layout.setLayout(sim::SimKeyboardLayout::Layout::none);
  expectTexts({{{3, option | command}, "⌥⌘#3", ""}, {{49, 0}, "Space", ""}, {{36, 0}, "↩", ""}});
}

// The rows of the page's ACTIONS table: "name<TAB>shortcut<TAB>what it does".
std::vector<std::pair<std::string, std::string>> actionRows() {
  const auto page = std::filesystem::path(__FILE__).parent_path() / "../../../doc/corvella.1";
  std::ifstream stream(page);
  EXPECT_TRUE(stream.is_open()) << page;
  std::vector<std::pair<std::string, std::string>> rows;
  bool inTable = false;
  for (std::string line; std::getline(stream, line);) {
    if (line == ".SH ACTIONS") inTable = true;
    if (!inTable) continue;
    if (line == ".TE") break;
    const auto first = line.find('\t');
    if (first == std::string::npos || line[0] == '.') continue;
    const auto second = line.find('\t', first + 1);
    rows.emplace_back(line.substr(0, first), line.substr(first + 1, second - first - 1));
  }
  return rows;
}

class LinuxShortcutTextTest : public ::testing::Test {
 protected:
  std::string text(std::uint32_t keyCode, std::uint64_t modifiers) {
    return linuxShortcutText(Shortcut{keyCode, modifiers}, platform.keyboardLayout);
  }
  sim::SimPlatform platform;
};

TEST_F(LinuxShortcutTextTest, ModifiersComeInOneOrderKeysByTheirNamesAndTheCharacterByTheLayout) {
  // The manual page's ACTIONS table lists every action with its shortcut, in order,
  // on the US layout.
  const auto rows = actionRows();
  EXPECT_EQ(rows.size(), defaultShortcuts().size());
  for (std::size_t i = 0; i < std::min(rows.size(), defaultShortcuts().size()); ++i) {
    const ActionShortcut& row = defaultShortcuts()[i];
    EXPECT_EQ(rows[i].first, rawValue(row.action));
    EXPECT_EQ(rows[i].second, text(row.shortcut.keyCode, row.shortcut.modifiers)) << rows[i].first;
  }
  EXPECT_EQ(text(0, control | option | shift | command), "Ctrl+Alt+Shift+Super+A");
  EXPECT_EQ(text(0, command | shift | option | control | capsLock), "Ctrl+Alt+Shift+Super+A");
  EXPECT_EQ(text(3, 0), "F");
  EXPECT_EQ(text(18, control | option), "Ctrl+Alt+1");
  EXPECT_EQ(text(43, command), "Super+,");
  const std::pair<std::uint32_t, const char*> named[] = {
      {36, "Return"},      {48, "Tab"},       {49, "Space"},    {51, "BackSpace"}, {53, "Escape"},
      {117, "Delete"},     {115, "Home"},     {116, "Page_Up"}, {125, "Down"},     {122, "F1"},
      {97, "F6"},          {109, "F10"},      {111, "F12"},     {79, "F18"},       {90, "F20"},
      {82, "KP_0"},        {85, "KP_3"},      {89, "KP_7"},     {92, "KP_9"},      {76, "KP_Enter"},
      {78, "KP_Subtract"}, {65, "KP_Decimal"}};
  for (const auto& [keyCode, name] : named) {
    EXPECT_EQ(text(keyCode, control), std::string("Ctrl+") + name) << keyCode;
  }
  platform.keyboardLayout.overrideKey(0, "q");  // French: the A key types q
  platform.keyboardLayout.overrideKey(12, "ä");
  EXPECT_EQ(text(0, option | command), "Alt+Super+Q");
  EXPECT_EQ(text(12, control), "Ctrl+Ä");
  EXPECT_EQ(text(105, command), "Super+F13");  // named even without a layout name
  EXPECT_EQ(text(200, command), "Super+#200");
  platform.keyboardLayout.setLayout(sim::SimKeyboardLayout::Layout::none);
  EXPECT_EQ(text(3, option), "Alt+#3");
  EXPECT_EQ(text(124, option), "Alt+Right");
}

}  // namespace
}  // namespace corvella
