// registerHotKeys with the real store and log on the simulated platform:
// actions first as 1 to 20, grids after them, and the failure line.
#include <gtest/gtest.h>

#include "core/app/log.h"
#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/hot_key_center.h"
#include "core/hotkeys/register_hot_keys.h"
#include "platform/sim/sim_platform.h"

namespace corvella {
namespace {

const UUID idA = *UUID::parse("AAAAAAAA-0000-4000-8000-000000000001");
const UUID idB = *UUID::parse("BBBBBBBB-0000-4000-8000-000000000002");
// The simulated clock's fixed start, as the log stamps it.
const std::string stamp = "2026-01-02T03:04:05Z ";

class RegisterHotKeysTest : public testing::Test {
 protected:
  std::vector<HotKeyTarget> registerAll() { return registerHotKeys(center, store, log); }
  std::string logText() const {
    return platform.logLocation.fileText("/sim/Logs/Corvella.log").value_or("");
  }

  sim::SimPlatform platform{"/sim/Logs"};
  sim::SimDefaults& defaults = platform.defaults;
  sim::SimHotKeyService& service = platform.hotKeyService;
  Log log{platform.clock, platform.logLocation};
  HotKeyCenter center{service, platform.mainQueue};
  GridLayoutStore store{defaults};  // the built-in four, without shortcuts
};

TEST_F(RegisterHotKeysTest, WithoutGridShortcutsTheActionsHoldOneToTwentyAndNothingIsLogged) {
  EXPECT_TRUE(registerAll().empty());
  ASSERT_EQ(center.targets().size(), 20u);
  for (std::uint32_t number = 1; number <= 20; ++number) {
    EXPECT_EQ(center.targets().at(number), HotKeyTarget::action(allWindowActions()[number - 1]));
  }
  EXPECT_EQ(logText(), "");
}

TEST_F(RegisterHotKeysTest, GridsFollowInListOrderAndOnlyThoseWithShortcutsTakeANumber) {
  store.setLayouts({{idA, 3, 2, std::nullopt}, {idB, 4, 2, Shortcut{18, 0xC0000}}});
  registerAll();
  EXPECT_EQ(center.targets().size(), 21u);
  EXPECT_EQ(center.targets().at(21), HotKeyTarget::grid(idB));
  EXPECT_EQ(service.registrationFor(18, 0x1800)->id.id, 21u);

  store.setLayouts({{idA, 3, 2, Shortcut{19, 0x100000}}, {idB, 4, 2, Shortcut{18, 0xC0000}}});
  registerAll();
  EXPECT_EQ(center.targets().at(21), HotKeyTarget::grid(idA));
  EXPECT_EQ(center.targets().at(22), HotKeyTarget::grid(idB));
  EXPECT_EQ(service.registrationFor(19, 0x100)->id.id, 21u);
}

TEST_F(RegisterHotKeysTest, AGridWithABuiltInShortcutFailsAndIsLogged) {
  // Stored with caps lock (1638400 = 0x190000); decoded it is maximize's ⌥⌘F.
  defaults.seedData("gridLayouts",
                    R"([{"id":"BBBBBBBB-0000-4000-8000-000000000002","columns":3,"rows":2,)"
                    R"("shortcut":{"keyCode":3,"modifiers":1638400}}])");
  GridLayoutStore loaded(defaults);
  EXPECT_EQ(registerHotKeys(center, loaded, log),
            std::vector<HotKeyTarget>{HotKeyTarget::grid(idB)});
  EXPECT_EQ(center.targets().size(), 20u);
  EXPECT_EQ(logText(), stamp + "단축키 등록 실패 1개 — 다른 앱이 같은 조합을 쓰는 중\n");
}

TEST_F(RegisterHotKeysTest, CombinationsHeldByAnotherApplicationAreCounted) {
  service.occupyByAnotherApplication(123, 0x900);  // leftHalf
  service.occupyByAnotherApplication(0, 0xB00);    // tileAppRows
  service.occupyByAnotherApplication(18, 0x1800);
  store.setLayouts({{idB, 4, 2, Shortcut{18, 0xC0000}}});
  EXPECT_EQ(registerAll(),
            (std::vector<HotKeyTarget>{HotKeyTarget::action(WindowAction::leftHalf),
                                       HotKeyTarget::action(WindowAction::tileAppRows),
                                       HotKeyTarget::grid(idB)}));
  EXPECT_EQ(logText(), stamp + "단축키 등록 실패 3개 — 다른 앱이 같은 조합을 쓰는 중\n");
}

TEST_F(RegisterHotKeysTest, PauseThenResumeGivesTheSameRegistrations) {
  // The service hands out fresh references; everything else must match.
  auto withoutRefs = [this] {
    auto registrations = service.registrations();
    for (auto& registration : registrations) registration.ref = 0;
    return registrations;
  };
  store.setLayouts({{idA, 3, 2, Shortcut{18, 0xC0000}}, {idB, 4, 2, std::nullopt}});
  registerAll();
  const auto before = withoutRefs();
  const auto targetsBefore = center.targets();

  center.unregisterAll();
  EXPECT_TRUE(service.registrations().empty());
  registerAll();
  EXPECT_EQ(withoutRefs(), before);
  EXPECT_EQ(center.targets(), targetsBefore);
}

}  // namespace
}  // namespace corvella
