// Where the control socket is looked for and made on Linux.
#include "platform/xdg/xdg_control_socket.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/environment.h"

namespace corvella::xdg {
namespace {

using testing_support::Variables;

TEST(XdgControlSocketTest, TheRuntimeFolderComesFirstThenTheStateFolder) {
  const std::pair<Variables, std::optional<std::filesystem::path>> rows[] = {
      {{{"XDG_RUNTIME_DIR", "/run/user/1000"}, {"XDG_STATE_HOME", "/s"}, {"HOME", "/h"}},
       "/run/user/1000/corvella/control"},
      {{{"XDG_RUNTIME_DIR", "run/user/1000"}, {"XDG_STATE_HOME", "/s"}},
       "/s/Corvella/runtime/control"},
      {{{"XDG_RUNTIME_DIR", ""}, {"HOME", "/home/ada"}},
       "/home/ada/.local/state/Corvella/runtime/control"},
      {{{"XDG_STATE_HOME", "state"}, {"HOME", "/home/ada"}},
       "/home/ada/.local/state/Corvella/runtime/control"},
      {{{"HOME", "home/ada"}}, std::nullopt},
      {{}, std::nullopt},
  };
  for (const auto& [variables, expected] : rows) {
    EXPECT_EQ(controlSocketPath(testing_support::environmentOf(variables)), expected);
  }
}

}  // namespace
}  // namespace corvella::xdg
