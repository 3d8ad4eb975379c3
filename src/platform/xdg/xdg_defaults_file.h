// XdgDefaultsFile: the Defaults port as one JSON file,
// $XDG_CONFIG_HOME/corvella/defaults.json (else ~/.config/corvella/...).
//
//   {"gridLayouts": {"data": "[{\"id\":...}]"}, "settingsTab": {"string": "grids"}}
//
// A byte-string value is kept as text when it is UTF-8 (the stored layouts
// are JSON text, readable and editable by hand) and as a list of byte values
// otherwise. Every write replaces the file atomically, so a crash mid-save
// never loses the stored layouts.
//
// Nothing the user stored is ever lost. A file that is damaged (not JSON,
// not an object, nested too deep, not a regular file, too large) is
// reported, moved aside to a name of its own (defaults.json.bad, .bad.2, ...)
// and read as empty. A file that cannot be read at all, or that could not be
// moved aside, is reported and never overwritten in this run: the values
// then live in memory only.
#pragma once

#include <cstddef>
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
  // Far above any real document; a larger file is taken for damaged.
  static constexpr std::size_t sizeLimit = 4 * 1024 * 1024;
  // The depth of arrays and objects read, and therefore saved: a real
  // document nests three levels.
  static constexpr std::size_t nestingLimit = 16;

  // The file is read on first use. report receives one line per problem.
  XdgDefaultsFile(std::optional<std::filesystem::path> file, Reporter report);
  static std::optional<std::filesystem::path> defaultFile(const EnvironmentReader& environment);

  std::optional<Bytes> data(std::string_view key) override;
  std::optional<std::string> string(std::string_view key) override;
  void setData(std::string_view key, const Bytes& value) override;
  void setString(std::string_view key, const std::string& value) override;

 private:
  nlohmann::json& document();
  // The stored document, or absent when there is none to use.
  std::optional<nlohmann::json> load();
  // A damaged file: moved aside, or else left alone for the rest of the run.
  void setAside(const std::string& problem);
  void report(const std::string& message) const;
  void save();

  std::optional<std::filesystem::path> file_;
  Reporter report_;
  std::optional<nlohmann::json> document_;
  // The file there could not be read or kept: saving would destroy it.
  bool keepFileAsItIs_ = false;
};

}  // namespace corvella::xdg
