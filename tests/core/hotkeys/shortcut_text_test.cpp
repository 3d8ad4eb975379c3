// Text forms of shortcuts (display string, menu key equivalent, key names),
// the built-in table and the required-modifier rule.
#include <string>

#include <gtest/gtest.h>

#include "core/hotkeys/default_shortcuts.h"
#include "core/hotkeys/shortcut.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_keyboard_layout.h"

namespace corvella {
namespace {

constexpr std::uint64_t control = 0x40000;
constexpr std::uint64_t option = 0x80000;
constexpr std::uint64_t shift = 0x20000;
constexpr std::uint64_t command = 0x100000;

class ShortcutText : public testing::Test {
 protected:
  sim::SimDesktop desktop;
  sim::SimKeyboardLayout layout{desktop};
};

struct TableRow {
  WindowAction action;
  std::uint32_t keyCode;
  std::uint64_t modifiers;
  const char* display;
  const char* keyEquivalent;
};

// The built-in table as the user sees it on a US layout.
const TableRow builtIn[] = {
    {WindowAction::leftHalf, 123, 0x180000, "⌥⌘←", "\uF702"},
    {WindowAction::rightHalf, 124, 0x180000, "⌥⌘→", "\uF703"},
    {WindowAction::topHalf, 126, 0x180000, "⌥⌘↑", "\uF700"},
    {WindowAction::bottomHalf, 125, 0x180000, "⌥⌘↓", "\uF701"},
    {WindowAction::upperLeft, 123, 0x140000, "⌃⌘←", "\uF702"},
    {WindowAction::upperRight, 124, 0x140000, "⌃⌘→", "\uF703"},
    {WindowAction::lowerLeft, 123, 0x160000, "⌃⇧⌘←", "\uF702"},
    {WindowAction::lowerRight, 124, 0x160000, "⌃⇧⌘→", "\uF703"},
    {WindowAction::nextThird, 124, 0xC0000, "⌃⌥→", "\uF703"},
    {WindowAction::previousThird, 123, 0xC0000, "⌃⌥←", "\uF702"},
    {WindowAction::maximize, 3, 0x180000, "⌥⌘F", "f"},
    {WindowAction::center, 8, 0x180000, "⌥⌘C", "c"},
    {WindowAction::larger, 124, 0xE0000, "⌃⌥⇧→", "\uF703"},
    {WindowAction::smaller, 123, 0xE0000, "⌃⌥⇧←", "\uF702"},
    {WindowAction::nextDisplay, 124, 0x1C0000, "⌃⌥⌘→", "\uF703"},
    {WindowAction::previousDisplay, 123, 0x1C0000, "⌃⌥⌘←", "\uF702"},
    {WindowAction::undo, 6, 0x180000, "⌥⌘Z", "z"},
    {WindowAction::redo, 6, 0x1A0000, "⌥⇧⌘Z", "z"},
    {WindowAction::tileAppColumns, 0, 0x180000, "⌥⌘A", "a"},
    {WindowAction::tileAppRows, 0, 0x1A0000, "⌥⇧⌘A", "a"},
};

TEST_F(ShortcutText, BuiltInTableInCatalogueOrderWithItsTextForms) {
  const auto& table = defaultShortcuts();
  ASSERT_EQ(table.size(), std::size(builtIn));
  for (std::size_t i = 0; i < table.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(table[i].action, builtIn[i].action);
    EXPECT_EQ(table[i].action, allWindowActions()[i]);
    EXPECT_EQ(table[i].shortcut, (Shortcut{builtIn[i].keyCode, builtIn[i].modifiers}));
    EXPECT_EQ(displayString(table[i].shortcut, layout), builtIn[i].display);
    EXPECT_EQ(keyEquivalent(table[i].shortcut, layout), builtIn[i].keyEquivalent);
    EXPECT_EQ(defaultShortcut(builtIn[i].action), table[i].shortcut);
  }
}

TEST_F(ShortcutText, UndoAndRedoDifferOnlyByShift) {
  EXPECT_EQ(defaultShortcut(WindowAction::redo), (Shortcut{6, 0x1A0000}));
  EXPECT_EQ(defaultShortcut(WindowAction::undo), (Shortcut{6, 0x1A0000 & ~shift}));
}

struct DisplayCase {
  Shortcut shortcut;
  const char* display;
  const char* keyEquivalent;
};

TEST_F(ShortcutText, DisplayStringsOnTheUSLayout) {
  const DisplayCase cases[] = {
      {{3, 0}, "F", "f"},
      // Glyph order is fixed whatever order the keys went down in.
      {{0, shift | command | option | control}, "⌃⌥⇧⌘A", "a"},
      {{36, command}, "⌘↩", ""},
      {{48, option | shift}, "⌥⇧⇥", ""},
      {{49, control}, "⌃Space", ""},
      {{18, control | option}, "⌃⌥1", "1"},
      {{10, command}, "⌘§", "§"},
      {{42, option}, "⌥\\", "\\"},
      // Keys the layout does not name.
      {{122, command}, "⌘#122", ""},
      {{53, 0}, "#53", ""},
  };
  for (const DisplayCase& c : cases) {
    SCOPED_TRACE(c.display);
    EXPECT_EQ(displayString(c.shortcut, layout), c.display);
    EXPECT_EQ(keyEquivalent(c.shortcut, layout), c.keyEquivalent);
  }
}

TEST_F(ShortcutText, ALayoutThatNamesNoKey) {
  layout.setLayout(sim::SimKeyboardLayout::Layout::none);
  const DisplayCase cases[] = {
      {{3, 0}, "#3", ""},
      {{3, option | command}, "⌥⌘#3", ""},
      {{0, 0x1E0000}, "⌃⌥⇧⌘#0", ""},
      {{49, 0}, "Space", ""},
      {{36, 0}, "↩", ""},
      {{48, 0}, "⇥", ""},
      {{123, 0x180000}, "⌥⌘←", "\uF702"},
      {{126, 0}, "↑", "\uF700"},
  };
  for (const DisplayCase& c : cases) {
    SCOPED_TRACE(c.display);
    EXPECT_EQ(displayString(c.shortcut, layout), c.display);
    EXPECT_EQ(keyEquivalent(c.shortcut, layout), c.keyEquivalent);
  }
}

TEST_F(ShortcutText, KeyNamesKeepTheLayoutsTextUntrimmed) {
  layout.overrideKey(0, std::string(" q "));
  EXPECT_EQ(keyName(0, layout), " q ");
  EXPECT_EQ(displayString({0, command}, layout), "⌘ Q ");
  EXPECT_EQ(keyEquivalent({0, command}, layout), " q ");
}

TEST_F(ShortcutText, WhiteSpaceAndLineBreaksAloneAreNoName) {
  // Space, tab, line feed, carriage return, no-break space, line separator,
  // ideographic space, next line.
  const char* blanks[] = {" ",      "\t",     "\n",     "\r",     "\r\n",
                          "\u00A0", "\u2028", "\u3000", "\u0085", " \t"};
  for (const char* blank : blanks) {
    layout.overrideKey(0, std::string(blank));
    EXPECT_EQ(keyName(0, layout), std::nullopt);
    EXPECT_EQ(displayString({0, command}, layout), "⌘#0");
    EXPECT_EQ(keyEquivalent({0, command}, layout), "");
  }
  layout.overrideKey(0, std::string(""));
  EXPECT_EQ(keyName(0, layout), std::nullopt);
  layout.overrideKey(0, std::nullopt);
  EXPECT_EQ(keyName(0, layout), std::nullopt);
}

TEST_F(ShortcutText, NonAsciiNamesChangeCaseByUnicodeRules) {
  layout.overrideKey(33, std::string("é"));
  layout.overrideKey(41, std::string("ö"));
  layout.overrideKey(27, std::string("ß"));
  layout.overrideKey(12, std::string("й"));
  EXPECT_EQ(displayString({33, command}, layout), "⌘É");
  EXPECT_EQ(displayString({41, option}, layout), "⌥Ö");
  EXPECT_EQ(displayString({27, control}, layout), "⌃SS");
  EXPECT_EQ(displayString({12, control}, layout), "⌃Й");
  EXPECT_EQ(keyEquivalent({33, command}, layout), "é");

  layout.overrideKey(12, std::string("Й"));
  EXPECT_EQ(keyEquivalent({12, command}, layout), "й");
}

TEST_F(ShortcutText, TextThatIsNotUtf8IsNoName) {
  layout.overrideKey(0, std::string("\xC3"));
  EXPECT_EQ(keyName(0, layout), std::nullopt);
  EXPECT_EQ(displayString({0, command}, layout), "⌘#0");
}

TEST_F(ShortcutText, KeyCodesBeyond16BitsAreNeverLookedUp) {
  const std::size_t before = desktop.callCount(sim::SimPort::keyboardLayout);
  EXPECT_EQ(keyName(65536, layout), std::nullopt);
  EXPECT_EQ(displayString({0x10000 + 3, command}, layout), "⌘#65539");
  EXPECT_EQ(keyEquivalent({0x10000 + 3, command}, layout), "");
  EXPECT_EQ(desktop.callCount(sim::SimPort::keyboardLayout), before);

  EXPECT_EQ(keyName(65535, layout), std::nullopt);
  EXPECT_EQ(desktop.callCount(sim::SimPort::keyboardLayout), before + 1);
}

TEST(RequiredModifier, ShiftAloneDoesNotCount) {
  EXPECT_FALSE(hasRequiredModifier(0));
  EXPECT_FALSE(hasRequiredModifier(shift));
  EXPECT_FALSE(hasRequiredModifier(0x10000 | shift));  // caps lock too
  EXPECT_FALSE(hasRequiredModifier(0x800000 | 0x200000));
  EXPECT_TRUE(hasRequiredModifier(control));
  EXPECT_TRUE(hasRequiredModifier(option));
  EXPECT_TRUE(hasRequiredModifier(command));
  EXPECT_TRUE(hasRequiredModifier(shift | command));
}

}  // namespace
}  // namespace corvella
