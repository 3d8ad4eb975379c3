// Where the control socket is looked for and made on Linux.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "platform/xdg/xdg_control_socket.h"

namespace corvella::xdg {
namespace {

using Variables = std::map<std::string, std::string>;

std::optional<std::filesystem::path> socketWith(const Variables& variables) {
  return controlSocketPath([&](std::string_view name) -> std::optional<std::string> {
    auto found = variables.find(std::string(name));
    if (found == variables.end()) return std::nullopt;
    return found->second;
  });
}

TEST(XdgControlSocketTest, TheRuntimeFolderComesFirstThenTheStateFolder) {
  const std::pair<Variables, std::optional<std::string>> rows[] = {
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
    const auto path = socketWith(variables);
    if (expected) {
      EXPECT_EQ(path, std::filesystem::path(*expected));
    } else {
      EXPECT_EQ(path, std::nullopt);
    }
  }
}

}  // namespace
}  // namespace corvella::xdg
