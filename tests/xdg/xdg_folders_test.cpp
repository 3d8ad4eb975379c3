// Where the defaults file, the log and the control socket live: each XDG
// folder first, then below HOME, and never a relative or empty path.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "platform/xdg/xdg_control_socket.h"
#include "platform/xdg/xdg_defaults_file.h"
#include "platform/xdg/xdg_log_location.h"
#include "tests/support/environment.h"

namespace corvella::xdg {
namespace {

using Path = std::optional<std::filesystem::path>;

TEST(XdgFolders, EachXdgFolderFirstThenHomeNeverARelativeOrEmptyPath) {
  const std::tuple<testing_support::Variables, Path, Path, Path> rows[] = {
      {{{"XDG_CONFIG_HOME", "/c"},
        {"XDG_STATE_HOME", "/s"},
        {"XDG_RUNTIME_DIR", "/r"},
        {"HOME", "/h"}},
       "/c/corvella/defaults.json",
       "/s/Corvella",
       "/r/corvella/control"},
      {{{"XDG_CONFIG_HOME", "c"},
        {"XDG_STATE_HOME", "s"},
        {"XDG_RUNTIME_DIR", "r"},
        {"HOME", "/h"}},
       "/h/.config/corvella/defaults.json",
       "/h/.local/state/Corvella",
       "/h/.local/state/Corvella/runtime/control"},
      {{{"XDG_STATE_HOME", "/s"}, {"XDG_RUNTIME_DIR", ""}},
       std::nullopt,
       "/s/Corvella",
       "/s/Corvella/runtime/control"},
      {{{"HOME", "h"}}, std::nullopt, std::nullopt, std::nullopt},
  };
  for (const auto& [variables, defaults, logs, socket] : rows) {
    const auto environment = testing_support::environmentOf(variables);
    SCOPED_TRACE(testing::PrintToString(variables));
    EXPECT_EQ(XdgDefaultsFile::defaultFile(environment), defaults);
    EXPECT_EQ(XdgLogLocation(environment).logsFolder(), logs);
    EXPECT_EQ(controlSocketPath(environment), socket);
  }
}

}  // namespace
}  // namespace corvella::xdg
