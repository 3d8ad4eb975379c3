// HotKeyCenter on the simulated hot-key service and main queue: numbering,
// refusals, the handler installed once, and presses delivered a turn later.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "core/hotkeys/hot_key_center.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_hot_key_service.h"
#include "platform/sim/sim_main_queue.h"

namespace corvella {
namespace {

constexpr std::uint32_t crvl = ('C' << 24) | ('R' << 16) | ('V' << 8) | 'L';
const UUID gridA = *UUID::parse("11111111-2222-4333-8444-555555555555");
const HotKeyTarget leftHalf = HotKeyTarget::action(WindowAction::leftHalf);
const HotKeyTarget maximize = HotKeyTarget::action(WindowAction::maximize);
const HotKeyTarget grid = HotKeyTarget::grid(gridA);

TEST(CarbonModifiers, MapsEachFlagAndIgnoresOtherBits) {
  const std::pair<std::uint64_t, std::uint32_t> cases[] = {
      {0x100000, 0x100}, {0x20000, 0x200},   {0x80000, 0x800},        {0x40000, 0x1000},
      {0x180000, 0x900}, {0x1E0000, 0x1B00}, {0x10000 | 0xA00000, 0}, {~0ull, 0x1B00}};
  for (const auto& [modifiers, mask] : cases) EXPECT_EQ(carbonModifiers(modifiers), mask);
}

class HotKeyCenterTest : public testing::Test {
 protected:
  // ⌥⌘←, ⌥⌘F and ⌃⌥1 (service masks 0x900, 0x900, 0x1800).
  const std::vector<HotKeyBinding> bindings{
      {leftHalf, {123, 0x180000}}, {maximize, {3, 0x180000}}, {grid, {18, 0xC0000}}};

  std::vector<HotKeyTarget> received;
  sim::SimDesktop desktop;
  sim::SimClock clock{desktop};
  sim::SimHotKeyService service{desktop};
  sim::SimMainQueue queue{desktop, clock};
  HotKeyCenter center{service, queue};
};

TEST_F(HotKeyCenterTest, NumbersByPositionAndRefusedBindingsKeepTheirNumber) {
  service.occupyByAnotherApplication(3, 0x900);
  std::vector<HotKeyBinding> withDuplicate = bindings;
  withDuplicate.push_back({HotKeyTarget::action(WindowAction::undo), {18, 0xC0000}});

  EXPECT_EQ(center.registerBindings(withDuplicate),
            (std::vector<HotKeyTarget>{maximize, HotKeyTarget::action(WindowAction::undo)}));
  EXPECT_EQ(center.targets(), (std::map<std::uint32_t, HotKeyTarget>{{1, leftHalf}, {3, grid}}));
  EXPECT_EQ(hotKeySignature, crvl);
  EXPECT_EQ(desktop.callTexts({sim::SimPort::hotKeyService}),
            (std::vector<std::string>{"installPressHandler", "registerHotKey 123 0x900 #1",
                                      "registerHotKey 3 0x900 #2", "registerHotKey 18 0x1800 #3",
                                      "registerHotKey 18 0x1800 #4"}));
  EXPECT_EQ(service.registrations()[1].id, (HotKeyID{crvl, 3}));
}

TEST_F(HotKeyCenterTest, RegisteringAgainUnregistersInOrderAndInstallsTheHandlerOnce) {
  center.registerBindings(bindings);
  desktop.clearCalls();
  center.registerBindings({bindings[2]});
  EXPECT_EQ(desktop.callTexts({sim::SimPort::hotKeyService}),
            (std::vector<std::string>{"unregisterHotKey ref1", "unregisterHotKey ref2",
                                      "unregisterHotKey ref3", "registerHotKey 18 0x1800 #1"}));
  EXPECT_EQ(service.handlerInstallCount(), 1u);
  EXPECT_EQ(center.targets(), (std::map<std::uint32_t, HotKeyTarget>{{1, grid}}));
}

TEST_F(HotKeyCenterTest, UnregisterAllKeepsHandlerAndTrigger) {
  center.onTrigger = [&](const HotKeyTarget& target) { received.push_back(target); };
  center.registerBindings(bindings);
  center.unregisterAll();
  EXPECT_TRUE(service.registrations().empty());
  EXPECT_TRUE(center.targets().empty());
  EXPECT_TRUE(center.handlerInstalled());
  service.deliver({crvl, 1});  // a stale press arriving after all
  queue.runUntilIdle();
  EXPECT_TRUE(received.empty());

  center.registerBindings(bindings);
  service.press(123, 0x900);
  queue.runUntilIdle();
  EXPECT_EQ(received, std::vector<HotKeyTarget>{leftHalf});
}

TEST_F(HotKeyCenterTest, PressRunsTheTriggerSetWhenThePostedWorkRuns) {
  center.onTrigger = [](const HotKeyTarget&) { FAIL() << "replaced before the work ran"; };
  center.registerBindings(bindings);
  ASSERT_TRUE(service.press(18, 0x1800));
  ASSERT_TRUE(service.press(3, 0x900));
  EXPECT_EQ(queue.pendingCount(), 2u);
  center.onTrigger = [&](const HotKeyTarget& target) { received.push_back(target); };
  queue.runUntilIdle();
  EXPECT_EQ(received, (std::vector<HotKeyTarget>{grid, maximize}));

  service.press(3, 0x900);
  center.onTrigger = nullptr;
  EXPECT_EQ(queue.runUntilIdle(), 1u);  // no trigger: nothing happens
}

TEST_F(HotKeyCenterTest, OnlyTheNumberIsLookedUpAndUnknownNumbersAreIgnored) {
  center.onTrigger = [&](const HotKeyTarget& target) { received.push_back(target); };
  center.registerBindings(bindings);
  for (HotKeyID id : {HotKeyID{0, 0}, HotKeyID{crvl, 0}, HotKeyID{crvl, 99}}) service.deliver(id);
  EXPECT_EQ(queue.pendingCount(), 0u);
  service.deliver({0x41424344, 2});  // another signature, number 2
  queue.runUntilIdle();
  EXPECT_EQ(received, std::vector<HotKeyTarget>{maximize});
}

TEST_F(HotKeyCenterTest, ATriggerMayReplaceItselfWhileRunning) {
  int calls = 0;
  center.onTrigger = [&](const HotKeyTarget&) {
    ++calls;
    center.onTrigger = [&](const HotKeyTarget&) { calls += 10; };
  };
  center.registerBindings(bindings);
  service.press(123, 0x900);
  service.press(123, 0x900);
  queue.runUntilIdle();
  EXPECT_EQ(calls, 11);
}

TEST_F(HotKeyCenterTest, WorkAndHandlerOutlivingTheCenterDoNothing) {
  auto shortLived = std::make_unique<HotKeyCenter>(service, queue);
  shortLived->onTrigger = [&](const HotKeyTarget& target) { received.push_back(target); };
  shortLived->registerBindings(bindings);
  service.press(3, 0x900);
  shortLived.reset();
  EXPECT_EQ(queue.runUntilIdle(), 1u);
  EXPECT_TRUE(service.press(3, 0x900));  // the service still holds handler and key
  EXPECT_EQ(queue.pendingCount(), 0u);
  EXPECT_TRUE(received.empty());
}

}  // namespace
}  // namespace corvella
