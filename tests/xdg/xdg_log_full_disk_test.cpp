// The log on a disk that fills up: an entry cut short is ended with a line
// feed before the next one, an entry with no room at all is dropped, and
// nothing reaches the caller. The disk is a small tmpfs in a mount
// namespace of this test process's own (a program of its own, so that no
// other test runs inside that namespace).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/app/log.h"
#include "platform/sim/sim_platform.h"
#include "platform/xdg/xdg_log_location.h"
#include "tests/support/private_mounts.h"
#include "tests/support/temporary_folder.h"

namespace corvella::xdg {
namespace {

namespace fs = std::filesystem;

TEST(XdgLogFullDisk, ATornEntryIsEndedBeforeTheNextAndAnEntryWithoutRoomIsDropped) {
  testing_support::TemporaryFolder state;
  const fs::path folder = state.path() / "Corvella";
  // Two pages: one for a file that holds the space, one for the log.
  testing_support::SmallDisk disk(folder, 8192);
  if (disk.problem()) GTEST_SKIP() << "no small disk: " << *disk.problem();
  const std::string earlier(4086, 'e');
  { std::ofstream(folder / "Corvella.log") << earlier; }
  { std::ofstream(folder / "space") << std::string(4096, 's'); }

  XdgLogLocation location([&state](std::string_view name) -> std::optional<std::string> {
    if (name == "XDG_STATE_HOME") return state.path().string();
    return std::nullopt;
  });
  sim::SimPlatform platform;
  Log log(platform.clock, location);
  log.log("leftHalf");  // 30 bytes; 10 fit
  log.log("rightHalf");
  fs::remove(folder / "space");
  log.log("undo: 창 1개 복원");
  EXPECT_EQ(state.read("Corvella/Corvella.log"), earlier +
                                                     "2026-01-02"
                                                     "\n"
                                                     "2026-01-02T03:04:05Z undo: 창 1개 복원\n");
}

}  // namespace
}  // namespace corvella::xdg
