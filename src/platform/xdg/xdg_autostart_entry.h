// XdgAutostartEntry: launch at login as an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/corvella.desktop (else ~/.config/autostart).
// Registering writes it (atomically) to start the installed corvella, looked
// up at that moment (installed_program.h); unregistering removes it. It counts
// as enabled while it exists, is switched on, and its Exec program is still
// there to start: after the program was moved or uninstalled the item shows
// off, and switching it on writes a fresh entry.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/ports/login_item.h"
#include "platform/xdg/xdg_environment.h"

namespace corvella::xdg {

class XdgAutostartEntry final : public LoginItem {
 public:
  // running: this process's program; environment: where PATH is read, at
  // each toggle and status.
  XdgAutostartEntry(std::optional<std::filesystem::path> entry, std::filesystem::path running,
                    EnvironmentReader environment = processEnvironment);
  static std::optional<std::filesystem::path> defaultEntry(const EnvironmentReader& environment);

  LoginItemStatus status() override;
  std::optional<std::string> registerApp() override;
  std::optional<std::string> unregisterApp() override;

  // The entry's text for a program path, its Exec value quoted as the
  // desktop entry format asks.
  static std::string entryText(const std::filesystem::path& program);
  // The program an Exec value starts (its first argument, unquoted), or
  // absent when the value is malformed.
  static std::optional<std::string> execProgram(std::string_view value);

 private:
  std::string searchPath() const;

  std::optional<std::filesystem::path> entry_;
  std::filesystem::path running_;
  EnvironmentReader environment_;
};

}  // namespace corvella::xdg
