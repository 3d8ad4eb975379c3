// The shortcut recorder's model, typed at through the simulated key-event
// monitor, writing into a real grid layout store.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/shortcut_recorder.h"
#include "platform/sim/sim_defaults.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_key_event_monitor.h"
#include "platform/sim/sim_keyboard_layout.h"
#include "platform/sim/sim_localizer.h"

namespace corvella {
namespace {

constexpr std::uint64_t capsLock = 0x10000;
constexpr std::uint64_t shift = 0x20000;
constexpr std::uint64_t control = 0x40000;
constexpr std::uint64_t option = 0x80000;
constexpr std::uint64_t command = 0x100000;

constexpr std::uint16_t keyA = 0;
constexpr std::uint16_t key1 = 18;
constexpr std::uint16_t key2 = 19;
constexpr std::uint16_t leftArrow = 123;

const UUID first = *UUID::parse("AAAAAAAA-0000-4000-8000-000000000001");
const UUID second = *UUID::parse("BBBBBBBB-0000-4000-8000-000000000002");

const std::string requiredModifier = "Use with at least one of ⌘, ⌥ or ⌃.";

class ShortcutRecorderTest : public testing::Test {
 protected:
  ShortcutRecorderTest() {
    store.setLayouts({{first, 3, 2, std::nullopt}, {second, 4, 2, std::nullopt}});
    store.onChange = [this] { events.push_back("change"); };
  }

  // A recorder for a layout, as a grid row builds it.
  std::unique_ptr<ShortcutRecorder> recorderFor(const UUID& owner) {
    Binding<std::optional<Shortcut>> shortcut{
        [this, owner] { return store.layoutWithID(owner)->shortcut; },
        [this, owner](std::optional<Shortcut> value) {
          std::vector<GridLayout> layouts = store.layouts();
          for (GridLayout& layout : layouts) {
            if (layout.id == owner) layout.shortcut = value;
          }
          store.setLayouts(std::move(layouts));
        }};
    Binding<std::optional<std::string>> messageBinding{
        [this] { return message; }, [this](std::optional<std::string> value) { message = value; }};
    return std::make_unique<ShortcutRecorder>(
        std::move(shortcut), std::move(messageBinding), owner,
        [this](bool paused) { events.push_back(paused ? "pause" : "resume"); },
        ShortcutRecorder::Dependencies{store, monitor, keyboardLayout, localizer});
  }

  std::optional<Shortcut> shortcutOf(const UUID& id) { return store.layoutWithID(id)->shortcut; }
  void setShortcut(const UUID& id, Shortcut shortcut) {
    std::vector<GridLayout> layouts = store.layouts();
    for (GridLayout& layout : layouts) {
      if (layout.id == id) layout.shortcut = shortcut;
    }
    store.setLayouts(std::move(layouts));
    events.clear();
  }

  sim::SimDesktop desktop;
  sim::SimDefaults defaults{desktop};
  sim::SimKeyEventMonitor monitor{desktop};
  sim::SimKeyboardLayout keyboardLayout{desktop};
  sim::SimLocalizer localizer{desktop};
  GridLayoutStore store{defaults};
  std::optional<std::string> message;
  std::vector<std::string> events;
};

TEST_F(ShortcutRecorderTest, ClickingTwiceRecordsNothingAndRestoresTheLabel) {
  setShortcut(first, {key1, control | option});
  auto recorder = recorderFor(first);
  EXPECT_EQ(recorder->label(), "⌃⌥1");
  EXPECT_FALSE(recorder->isRecording());

  recorder->click();
  EXPECT_TRUE(recorder->isRecording());
  EXPECT_EQ(recorder->label(), "Press keys…");
  EXPECT_EQ(monitor.monitorCount(), 1u);

  recorder->click();
  EXPECT_FALSE(recorder->isRecording());
  EXPECT_EQ(recorder->label(), "⌃⌥1");
  EXPECT_EQ(monitor.monitorCount(), 0u);
  EXPECT_EQ(events, (std::vector<std::string>{"pause", "resume"}));
  EXPECT_EQ(shortcutOf(first), (Shortcut{key1, control | option}));
}

TEST_F(ShortcutRecorderTest, LabelsWithoutShortcutAreLocalized) {
  localizer.setTranslation("Record Shortcut", "단축키 기록");
  localizer.setTranslation("Press keys…", "키를 누르세요…");
  auto recorder = recorderFor(first);
  EXPECT_EQ(recorder->label(), "단축키 기록");
  recorder->startRecording();
  EXPECT_EQ(recorder->label(), "키를 누르세요…");
}

TEST_F(ShortcutRecorderTest, ShiftAloneIsRefusedThenControlOption1IsStored) {
  auto recorder = recorderFor(first);
  recorder->click();

  EXPECT_FALSE(monitor.type(keyA, shift));  // swallowed
  EXPECT_EQ(message, requiredModifier);
  EXPECT_TRUE(recorder->isRecording());
  EXPECT_EQ(shortcutOf(first), std::nullopt);

  EXPECT_FALSE(monitor.type(key1, control | option));
  EXPECT_EQ(message, std::nullopt);
  EXPECT_FALSE(recorder->isRecording());
  EXPECT_EQ(shortcutOf(first), (Shortcut{18, 0xC0000}));
  EXPECT_EQ(recorder->label(), "⌃⌥1");
  // The store's change registers the hot keys, then the resume does it again.
  EXPECT_EQ(events, (std::vector<std::string>{"pause", "change", "resume"}));
  EXPECT_EQ(monitor.monitorCount(), 0u);
  EXPECT_TRUE(monitor.type(key1, control | option));  // no longer captured
}

TEST_F(ShortcutRecorderTest, NoModifierAtAllIsRefused) {
  auto recorder = recorderFor(first);
  recorder->click();
  monitor.type(keyA, 0);
  EXPECT_EQ(message, requiredModifier);
  monitor.type(keyA, capsLock | 0x800000);  // caps lock and function do not count
  EXPECT_EQ(message, requiredModifier);
  EXPECT_TRUE(recorder->isRecording());
}

TEST_F(ShortcutRecorderTest, ABuiltInShortcutIsRefusedWithTheActionsTitle) {
  auto recorder = recorderFor(first);
  recorder->click();

  monitor.type(leftArrow, option | command);
  EXPECT_EQ(message, "Already used by “Left Half”.");
  EXPECT_TRUE(recorder->isRecording());
  EXPECT_EQ(shortcutOf(first), std::nullopt);

  // The first matching row names it: ⌃⇧⌘← is lowerLeft, titled Bottom Left.
  monitor.type(leftArrow, control | shift | command);
  EXPECT_EQ(message, "Already used by “Bottom Left”.");
  EXPECT_EQ(events, std::vector<std::string>{"pause"});
}

TEST_F(ShortcutRecorderTest, ConflictMessageAndTitleAreLocalized) {
  localizer.setTranslation("Already used by “%@”.", "“%@”에서 이미 사용 중입니다.");
  localizer.setTranslation("Left Half", "왼쪽 절반");
  auto recorder = recorderFor(first);
  recorder->click();
  monitor.type(leftArrow, option | command);
  EXPECT_EQ(message, "“왼쪽 절반”에서 이미 사용 중입니다.");
}

TEST_F(ShortcutRecorderTest, AnotherGridsShortcutIsRefusedWithItsDisplayName) {
  setShortcut(first, {key1, control | option});
  auto recorder = recorderFor(second);
  recorder->click();

  monitor.type(key1, control | option);
  EXPECT_EQ(message, "Already used by “6-way Split (3×2)”.");
  EXPECT_EQ(shortcutOf(second), std::nullopt);

  // A refusal message is replaced by the next refusal or cleared on success.
  monitor.type(key1, shift);
  EXPECT_EQ(message, requiredModifier);
  monitor.type(key2, control | option);
  EXPECT_EQ(message, std::nullopt);
  EXPECT_EQ(shortcutOf(second), (Shortcut{key2, control | option}));
}

TEST_F(ShortcutRecorderTest, ReRecordingTheOwnShortcutIsAccepted) {
  setShortcut(first, {key1, control | option});
  auto recorder = recorderFor(first);
  recorder->click();
  monitor.type(key1, control | option);
  EXPECT_FALSE(recorder->isRecording());
  EXPECT_EQ(message, std::nullopt);
  EXPECT_EQ(shortcutOf(first), (Shortcut{key1, control | option}));
  EXPECT_EQ(events, (std::vector<std::string>{"pause", "change", "resume"}));
}

TEST_F(ShortcutRecorderTest, CapsLockAndOtherBitsAreNotStored) {
  auto recorder = recorderFor(first);
  recorder->click();
  monitor.type(key2, command | capsLock | 0x800000 | 0x200000 | 0x108);
  EXPECT_EQ(shortcutOf(first), (Shortcut{key2, command}));
  EXPECT_EQ(recorder->label(), "⌘2");
}

TEST_F(ShortcutRecorderTest, CapsLockDoesNotHideAConflict) {
  auto recorder = recorderFor(first);
  recorder->click();
  monitor.type(3, option | command | capsLock);
  EXPECT_EQ(message, "Already used by “Maximize”.");
}

TEST_F(ShortcutRecorderTest, DeleteOrForwardDeleteAloneClears) {
  for (std::uint16_t key : {RecorderKey::deleteKey, RecorderKey::forwardDelete}) {
    SCOPED_TRACE(key);
    setShortcut(first, {key1, control | option});
    auto recorder = recorderFor(first);
    recorder->click();
    message = "stale";

    // Caps lock is not a modifier here either.
    EXPECT_FALSE(monitor.type(key, capsLock));

    EXPECT_EQ(shortcutOf(first), std::nullopt);
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(message, std::nullopt);
    EXPECT_EQ(recorder->label(), "Record Shortcut");
    EXPECT_EQ(events, (std::vector<std::string>{"pause", "change", "resume"}));
  }
}

TEST_F(ShortcutRecorderTest, DeleteWithModifiersIsAnOrdinaryKey) {
  auto recorder = recorderFor(first);
  recorder->click();
  monitor.type(RecorderKey::deleteKey, shift);
  EXPECT_EQ(message, requiredModifier);
  monitor.type(RecorderKey::deleteKey, command);
  EXPECT_EQ(shortcutOf(first), (Shortcut{RecorderKey::deleteKey, command}));
  EXPECT_FALSE(recorder->isRecording());
}

TEST_F(ShortcutRecorderTest, EscapeWithAnyModifiersCancels) {
  for (std::uint64_t modifiers : {std::uint64_t{0}, command, control | option | shift | command}) {
    SCOPED_TRACE(modifiers);
    setShortcut(first, {key1, control | option});
    auto recorder = recorderFor(first);
    recorder->click();
    monitor.type(keyA, shift);  // leaves a message behind

    EXPECT_FALSE(monitor.type(RecorderKey::escape, modifiers));

    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(message, std::nullopt);
    EXPECT_EQ(shortcutOf(first), (Shortcut{key1, control | option}));
    EXPECT_EQ(events, (std::vector<std::string>{"pause", "resume"}));
  }
}

TEST_F(ShortcutRecorderTest, StartingClearsAnOldMessage) {
  auto recorder = recorderFor(first);
  message = "Already used by “Left Half”.";
  recorder->click();
  EXPECT_EQ(message, std::nullopt);
}

TEST_F(ShortcutRecorderTest, WithoutAMonitorRecordingStillPausesAndResumes) {
  monitor.setRefusesMonitors(true);
  auto recorder = recorderFor(first);
  recorder->click();
  EXPECT_TRUE(recorder->isRecording());
  EXPECT_TRUE(monitor.type(keyA, command));  // not captured
  recorder->click();
  EXPECT_EQ(events, (std::vector<std::string>{"pause", "resume"}));
  EXPECT_EQ(desktop.callTexts({sim::SimPort::keyEventMonitor}),
            std::vector<std::string>{"addKeyDownMonitor"});
}

TEST_F(ShortcutRecorderTest, StartingTwiceLeavesOneMonitor) {
  auto recorder = recorderFor(first);
  recorder->startRecording();
  recorder->startRecording();
  EXPECT_EQ(monitor.monitorCount(), 1u);
  recorder->stopRecording();
  EXPECT_EQ(monitor.monitorCount(), 0u);
}

TEST_F(ShortcutRecorderTest, ARecorderDestroyedWhileRecordingRemovesItsMonitor) {
  auto recorder = recorderFor(first);
  recorder->click();
  ASSERT_EQ(monitor.monitorCount(), 1u);
  recorder.reset();
  EXPECT_EQ(monitor.monitorCount(), 0u);
  EXPECT_TRUE(monitor.type(key1, control | option));
  EXPECT_EQ(shortcutOf(first), std::nullopt);
}

TEST_F(ShortcutRecorderTest, ARecorderDestroyedByTheStoreChangeItCausedStopsThere) {
  // A view that rebuilds its rows on every change destroys the recorder
  // while the recorder is still writing its shortcut.
  std::unique_ptr<ShortcutRecorder> recorder = recorderFor(first);
  store.onChange = [&] {
    events.push_back("change");
    recorder.reset();
  };
  recorder->click();
  monitor.type(key1, control | option);
  EXPECT_EQ(recorder, nullptr);
  EXPECT_EQ(shortcutOf(first), (Shortcut{key1, control | option}));
  EXPECT_EQ(monitor.monitorCount(), 0u);
  EXPECT_EQ(events, (std::vector<std::string>{"pause", "change"}));
}

TEST_F(ShortcutRecorderTest, ConflictSearchOrder) {
  setShortcut(first, {key1, control | option});
  auto recorder = recorderFor(second);
  EXPECT_EQ(recorder->conflictName({6, 0x1A0000}), "Redo");
  EXPECT_EQ(recorder->conflictName({key1, control | option}), "6-way Split (3×2)");
  EXPECT_EQ(recorder->conflictName({key1, control | command}), std::nullopt);
  // The owner is left out.
  EXPECT_EQ(recorderFor(first)->conflictName({key1, control | option}), std::nullopt);
}

}  // namespace
}  // namespace corvella
