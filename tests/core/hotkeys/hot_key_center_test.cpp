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

using sim::SimHotKeyRegistration;

constexpr std::uint32_t crvl = ('C' << 24) | ('R' << 16) | ('V' << 8) | 'L';

const UUID gridA = *UUID::parse("11111111-2222-4333-8444-555555555555");

HotKeyTarget action(WindowAction a) {
  return HotKeyTarget::action(a);
}

TEST(CarbonModifiers, MapsEachFlagAndIgnoresOtherBits) {
  struct Case {
    std::uint64_t modifiers;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {0, 0},
      {0x100000, 0x100},                   // command
      {0x20000, 0x200},                    // shift
      {0x80000, 0x800},                    // option
      {0x40000, 0x1000},                   // control
      {0x180000, 0x900},                   // option + command
      {0x1E0000, 0x1B00},                  // all four
      {0x10000 | 0x200000 | 0x800000, 0},  // caps lock, numeric pad, function
      {0xFFFFFFFFFFFFFFFFull, 0x1B00},
  };
  for (const Case& c : cases) EXPECT_EQ(carbonModifiers(c.modifiers), c.expected) << c.modifiers;
}

class HotKeyCenterTest : public testing::Test {
 protected:
  sim::SimDesktop desktop;
  sim::SimClock clock{desktop};
  sim::SimHotKeyService service{desktop};
  sim::SimMainQueue queue{desktop, clock};
  HotKeyCenter center{service, queue};

  std::vector<HotKeyBinding> threeBindings() {
    return {
        {action(WindowAction::leftHalf), {123, 0x180000}},
        {action(WindowAction::maximize), {3, 0x180000}},
        {HotKeyTarget::grid(gridA), {18, 0xC0000}},
    };
  }
};

TEST_F(HotKeyCenterTest, SignatureIsCRVL) {
  EXPECT_EQ(hotKeySignature, crvl);
}

TEST_F(HotKeyCenterTest, NumbersBindingsByPositionAndKeepsNumbersOfRefusedOnes) {
  service.occupyByAnotherApplication(3, 0x900);

  const std::vector<HotKeyTarget> failures = center.registerBindings(threeBindings());

  EXPECT_EQ(failures, std::vector<HotKeyTarget>{action(WindowAction::maximize)});
  const std::map<std::uint32_t, HotKeyTarget> expected{{1, action(WindowAction::leftHalf)},
                                                       {3, HotKeyTarget::grid(gridA)}};
  EXPECT_EQ(center.targets(), expected);
  ASSERT_EQ(service.registrations().size(), 2u);
  EXPECT_EQ(service.registrations()[0].keyCode, 123u);
  EXPECT_EQ(service.registrations()[0].modifiers, 0x900u);
  EXPECT_EQ(service.registrations()[0].id, (HotKeyID{crvl, 1}));
  EXPECT_EQ(service.registrations()[1].keyCode, 18u);
  EXPECT_EQ(service.registrations()[1].modifiers, 0x1800u);
  EXPECT_EQ(service.registrations()[1].id, (HotKeyID{crvl, 3}));
}

TEST_F(HotKeyCenterTest, TheLaterOfTwoEqualCombinationsFails) {
  const std::vector<HotKeyBinding> bindings{
      {action(WindowAction::undo), {6, 0x180000}},
      {HotKeyTarget::grid(gridA), {6, 0x180000}},
  };
  EXPECT_EQ(center.registerBindings(bindings),
            std::vector<HotKeyTarget>{HotKeyTarget::grid(gridA)});
  EXPECT_EQ(center.targets().size(), 1u);
  EXPECT_EQ(center.targets().at(1), action(WindowAction::undo));
}

TEST_F(HotKeyCenterTest, RegisteringAgainReplacesEverythingAndInstallsTheHandlerOnce) {
  EXPECT_FALSE(center.handlerInstalled());
  center.registerBindings(threeBindings());
  const std::vector<SimHotKeyRegistration> first = service.registrations();
  desktop.clearCalls();

  center.registerBindings(threeBindings());

  EXPECT_TRUE(center.handlerInstalled());
  EXPECT_EQ(service.handlerInstallCount(), 1u);
  // The old registrations go first, in order, then the new ones.
  EXPECT_EQ(desktop.callTexts({sim::SimPort::hotKeyService}),
            (std::vector<std::string>{"unregisterHotKey ref1", "unregisterHotKey ref2",
                                      "unregisterHotKey ref3", "registerHotKey 123 0x900 #1",
                                      "registerHotKey 3 0x900 #2", "registerHotKey 18 0x1800 #3"}));
  ASSERT_EQ(service.registrations().size(), first.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(service.registrations()[i].id, first[i].id);
    EXPECT_EQ(service.registrations()[i].keyCode, first[i].keyCode);
    EXPECT_EQ(service.registrations()[i].modifiers, first[i].modifiers);
  }
}

TEST_F(HotKeyCenterTest, EmptyListUnregistersEverything) {
  center.registerBindings(threeBindings());
  EXPECT_TRUE(center.registerBindings({}).empty());
  EXPECT_TRUE(service.registrations().empty());
  EXPECT_TRUE(center.targets().empty());
}

TEST_F(HotKeyCenterTest, UnregisterAllKeepsHandlerAndTrigger) {
  int triggered = 0;
  center.onTrigger = [&](const HotKeyTarget&) { ++triggered; };
  center.registerBindings(threeBindings());

  center.unregisterAll();

  EXPECT_TRUE(service.registrations().empty());
  EXPECT_TRUE(center.targets().empty());
  EXPECT_TRUE(center.handlerInstalled());
  EXPECT_TRUE(center.onTrigger);
  EXPECT_EQ(service.unregisterCallCount(), 3u);
  EXPECT_FALSE(service.press(123, 0x900));
  // A stale number arriving after all is ignored.
  service.deliver({crvl, 1});
  queue.runUntilIdle();
  EXPECT_EQ(triggered, 0);

  center.unregisterAll();  // nothing left: no further service calls
  EXPECT_EQ(service.unregisterCallCount(), 3u);
}

TEST_F(HotKeyCenterTest, PressRunsTheTriggerOnALaterTurnWithTheTriggerSetThen) {
  std::vector<std::string> seen;
  center.onTrigger = [&](const HotKeyTarget&) { seen.push_back("old"); };
  center.registerBindings(threeBindings());

  ASSERT_TRUE(service.press(18, 0x1800));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(queue.pendingCount(), 1u);

  std::vector<HotKeyTarget> received;
  center.onTrigger = [&](const HotKeyTarget& target) { received.push_back(target); };
  queue.runUntilIdle();

  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(received, std::vector<HotKeyTarget>{HotKeyTarget::grid(gridA)});
}

TEST_F(HotKeyCenterTest, PressWithoutTriggerAtRunTimeDoesNothing) {
  center.onTrigger = [](const HotKeyTarget&) { FAIL() << "replaced before the work ran"; };
  center.registerBindings(threeBindings());
  service.press(123, 0x900);
  center.onTrigger = nullptr;
  EXPECT_EQ(queue.runUntilIdle(), 1u);
}

TEST_F(HotKeyCenterTest, OnlyTheNumberIsLookedUp) {
  std::vector<HotKeyTarget> received;
  center.onTrigger = [&](const HotKeyTarget& target) { received.push_back(target); };
  center.registerBindings(threeBindings());

  service.deliver({0, 0});     // unreadable id
  service.deliver({crvl, 0});  // 0 is never assigned
  service.deliver({crvl, 2});  // maximize
  service.deliver({crvl, 99});
  service.deliver({0x41424344, 1});  // another signature, number 1
  queue.runUntilIdle();

  EXPECT_EQ(received, (std::vector<HotKeyTarget>{action(WindowAction::maximize),
                                                 action(WindowAction::leftHalf)}));
}

TEST_F(HotKeyCenterTest, EachPressIsPostedSeparatelyInOrder) {
  std::vector<HotKeyTarget> received;
  center.onTrigger = [&](const HotKeyTarget& target) { received.push_back(target); };
  center.registerBindings(threeBindings());
  service.press(3, 0x900);
  service.press(123, 0x900);
  service.press(3, 0x900);
  EXPECT_EQ(queue.pendingCount(), 3u);
  queue.runUntilIdle();
  EXPECT_EQ(received, (std::vector<HotKeyTarget>{action(WindowAction::maximize),
                                                 action(WindowAction::leftHalf),
                                                 action(WindowAction::maximize)}));
}

TEST_F(HotKeyCenterTest, ATriggerMayReplaceItselfWhileRunning) {
  int calls = 0;
  center.onTrigger = [&](const HotKeyTarget&) {
    ++calls;
    center.onTrigger = [&](const HotKeyTarget&) { calls += 10; };
  };
  center.registerBindings(threeBindings());
  service.press(123, 0x900);
  service.press(123, 0x900);
  queue.runUntilIdle();
  EXPECT_EQ(calls, 11);
}

TEST(HotKeyCenterLifetime, WorkAndHandlerOutlivingTheCenterDoNothing) {
  sim::SimDesktop desktop;
  sim::SimClock clock{desktop};
  sim::SimHotKeyService service{desktop};
  sim::SimMainQueue queue{desktop, clock};
  int triggered = 0;
  {
    auto center = std::make_unique<HotKeyCenter>(service, queue);
    center->onTrigger = [&](const HotKeyTarget&) { ++triggered; };
    center->registerBindings({{action(WindowAction::center), {8, 0x180000}}});
    service.press(8, 0x900);
    ASSERT_EQ(queue.pendingCount(), 1u);
  }
  EXPECT_EQ(queue.runUntilIdle(), 1u);
  // The service still holds the registration and the handler.
  EXPECT_TRUE(service.press(8, 0x900));
  EXPECT_EQ(queue.pendingCount(), 0u);
  EXPECT_EQ(triggered, 0);
}

}  // namespace
}  // namespace corvella
