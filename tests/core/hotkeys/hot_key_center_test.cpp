#include <gtest/gtest.h>

#include "core/app/log.h"
#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/hot_key_center.h"
#include "core/hotkeys/register_hot_keys.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

using Strings = std::vector<std::string>;
constexpr std::uint32_t crvl = ('C' << 24) | ('R' << 16) | ('V' << 8) | 'L';
const HotKeyTarget leftHalf = HotKeyTarget::action(WindowAction::leftHalf);
const HotKeyTarget maximize = HotKeyTarget::action(WindowAction::maximize);
const HotKeyTarget grid = HotKeyTarget::grid(*UUID::parse("11111111-2222-4333-8444-555555555555"));

const UUID idA = *UUID::parse("AAAAAAAA-0000-4000-8000-000000000001");
const UUID idB = *UUID::parse("BBBBBBBB-0000-4000-8000-000000000002");

class HotKeyCenterTest : public testing::Test {
 protected:
  // ⌥⌘←, ⌥⌘F and ⌃⌥1 (service masks 0x900, 0x900, 0x1800).
  const std::vector<HotKeyBinding> bindings{
      {leftHalf, {123, 0x180000}}, {maximize, {3, 0x180000}}, {grid, {18, 0xC0000}}};
  Strings serviceCalls() { return platform.desktop.callTexts({sim::SimPort::hotKeyService}); }

  std::vector<HotKeyTarget> received;
  sim::SimPlatform platform;
  sim::SimHotKeyService& service = platform.hotKeyService;
  sim::SimMainQueue& queue = platform.mainQueue;
  HotKeyCenter center{service, queue};
};

// Modifier flags map to the service mask bit by bit, other bits ignored.
TEST_F(HotKeyCenterTest, MasksFollowTheFlagsAndNumbersFollowThePositionEvenWhenRefused) {
  const std::pair<std::uint64_t, std::uint32_t> cases[] = {
      {0x20000, 0x200}, {0x10000 | 0xA00000, 0}, {~0ull, 0x1B00}};
  for (const auto& [modifiers, mask] : cases) EXPECT_EQ(carbonModifiers(modifiers), mask);
  service.occupyByAnotherApplication(3, 0x900);
  std::vector<HotKeyBinding> withDuplicate = bindings;
  withDuplicate.push_back({HotKeyTarget::action(WindowAction::undo), {18, 0xC0000}});

  EXPECT_EQ(center.registerBindings(withDuplicate),
            (std::vector<HotKeyTarget>{maximize, HotKeyTarget::action(WindowAction::undo)}));
  EXPECT_EQ(center.targets(), (std::map<std::uint32_t, HotKeyTarget>{{1, leftHalf}, {3, grid}}));
  EXPECT_EQ(serviceCalls(), (Strings{"installPressHandler", "registerHotKey 123 0x900 #1",
                                     "registerHotKey 3 0x900 #2", "registerHotKey 18 0x1800 #3",
                                     "registerHotKey 18 0x1800 #4"}));
  EXPECT_EQ(service.registrations()[1].id, (HotKeyID{crvl, 3}));
}

TEST_F(HotKeyCenterTest, RegisteringAgainUnregistersInOrderAndInstallsTheHandlerOnce) {
  center.onTrigger = [this](const HotKeyTarget& target) { received.push_back(target); };
  center.registerBindings(bindings);
  platform.desktop.clearCalls();
  center.registerBindings({bindings[2]});
  EXPECT_EQ(serviceCalls(), (Strings{"unregisterHotKey ref1", "unregisterHotKey ref2",
                                     "unregisterHotKey ref3", "registerHotKey 18 0x1800 #1"}));
  EXPECT_EQ(center.targets(), (std::map<std::uint32_t, HotKeyTarget>{{1, grid}}));

  // Unregistering keeps the handler and the trigger; a stale press is ignored.
  center.unregisterAll();
  EXPECT_TRUE(service.registrations().empty());
  EXPECT_TRUE(center.targets().empty());
  service.deliver({crvl, 1});
  center.registerBindings(bindings);
  service.press(123, 0x900);
  queue.runUntilIdle();
  EXPECT_EQ(received, std::vector<HotKeyTarget>{leftHalf});
  EXPECT_EQ(service.handlerInstallCount(), 1u);
  // A press runs the trigger set when the posted work runs.
  received.clear();
  center.onTrigger = [](const HotKeyTarget&) { FAIL() << "replaced before the work ran"; };
  center.registerBindings(bindings);
  ASSERT_TRUE(service.press(18, 0x1800));
  for (HotKeyID id : {HotKeyID{0, 0}, HotKeyID{crvl, 0}, HotKeyID{crvl, 99}}) service.deliver(id);
  service.deliver({0x41424344, 2});  // another signature, number 2
  EXPECT_EQ(queue.pendingCount(), 2u);
  center.onTrigger = [this](const HotKeyTarget& target) { received.push_back(target); };
  queue.runUntilIdle();
  EXPECT_EQ(received, (std::vector<HotKeyTarget>{grid, maximize}));

  service.press(3, 0x900);
  center.onTrigger = nullptr;
  EXPECT_EQ(queue.runUntilIdle(), 1u);  // no trigger: nothing happens
}

class RegisterHotKeysTest : public testing::Test {
 protected:
  std::vector<HotKeyTarget> registerAll() { return registerHotKeys(center, store, log); }

  std::string logText() const {
    return platform.logLocation.fileText("/sim/Logs/Corvella.log").value_or("");
  }

  sim::SimPlatform platform{"/sim/Logs"};
  sim::SimHotKeyService& service = platform.hotKeyService;
  Log log{platform.clock, platform.logLocation};
  HotKeyCenter center{service, platform.mainQueue};
  GridLayoutStore store{platform.defaults};  // the built-in four, without shortcuts
};

TEST_F(RegisterHotKeysTest, ActionsHoldOneToTwentyGridsFollowAndRefusalsAreCountedInOneLine) {
  EXPECT_TRUE(registerAll().empty());
  ASSERT_EQ(center.targets().size(), 20u);
  for (std::uint32_t number = 1; number <= 20; ++number) {
    EXPECT_EQ(center.targets().at(number), HotKeyTarget::action(allWindowActions()[number - 1]));
  }
  EXPECT_EQ(logText(), "");

  store.setLayouts({{idA, 3, 2, Shortcut{19, 0x100000}}, {idB, 4, 2, Shortcut{18, 0xC0000}}});
  registerAll();
  EXPECT_EQ(center.targets().at(21), HotKeyTarget::grid(idA));
  EXPECT_EQ(center.targets().at(22), HotKeyTarget::grid(idB));
  service.occupyByAnotherApplication(123, 0x900);  // leftHalf
  service.occupyByAnotherApplication(0, 0xB00);    // tileAppRows
  // Stored with caps lock (1638400 = 0x190000), decoded as maximize's ⌥⌘F.
  platform.defaults.seedData("gridLayouts",
                             R"([{"id":"BBBBBBBB-0000-4000-8000-000000000002","columns":3,)"
                             R"("rows":2,"shortcut":{"keyCode":3,"modifiers":1638400}}])");
  GridLayoutStore loaded(platform.defaults);
  EXPECT_EQ(registerHotKeys(center, loaded, log),
            (std::vector<HotKeyTarget>{HotKeyTarget::action(WindowAction::leftHalf),
                                       HotKeyTarget::action(WindowAction::tileAppRows),
                                       HotKeyTarget::grid(idB)}));
  EXPECT_EQ(logText(),
            "2026-01-02T03:04:05Z 단축키 등록 실패 3개 — 다른 앱이 같은 조합을 쓰는 중\n");
}

}  // namespace
}  // namespace corvella
