// The recorder's model (what a row shows: settings_window_test).
#include <memory>
#include <tuple>

#include <gtest/gtest.h>

#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/shortcut_recorder.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

constexpr std::uint64_t capsLock = 0x10000, control = 0x40000, option = 0x80000, command = 0x100000;
constexpr std::uint16_t keyA = 0, key1 = 18, key2 = 19, leftArrow = 123;
const UUID first = *UUID::parse("AAAAAAAA-0000-4000-8000-000000000001");
const UUID second = *UUID::parse("BBBBBBBB-0000-4000-8000-000000000002");
const Shortcut controlOption1{key1, control | option};
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
        ShortcutRecorder::Dependencies{store, monitor, platform.keyboardLayout,
                                       platform.localizer});
  }
  std::optional<Shortcut> shortcutOf(const UUID& id) { return store.layoutWithID(id)->shortcut; }
  void setShortcut(const UUID& id, std::optional<Shortcut> shortcut) {
    std::vector<GridLayout> layouts = store.layouts();
    for (GridLayout& layout : layouts) {
      if (layout.id == id) layout.shortcut = shortcut;
    }
    store.setLayouts(std::move(layouts));
  }
  // A recorder of the first layout, holding ⌃⌥1, clicked into recording.
  std::unique_ptr<ShortcutRecorder> recordingFirstWithShortcut() {
    setShortcut(first, controlOption1);
    auto recorder = recorderFor(first);
    events.clear();
    recorder->click();
    return recorder;
  }

  sim::SimPlatform platform;
  sim::SimKeyEventMonitor& monitor = platform.keyEventMonitor;
  GridLayoutStore store{platform.defaults};
  std::optional<std::string> message;
  Events events;
};

TEST_F(ShortcutRecorderTest, AShortcutNeedsAModifierIsStoredAtOnceAndConflictsNameTheirHolder) {
  platform.localizer.setTranslation("Press keys…", "키를 누르세요…");
  auto recorder = recorderFor(first);
  recorder->click();
  EXPECT_EQ(recorder->label(), "키를 누르세요…");
  // Caps lock and function are no required modifier either.
  EXPECT_FALSE(monitor.type(keyA, capsLock | 0x800000));  // swallowed
  EXPECT_EQ(message, "Use with at least one of ⌘, ⌥ or ⌃.");
  EXPECT_FALSE(monitor.type(key1, control | option));
  EXPECT_EQ(shortcutOf(first), controlOption1);
  // The store's change registers the hot keys, then the resume does it again.
  EXPECT_EQ(events, (Events{"pause", "change", "resume"}));
  EXPECT_TRUE(monitor.type(key1, control | option));  // no longer captured
  auto own = recordingFirstWithShortcut();
  monitor.type(key1, control | option);
  EXPECT_FALSE(own->isRecording());

  recorder = recorderFor(second);
  recorder->click();
  // Caps lock is left out of the comparison.
  monitor.type(3, option | command | capsLock);
  EXPECT_EQ(message, "Already used by “Maximize”.");
  platform.localizer.setTranslation("Already used by “%@”.", "“%@”에서 이미 사용 중입니다.");
  platform.localizer.setTranslation("Left Half", "왼쪽 절반");
  monitor.type(leftArrow, option | command);
  EXPECT_EQ(message, "“왼쪽 절반”에서 이미 사용 중입니다.");
  EXPECT_TRUE(recorder->isRecording());
  EXPECT_EQ(shortcutOf(second), std::nullopt);
  monitor.type(key2, control | option);
  EXPECT_EQ(shortcutOf(second), (Shortcut{key2, control | option}));
}

TEST_F(ShortcutRecorderTest, DeleteClearsEscapeCancelsAndOneMonitorRecordsUntilTheRecorderGoes) {
  const std::tuple<std::uint16_t, std::uint64_t, std::optional<Shortcut>> cases[] = {
      {RecorderKey::forwardDelete, capsLock, std::nullopt},
      {RecorderKey::escape, 0, controlOption1},
      {RecorderKey::deleteKey, command, Shortcut{51, command}},
  };
  for (const auto& [key, modifiers, result] : cases) {
    auto recorder = recordingFirstWithShortcut();
    message = "stale";
    EXPECT_FALSE(monitor.type(key, modifiers));
    EXPECT_EQ(shortcutOf(first), result) << key;
    EXPECT_TRUE(!recorder->isRecording() && !message);
    EXPECT_EQ(events.size(), result == controlOption1 ? 2u : 3u) << key;  // a change or none
  }
  events.clear();
  auto recorder = recorderFor(first);
  recorder->startRecording();
  recorder->startRecording();  // a second start leaves one monitor
  EXPECT_EQ(monitor.monitorCount(), 1u);
  recorder.reset();  // destroyed while recording
  EXPECT_EQ(monitor.monitorCount(), 0u);

  monitor.setRefusesMonitors(true);
  recorder = recorderFor(first);
  recorder->click();
  EXPECT_TRUE(recorder->isRecording());
  EXPECT_TRUE(monitor.type(keyA, command));  // nothing captures it
  recorder->click();
  EXPECT_EQ(events, (Events{"pause", "pause", "pause", "resume"}));
  // A view that rebuilds its rows on every change destroys the recorder while
  // it is still writing its shortcut.
  monitor.setRefusesMonitors(false);
  recorder = recorderFor(first);
  events.clear();
  store.onChange = [&] {
    events.push_back("change");
    recorder.reset();
  };
  recorder->click();
  monitor.type(key1, control | option);
  EXPECT_EQ(shortcutOf(first), controlOption1);
  EXPECT_EQ(monitor.monitorCount(), 0u);
  EXPECT_EQ(events, (Events{"pause", "change"}));
}

}  // namespace
}  // namespace corvella
