// The shortcut recorder's model, typed at through the simulated key-event
// monitor, writing into a real grid layout store.
#include <memory>
#include <tuple>

#include <gtest/gtest.h>

#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/shortcut_recorder.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

constexpr std::uint64_t capsLock = 0x10000, shift = 0x20000, control = 0x40000, option = 0x80000,
                        command = 0x100000;
constexpr std::uint16_t keyA = 0, key1 = 18, key2 = 19, leftArrow = 123;
const UUID first = *UUID::parse("AAAAAAAA-0000-4000-8000-000000000001");
const UUID second = *UUID::parse("BBBBBBBB-0000-4000-8000-000000000002");
const std::string requiredModifier = "Use with at least one of ⌘, ⌥ or ⌃.";
using Events = std::vector<std::string>;

class ShortcutRecorderTest : public testing::Test {
 protected:
  ShortcutRecorderTest() {
    store.setLayouts({{first, 3, 2, std::nullopt}, {second, 4, 2, std::nullopt}});
    store.onChange = [this] { events.push_back("change"); };
  }

  // A recorder for a layout, bound the way a grid row binds it.
  std::unique_ptr<ShortcutRecorder> recorderFor(const UUID& owner) {
    Binding<std::optional<Shortcut>> shortcut{
        [this, owner] { return shortcutOf(owner); },
        [this, owner](std::optional<Shortcut> value) { setShortcut(owner, value); }};
    Binding<std::optional<std::string>> row{[this] { return message; },
                                            [this](auto value) { message = value; }};
    return std::make_unique<ShortcutRecorder>(
        shortcut, row, owner,
        [this](bool paused) { events.push_back(paused ? "pause" : "resume"); },
        ShortcutRecorder::Dependencies{store, monitor, platform.keyboardLayout, localizer});
  }
  std::optional<Shortcut> shortcutOf(const UUID& id) { return store.layoutWithID(id)->shortcut; }
  void setShortcut(const UUID& id, std::optional<Shortcut> shortcut) {
    std::vector<GridLayout> layouts = store.layouts();
    for (GridLayout& layout : layouts) {
      if (layout.id == id) layout.shortcut = shortcut;
    }
    store.setLayouts(std::move(layouts));
  }

  sim::SimPlatform platform;
  sim::SimKeyEventMonitor& monitor = platform.keyEventMonitor;
  sim::SimLocalizer& localizer = platform.localizer;
  GridLayoutStore store{platform.defaults};
  std::optional<std::string> message;
  Events events;
};

TEST_F(ShortcutRecorderTest, ClickingTwiceChangesNothingAndRestoresTheLabel) {
  setShortcut(first, Shortcut{key1, control | option});
  events.clear();
  auto recorder = recorderFor(first);
  EXPECT_EQ(recorder->label(), "⌃⌥1");
  recorder->click();
  EXPECT_EQ(recorder->label(), "Press keys…");
  EXPECT_EQ(monitor.monitorCount(), 1u);
  recorder->click();
  EXPECT_EQ(recorder->label(), "⌃⌥1");
  EXPECT_EQ(monitor.monitorCount(), 0u);
  EXPECT_EQ(events, (Events{"pause", "resume"}));
}

TEST_F(ShortcutRecorderTest, ShiftAloneIsRefusedThenControlOption1IsStored) {
  auto recorder = recorderFor(first);
  EXPECT_EQ(recorder->label(), "Record Shortcut");
  recorder->click();

  EXPECT_FALSE(monitor.type(keyA, shift));  // swallowed
  EXPECT_EQ(message, requiredModifier);
  EXPECT_TRUE(recorder->isRecording());
  EXPECT_FALSE(monitor.type(keyA, capsLock | 0x800000));  // caps lock, function: still none
  EXPECT_EQ(message, requiredModifier);

  EXPECT_FALSE(monitor.type(key1, control | option));
  EXPECT_EQ(message, std::nullopt);
  EXPECT_FALSE(recorder->isRecording());
  EXPECT_EQ(shortcutOf(first), (Shortcut{18, 0xC0000}));
  EXPECT_EQ(recorder->label(), "⌃⌥1");
  // The store's change registers the hot keys, then the resume does it again.
  EXPECT_EQ(events, (Events{"pause", "change", "resume"}));
  EXPECT_TRUE(monitor.type(key1, control | option));  // no longer captured
}

TEST_F(ShortcutRecorderTest, ConflictsNameTheActionOrTheOtherGrid) {
  setShortcut(first, Shortcut{key1, control | option});
  auto recorder = recorderFor(second);
  recorder->click();
  const std::tuple<std::uint16_t, std::uint64_t, const char*> presses[] = {
      {leftArrow, option | command, "Already used by “Left Half”."},
      {leftArrow, control | shift | command, "Already used by “Bottom Left”."},
      {3, option | command | capsLock, "Already used by “Maximize”."},
      {key1, control | option, "Already used by “6-way Split (3×2)”."}};
  for (const auto& [key, modifiers, expected] : presses) {
    monitor.type(key, modifiers);
    EXPECT_EQ(message, expected);
    EXPECT_TRUE(recorder->isRecording());
  }
  EXPECT_EQ(shortcutOf(second), std::nullopt);
  monitor.type(key2, control | option);
  EXPECT_EQ(message, std::nullopt);
  EXPECT_EQ(shortcutOf(second), (Shortcut{key2, control | option}));

  // Its own shortcut is no conflict for the first grid.
  auto own = recorderFor(first);
  own->click();
  monitor.type(key1, control | option);
  EXPECT_FALSE(own->isRecording());
  EXPECT_EQ(message, std::nullopt);
  EXPECT_EQ(shortcutOf(first), (Shortcut{key1, control | option}));
}

TEST_F(ShortcutRecorderTest, TextsAreLocalized) {
  localizer.setTranslation("Already used by “%@”.", "“%@”에서 이미 사용 중입니다.");
  localizer.setTranslation("Left Half", "왼쪽 절반");
  localizer.setTranslation("Press keys…", "키를 누르세요…");
  auto recorder = recorderFor(first);
  recorder->click();
  EXPECT_EQ(recorder->label(), "키를 누르세요…");
  monitor.type(leftArrow, option | command);
  EXPECT_EQ(message, "“왼쪽 절반”에서 이미 사용 중입니다.");
}

TEST_F(ShortcutRecorderTest, DeleteAloneClearsEscapeCancelsModifiedDeleteIsAKey) {
  struct Case {
    std::uint16_t key;
    std::uint64_t modifiers;
    std::optional<Shortcut> result;
    Events events;
  };
  const Shortcut held{key1, control | option};
  const Case cases[] = {
      {RecorderKey::deleteKey, 0, std::nullopt, {"pause", "change", "resume"}},
      {RecorderKey::forwardDelete, capsLock, std::nullopt, {"pause", "change", "resume"}},
      {RecorderKey::escape, 0, held, {"pause", "resume"}},
      {RecorderKey::escape, control | option | shift | command, held, {"pause", "resume"}},
      {RecorderKey::deleteKey, command, Shortcut{51, command}, {"pause", "change", "resume"}},
  };
  for (const Case& c : cases) {
    setShortcut(first, held);
    events.clear();
    auto recorder = recorderFor(first);
    recorder->click();
    message = "stale";
    EXPECT_FALSE(monitor.type(c.key, c.modifiers));
    EXPECT_EQ(shortcutOf(first), c.result) << c.key;
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(message, std::nullopt);
    EXPECT_EQ(events, c.events) << c.key;
  }
  EXPECT_EQ(recorderFor(second)->label(), "Record Shortcut");
}

TEST_F(ShortcutRecorderTest, MonitorLifetime) {
  auto recorder = recorderFor(first);
  recorder->startRecording();
  recorder->startRecording();  // a second start leaves one monitor
  EXPECT_EQ(monitor.monitorCount(), 1u);
  recorder.reset();  // destroyed while recording
  EXPECT_EQ(monitor.monitorCount(), 0u);
  EXPECT_TRUE(monitor.type(key1, control | option));

  monitor.setRefusesMonitors(true);
  recorder = recorderFor(first);
  recorder->click();
  EXPECT_TRUE(recorder->isRecording());
  EXPECT_TRUE(monitor.type(keyA, command));  // nothing captures it
  recorder->click();
  EXPECT_EQ(events, (Events{"pause", "pause", "pause", "resume"}));
}

TEST_F(ShortcutRecorderTest, ARecorderDestroyedByTheChangeItCausedStopsThere) {
  // A view that rebuilds its rows on every change destroys the recorder while
  // it is still writing its shortcut.
  std::unique_ptr<ShortcutRecorder> recorder = recorderFor(first);
  store.onChange = [&] {
    events.push_back("change");
    recorder.reset();
  };
  recorder->click();
  monitor.type(key1, control | option);
  EXPECT_EQ(shortcutOf(first), (Shortcut{key1, control | option}));
  EXPECT_EQ(monitor.monitorCount(), 0u);
  EXPECT_EQ(events, (Events{"pause", "change"}));
}

}  // namespace
}  // namespace corvella
