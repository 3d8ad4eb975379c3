// registerHotKeys with the real store and log on the simulated platform:
// actions first as 1 to 20, grids after them, and the failure line.
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/app/log.h"
#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/hot_key_center.h"
#include "core/hotkeys/register_hot_keys.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_defaults.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_hot_key_service.h"
#include "platform/sim/sim_log_location.h"
#include "platform/sim/sim_main_queue.h"
#include "temporary_folder.h"

namespace corvella {
namespace {

const UUID idA = *UUID::parse("AAAAAAAA-0000-4000-8000-000000000001");
const UUID idB = *UUID::parse("BBBBBBBB-0000-4000-8000-000000000002");

// The log stamp of the simulated clock's fixed start.
constexpr const char* stamp = "2026-01-02T03:04:05Z ";

using Registration = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;

class RegisterHotKeysTest : public testing::Test {
 protected:
  testing_support::TemporaryFolder folder;
  sim::SimDesktop desktop;
  sim::SimClock clock{desktop};
  sim::SimLogLocation logLocation{desktop, folder.path()};
  sim::SimDefaults defaults{desktop};
  sim::SimHotKeyService service{desktop};
  sim::SimMainQueue queue{desktop, clock};
  Log log{clock, logLocation};
  HotKeyCenter center{service, queue};

  std::vector<HotKeyTarget> registerAll(GridLayoutStore& store) {
    return registerHotKeys(center, store, log);
  }
  std::string logText() const { return folder.read("Corvella.log"); }
  // (key code, service mask, number) of each registration, in order.
  std::vector<Registration> registrations() const {
    std::vector<Registration> result;
    for (const auto& held : service.registrations()) {
      EXPECT_EQ(held.id.signature, hotKeySignature);
      result.emplace_back(held.keyCode, held.modifiers, held.id.id);
    }
    return result;
  }
};

TEST_F(RegisterHotKeysTest, WithoutGridShortcutsTheTwentyActionsHoldOneToTwenty) {
  GridLayoutStore store(defaults);  // the four built-in layouts, none with a shortcut

  EXPECT_TRUE(registerAll(store).empty());

  ASSERT_EQ(center.targets().size(), 20u);
  for (std::uint32_t number = 1; number <= 20; ++number) {
    EXPECT_EQ(center.targets().at(number), HotKeyTarget::action(allWindowActions()[number - 1]));
  }
  // Service masks: option 0x800, command 0x100, control 0x1000, shift 0x200.
  const std::vector<Registration> expected{
      {123, 0x900, 1},   {124, 0x900, 2},  {126, 0x900, 3},   {125, 0x900, 4},   {123, 0x1100, 5},
      {124, 0x1100, 6},  {123, 0x1300, 7}, {124, 0x1300, 8},  {124, 0x1800, 9},  {123, 0x1800, 10},
      {3, 0x900, 11},    {8, 0x900, 12},   {124, 0x1A00, 13}, {123, 0x1A00, 14}, {124, 0x1900, 15},
      {123, 0x1900, 16}, {6, 0x900, 17},   {6, 0xB00, 18},    {0, 0x900, 19},    {0, 0xB00, 20},
  };
  EXPECT_EQ(registrations(), expected);
  EXPECT_EQ(logText(), "");
}

TEST_F(RegisterHotKeysTest, GridsFollowInListOrderAndOnlyThoseWithShortcutsTakeANumber) {
  GridLayoutStore store(defaults);
  store.setLayouts({{idA, 3, 2, std::nullopt}, {idB, 4, 2, Shortcut{18, 0xC0000}}});

  EXPECT_TRUE(registerAll(store).empty());
  EXPECT_EQ(center.targets().size(), 21u);
  EXPECT_EQ(center.targets().at(21), HotKeyTarget::grid(idB));
  EXPECT_EQ(registrations().back(), Registration(18, 0x1800, 21));

  store.setLayouts({{idA, 3, 2, Shortcut{19, 0x100000}}, {idB, 4, 2, Shortcut{18, 0xC0000}}});
  EXPECT_TRUE(registerAll(store).empty());
  EXPECT_EQ(center.targets().size(), 22u);
  EXPECT_EQ(center.targets().at(21), HotKeyTarget::grid(idA));
  EXPECT_EQ(center.targets().at(22), HotKeyTarget::grid(idB));
  const std::vector<Registration> all = registrations();
  EXPECT_EQ(std::vector<Registration>(all.end() - 2, all.end()),
            (std::vector<Registration>{{19, 0x100, 21}, {18, 0x1800, 22}}));
}

TEST_F(RegisterHotKeysTest, AGridWithABuiltInShortcutFailsAndIsLogged) {
  // Stored with caps lock (1638400 = 0x190000); decoded it is maximize's ⌥⌘F.
  defaults.seedData("gridLayouts",
                    R"([{"id":"BBBBBBBB-0000-4000-8000-000000000002","columns":3,"rows":2,)"
                    R"("shortcut":{"keyCode":3,"modifiers":1638400}}])");
  GridLayoutStore store(defaults);

  const std::vector<HotKeyTarget> failures = registerAll(store);

  EXPECT_EQ(failures, std::vector<HotKeyTarget>{HotKeyTarget::grid(idB)});
  EXPECT_EQ(center.targets().size(), 20u);
  EXPECT_EQ(center.targets().at(11), HotKeyTarget::action(WindowAction::maximize));
  EXPECT_EQ(logText(),
            std::string(stamp) + "단축키 등록 실패 1개 — 다른 앱이 같은 조합을 쓰는 중\n");
}

TEST_F(RegisterHotKeysTest, CombinationsHeldByAnotherApplicationAreCounted) {
  service.occupyByAnotherApplication(123, 0x900);  // leftHalf
  service.occupyByAnotherApplication(0, 0xB00);    // tileAppRows
  service.occupyByAnotherApplication(18, 0x1800);  // grid B
  GridLayoutStore store(defaults);
  store.setLayouts({{idB, 4, 2, Shortcut{18, 0xC0000}}});

  const std::vector<HotKeyTarget> failures = registerAll(store);

  EXPECT_EQ(failures, (std::vector<HotKeyTarget>{HotKeyTarget::action(WindowAction::leftHalf),
                                                 HotKeyTarget::action(WindowAction::tileAppRows),
                                                 HotKeyTarget::grid(idB)}));
  EXPECT_FALSE(center.targets().contains(1));
  EXPECT_FALSE(center.targets().contains(20));
  EXPECT_FALSE(center.targets().contains(21));
  EXPECT_EQ(center.targets().at(2), HotKeyTarget::action(WindowAction::rightHalf));
  EXPECT_EQ(logText(),
            std::string(stamp) + "단축키 등록 실패 3개 — 다른 앱이 같은 조합을 쓰는 중\n");

  // Once the other application lets go, the next registration succeeds silently.
  service.releaseByAnotherApplication(123, 0x900);
  service.releaseByAnotherApplication(0, 0xB00);
  service.releaseByAnotherApplication(18, 0x1800);
  EXPECT_TRUE(registerAll(store).empty());
  EXPECT_EQ(center.targets().size(), 21u);
  EXPECT_EQ(logText(),
            std::string(stamp) + "단축키 등록 실패 3개 — 다른 앱이 같은 조합을 쓰는 중\n");
}

TEST_F(RegisterHotKeysTest, PauseThenResumeGivesTheSameRegistrations) {
  GridLayoutStore store(defaults);
  store.setLayouts({{idA, 3, 2, Shortcut{18, 0xC0000}}, {idB, 4, 2, std::nullopt}});
  registerAll(store);
  const std::vector<Registration> before = registrations();
  const std::map<std::uint32_t, HotKeyTarget> targetsBefore = center.targets();

  center.unregisterAll();  // paused
  EXPECT_TRUE(service.registrations().empty());
  registerAll(store);  // resumed

  EXPECT_EQ(registrations(), before);
  EXPECT_EQ(center.targets(), targetsBefore);
  EXPECT_EQ(service.handlerInstallCount(), 1u);
}

TEST_F(RegisterHotKeysTest, APressForAGridRemovedMeanwhileStillReachesTheTrigger) {
  GridLayoutStore store(defaults);
  store.setLayouts({{idB, 4, 2, Shortcut{18, 0xC0000}}});
  store.onChange = [&] { registerAll(store); };
  registerAll(store);
  std::vector<HotKeyTarget> received;
  center.onTrigger = [&](const HotKeyTarget& target) { received.push_back(target); };

  ASSERT_TRUE(service.press(18, 0x1800));
  store.removeLayout(idB);
  queue.runUntilIdle();

  EXPECT_EQ(received, std::vector<HotKeyTarget>{HotKeyTarget::grid(idB)});
  EXPECT_EQ(store.layoutWithID(idB), std::nullopt);
  // The removal registered again, without the grid.
  EXPECT_FALSE(service.press(18, 0x1800));
  EXPECT_EQ(center.targets().size(), 20u);
}

}  // namespace
}  // namespace corvella
