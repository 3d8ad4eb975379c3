// XdgAutostartEntry: launch at login as an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/corvella.desktop (else ~/.config/autostart).
// Enabled while the entry exists and is not hidden; registering writes it
// (atomically) to start this program, unregistering removes it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/ports/login_item.h"
#include "platform/xdg/xdg_environment.h"

namespace corvella::xdg {

class XdgAutostartEntry final : public LoginItem {
 public:
  XdgAutostartEntry(std::optional<std::filesystem::path> entry, std::filesystem::path program);
  static std::optional<std::filesystem::path> defaultEntry(const EnvironmentReader& environment);

  LoginItemStatus status() override;
  std::optional<std::string> registerApp() override;
  std::optional<std::string> unregisterApp() override;

  // The entry's text for a program path, its Exec value quoted as the
  // desktop entry format asks.
  static std::string entryText(const std::filesystem::path& program);

 private:
  std::optional<std::filesystem::path> entry_;
  std::filesystem::path program_;
};

}  // namespace corvella::xdg
