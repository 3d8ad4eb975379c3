// registerHotKeys with the real store and log on the simulated platform:
// actions first as 1 to 20, grids after them, and the failure line.
#include <gtest/gtest.h>

#include "core/app/log.h"
#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/hot_key_center.h"
#include "core/hotkeys/register_hot_keys.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/temporary_folder.h"

namespace corvella {
namespace {

const UUID idA = *UUID::parse("AAAAAAAA-0000-4000-8000-000000000001");
const UUID idB = *UUID::parse("BBBBBBBB-0000-4000-8000-000000000002");

class RegisterHotKeysTest : public testing::Test {
 protected:
  std::vector<HotKeyTarget> registerAll() { return registerHotKeys(center, store, log); }

  testing_support::TemporaryFolder folder;
  sim::SimPlatform platform{folder.path()};
  sim::SimHotKeyService& service = platform.hotKeyService;
  Log log{platform.clock, platform.logLocation};
  HotKeyCenter center{service, platform.mainQueue};
  GridLayoutStore store{platform.defaults};  // the built-in four, without shortcuts
};

TEST_F(RegisterHotKeysTest, ActionsHoldOneToTwentyAndGridsWithShortcutsFollowInListOrder) {
  EXPECT_TRUE(registerAll().empty());
  ASSERT_EQ(center.targets().size(), 20u);
  for (std::uint32_t number = 1; number <= 20; ++number) {
    EXPECT_EQ(center.targets().at(number), HotKeyTarget::action(allWindowActions()[number - 1]));
  }
  EXPECT_EQ(folder.read("Corvella.log"), "");

  store.setLayouts({{idA, 3, 2, std::nullopt}, {idB, 4, 2, Shortcut{18, 0xC0000}}});
  registerAll();
  EXPECT_EQ(center.targets().size(), 21u);
  EXPECT_EQ(service.registrationFor(18, 0x1800)->id.id, 21u);
  store.setLayouts({{idA, 3, 2, Shortcut{19, 0x100000}}, {idB, 4, 2, Shortcut{18, 0xC0000}}});
  registerAll();
  EXPECT_EQ(center.targets().at(21), HotKeyTarget::grid(idA));
  EXPECT_EQ(center.targets().at(22), HotKeyTarget::grid(idB));
  EXPECT_EQ(service.registrationFor(19, 0x100)->id.id, 21u);

  // Paused and resumed: the same registrations under fresh references.
  const auto withoutRefs = [this] {
    auto registrations = service.registrations();
    for (auto& registration : registrations) registration.ref = 0;
    return registrations;
  };
  const auto before = withoutRefs();
  center.unregisterAll();
  registerAll();
  EXPECT_EQ(withoutRefs(), before);
}

TEST_F(RegisterHotKeysTest, CombinationsHeldElsewhereOrByABuiltInAreCountedInOneLine) {
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
  EXPECT_EQ(folder.read("Corvella.log"),
            "2026-01-02T03:04:05Z 단축키 등록 실패 3개 — 다른 앱이 같은 조합을 쓰는 중\n");
}

}  // namespace
}  // namespace corvella
