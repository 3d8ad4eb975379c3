// XdgDefaultsFile: the Defaults port as one JSON file,
// $XDG_CONFIG_HOME/corvella/defaults.json (else ~/.config/corvella/...).
//
//   {"gridLayouts": {"data": "[{\"id\":...}]"}, "settingsTab": {"string": "grids"}}
//
// A byte-string value is kept as text when it is UTF-8 (the stored layouts
// are JSON text, readable and editable by hand) and as a list of byte values
// otherwise. Every write replaces the file atomically, so a crash mid-save
// never loses the stored layouts. A file that cannot be parsed is reported,
// moved aside to defaults.json.bad (never overwritten, never lost) and read
// as empty.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "core/ports/defaults.h"
#include "platform/xdg/xdg_environment.h"

namespace corvella::xdg {

// $XDG_CONFIG_HOME when absolute, else $HOME/.config; absent without either.
std::optional<std::filesystem::path> configFolder(const EnvironmentReader& environment);

class XdgDefaultsFile final : public Defaults {
 public:
  using Reporter = std::function<void(const std::string& message)>;

  // The file is read on first use. report receives one line per problem.
  XdgDefaultsFile(std::optional<std::filesystem::path> file, Reporter report);
  static std::optional<std::filesystem::path> defaultFile(const EnvironmentReader& environment);

  std::optional<Bytes> data(std::string_view key) override;
  std::optional<std::string> string(std::string_view key) override;
  void setData(std::string_view key, const Bytes& value) override;
  void setString(std::string_view key, const std::string& value) override;

 private:
  nlohmann::json& document();
  void save();

  std::optional<std::filesystem::path> file_;
  Reporter report_;
  std::optional<nlohmann::json> document_;
};

}  // namespace corvella::xdg
